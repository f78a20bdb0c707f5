file(REMOVE_RECURSE
  "CMakeFiles/vintalem_autogen"
  "vintalem_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/vintalem_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
