file(REMOVE_RECURSE
  "CMakeFiles/vintalem_info_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/vintalem_info_autogen.dir/ParseCache.txt"
  "vintalem_info_autogen"
  "CMakeFiles/vintalem_info.dir/about_form.cpp.o"
  "CMakeFiles/vintalem_info.dir/about_form.cpp.o.d"
  "CMakeFiles/vintalem_info.dir/how_to_play_form.cpp.o"
  "CMakeFiles/vintalem_info.dir/how_to_play_form.cpp.o.d"
  "CMakeFiles/vintalem_info.dir/vintalem_info_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/vintalem_info.dir/vintalem_info_autogen/mocs_compilation.cpp.o.d"
  "libvintalem_info.a"
  "libvintalem_info.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/vintalem_info.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
