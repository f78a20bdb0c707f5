file(REMOVE_RECURSE
  "CMakeFiles/vintalem_forms_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/vintalem_forms_autogen.dir/ParseCache.txt"
  "vintalem_forms_autogen"
  "CMakeFiles/vintalem_forms.dir/forms.cpp.o"
  "CMakeFiles/vintalem_forms.dir/forms.cpp.o.d"
  "CMakeFiles/vintalem_forms.dir/vintalem_forms_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/vintalem_forms.dir/vintalem_forms_autogen/mocs_compilation.cpp.o.d"
  "libvintalem_forms.a"
  "libvintalem_forms.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/vintalem_forms.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
