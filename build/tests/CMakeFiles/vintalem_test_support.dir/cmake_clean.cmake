file(REMOVE_RECURSE
  "CMakeFiles/vintalem_test_support_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/vintalem_test_support_autogen.dir/ParseCache.txt"
  "vintalem_test_support_autogen"
  "CMakeFiles/vintalem_test_support.dir/support/fakes.cpp.o"
  "CMakeFiles/vintalem_test_support.dir/support/fakes.cpp.o.d"
  "CMakeFiles/vintalem_test_support.dir/vintalem_test_support_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/vintalem_test_support.dir/vintalem_test_support_autogen/mocs_compilation.cpp.o.d"
  "libvintalem_test_support.a"
  "libvintalem_test_support.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/vintalem_test_support.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
