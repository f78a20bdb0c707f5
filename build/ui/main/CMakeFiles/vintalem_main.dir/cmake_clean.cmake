file(REMOVE_RECURSE
  "CMakeFiles/vintalem_main_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/vintalem_main_autogen.dir/ParseCache.txt"
  "vintalem_main_autogen"
  "CMakeFiles/vintalem_main.dir/main_form.cpp.o"
  "CMakeFiles/vintalem_main.dir/main_form.cpp.o.d"
  "CMakeFiles/vintalem_main.dir/mutation_form.cpp.o"
  "CMakeFiles/vintalem_main.dir/mutation_form.cpp.o.d"
  "CMakeFiles/vintalem_main.dir/vintalem_main_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/vintalem_main.dir/vintalem_main_autogen/mocs_compilation.cpp.o.d"
  "libvintalem_main.a"
  "libvintalem_main.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/vintalem_main.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
