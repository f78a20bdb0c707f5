file(REMOVE_RECURSE
  "CMakeFiles/vintalem_codon_table_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/vintalem_codon_table_autogen.dir/ParseCache.txt"
  "vintalem_codon_table_autogen"
  "CMakeFiles/vintalem_codon_table.dir/codon_table_form.cpp.o"
  "CMakeFiles/vintalem_codon_table.dir/codon_table_form.cpp.o.d"
  "CMakeFiles/vintalem_codon_table.dir/vintalem_codon_table_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/vintalem_codon_table.dir/vintalem_codon_table_autogen/mocs_compilation.cpp.o.d"
  "libvintalem_codon_table.a"
  "libvintalem_codon_table.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/vintalem_codon_table.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
