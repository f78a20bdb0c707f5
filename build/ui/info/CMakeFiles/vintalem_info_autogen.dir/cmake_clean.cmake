file(REMOVE_RECURSE
  "CMakeFiles/vintalem_info_autogen"
  "vintalem_info_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/vintalem_info_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
