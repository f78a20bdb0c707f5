file(REMOVE_RECURSE
  "CMakeFiles/tst_catalogue_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_catalogue_autogen.dir/ParseCache.txt"
  "tst_catalogue_autogen"
  "CMakeFiles/tst_catalogue.dir/tst_catalogue.cpp.o"
  "CMakeFiles/tst_catalogue.dir/tst_catalogue.cpp.o.d"
  "CMakeFiles/tst_catalogue.dir/tst_catalogue_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_catalogue.dir/tst_catalogue_autogen/mocs_compilation.cpp.o.d"
  "tst_catalogue"
  "tst_catalogue.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_catalogue.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
