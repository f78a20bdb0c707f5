# CMake generated Testfile for 
# Source directory: /work/main/tests/ui
# Build directory: /work/main/build/tests/ui
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[tst_main_window]=] "/work/main/build/tests/ui/tst_main_window")
set_tests_properties([=[tst_main_window]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;6;add_test;/work/main/tests/ui/CMakeLists.txt;1;vintalem_test;/work/main/tests/ui/CMakeLists.txt;0;")
