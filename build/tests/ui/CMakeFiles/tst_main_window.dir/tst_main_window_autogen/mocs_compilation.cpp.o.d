tests/ui/CMakeFiles/tst_main_window.dir/tst_main_window_autogen/mocs_compilation.cpp.o: \
 /work/main/build/tests/ui/tst_main_window_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
