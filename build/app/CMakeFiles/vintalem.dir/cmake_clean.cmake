file(REMOVE_RECURSE
  "../vintalem"
  "../vintalem.pdb"
  "CMakeFiles/vintalem_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/vintalem_autogen.dir/ParseCache.txt"
  "vintalem_autogen"
  "CMakeFiles/vintalem.dir/main.cpp.o"
  "CMakeFiles/vintalem.dir/main.cpp.o.d"
  "CMakeFiles/vintalem.dir/vintalem_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/vintalem.dir/vintalem_autogen/mocs_compilation.cpp.o.d"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/vintalem.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
