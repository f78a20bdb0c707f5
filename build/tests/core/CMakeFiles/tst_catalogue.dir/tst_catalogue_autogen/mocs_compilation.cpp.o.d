tests/core/CMakeFiles/tst_catalogue.dir/tst_catalogue_autogen/mocs_compilation.cpp.o: \
 /work/main/build/tests/core/tst_catalogue_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
