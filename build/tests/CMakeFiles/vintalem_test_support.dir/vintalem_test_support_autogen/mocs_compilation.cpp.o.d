tests/CMakeFiles/vintalem_test_support.dir/vintalem_test_support_autogen/mocs_compilation.cpp.o: \
 /work/main/build/tests/vintalem_test_support_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
