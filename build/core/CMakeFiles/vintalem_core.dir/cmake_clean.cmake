file(REMOVE_RECURSE
  "CMakeFiles/vintalem_core_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/vintalem_core_autogen.dir/ParseCache.txt"
  "vintalem_core_autogen"
  "CMakeFiles/vintalem_core.dir/coding_run.cpp.o"
  "CMakeFiles/vintalem_core.dir/coding_run.cpp.o.d"
  "CMakeFiles/vintalem_core.dir/sequence.cpp.o"
  "CMakeFiles/vintalem_core.dir/sequence.cpp.o.d"
  "CMakeFiles/vintalem_core.dir/vintalem_core_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/vintalem_core.dir/vintalem_core_autogen/mocs_compilation.cpp.o.d"
  "libvintalem_core.a"
  "libvintalem_core.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/vintalem_core.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
