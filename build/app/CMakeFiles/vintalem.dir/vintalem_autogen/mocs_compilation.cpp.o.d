app/CMakeFiles/vintalem.dir/vintalem_autogen/mocs_compilation.cpp.o: \
 /work/main/build/app/vintalem_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
