core/CMakeFiles/vintalem_core.dir/vintalem_core_autogen/mocs_compilation.cpp.o: \
 /work/main/build/core/vintalem_core_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
