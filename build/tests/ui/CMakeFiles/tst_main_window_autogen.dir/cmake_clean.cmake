file(REMOVE_RECURSE
  "CMakeFiles/tst_main_window_autogen"
  "tst_main_window_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/tst_main_window_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
