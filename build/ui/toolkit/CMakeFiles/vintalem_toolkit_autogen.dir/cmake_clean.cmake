file(REMOVE_RECURSE
  "CMakeFiles/vintalem_toolkit_autogen"
  "vintalem_toolkit_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/vintalem_toolkit_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
