file(REMOVE_RECURSE
  "CMakeFiles/vintalem_toolkit_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/vintalem_toolkit_autogen.dir/ParseCache.txt"
  "vintalem_toolkit_autogen"
  "CMakeFiles/vintalem_toolkit.dir/controls.cpp.o"
  "CMakeFiles/vintalem_toolkit.dir/controls.cpp.o.d"
  "CMakeFiles/vintalem_toolkit.dir/fonts.cpp.o"
  "CMakeFiles/vintalem_toolkit.dir/fonts.cpp.o.d"
  "CMakeFiles/vintalem_toolkit.dir/form.cpp.o"
  "CMakeFiles/vintalem_toolkit.dir/form.cpp.o.d"
  "CMakeFiles/vintalem_toolkit.dir/form_registry.cpp.o"
  "CMakeFiles/vintalem_toolkit.dir/form_registry.cpp.o.d"
  "CMakeFiles/vintalem_toolkit.dir/icon.cpp.o"
  "CMakeFiles/vintalem_toolkit.dir/icon.cpp.o.d"
  "CMakeFiles/vintalem_toolkit.dir/services.cpp.o"
  "CMakeFiles/vintalem_toolkit.dir/services.cpp.o.d"
  "CMakeFiles/vintalem_toolkit.dir/toolkit.cpp.o"
  "CMakeFiles/vintalem_toolkit.dir/toolkit.cpp.o.d"
  "CMakeFiles/vintalem_toolkit.dir/twips.cpp.o"
  "CMakeFiles/vintalem_toolkit.dir/twips.cpp.o.d"
  "CMakeFiles/vintalem_toolkit.dir/vintalem_toolkit_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/vintalem_toolkit.dir/vintalem_toolkit_autogen/mocs_compilation.cpp.o.d"
  "libvintalem_toolkit.a"
  "libvintalem_toolkit.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/vintalem_toolkit.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
