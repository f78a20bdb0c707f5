file(REMOVE_RECURSE
  "CMakeFiles/vintalem_test_support_autogen"
  "vintalem_test_support_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/vintalem_test_support_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
