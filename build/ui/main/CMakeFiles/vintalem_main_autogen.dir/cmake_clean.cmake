file(REMOVE_RECURSE
  "CMakeFiles/vintalem_main_autogen"
  "vintalem_main_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/vintalem_main_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
