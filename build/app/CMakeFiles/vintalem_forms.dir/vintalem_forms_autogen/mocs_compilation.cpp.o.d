app/CMakeFiles/vintalem_forms.dir/vintalem_forms_autogen/mocs_compilation.cpp.o: \
 /work/main/build/app/vintalem_forms_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
