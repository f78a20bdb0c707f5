# CMake generated Testfile for 
# Source directory: /work/main/tests/core
# Build directory: /work/main/build/tests/core
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[tst_catalogue]=] "/work/main/build/tests/core/tst_catalogue")
set_tests_properties([=[tst_catalogue]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;6;add_test;/work/main/tests/core/CMakeLists.txt;5;vintalem_test;/work/main/tests/core/CMakeLists.txt;0;")
