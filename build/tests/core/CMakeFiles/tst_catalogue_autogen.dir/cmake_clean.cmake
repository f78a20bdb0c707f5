file(REMOVE_RECURSE
  "CMakeFiles/tst_catalogue_autogen"
  "tst_catalogue_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/tst_catalogue_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
