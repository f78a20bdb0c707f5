file(REMOVE_RECURSE
  "CMakeFiles/tst_main_window_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_main_window_autogen.dir/ParseCache.txt"
  "tst_main_window_autogen"
  "CMakeFiles/tst_main_window.dir/main/tst_main_window.cpp.o"
  "CMakeFiles/tst_main_window.dir/main/tst_main_window.cpp.o.d"
  "CMakeFiles/tst_main_window.dir/tst_main_window_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_main_window.dir/tst_main_window_autogen/mocs_compilation.cpp.o.d"
  "tst_main_window"
  "tst_main_window.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_main_window.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
