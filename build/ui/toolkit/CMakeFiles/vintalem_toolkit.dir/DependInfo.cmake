
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/ui/toolkit/controls.cpp" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/controls.cpp.o" "gcc" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/controls.cpp.o.d"
  "/work/main/ui/toolkit/fonts.cpp" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/fonts.cpp.o" "gcc" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/fonts.cpp.o.d"
  "/work/main/ui/toolkit/form.cpp" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/form.cpp.o" "gcc" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/form.cpp.o.d"
  "/work/main/ui/toolkit/form_registry.cpp" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/form_registry.cpp.o" "gcc" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/form_registry.cpp.o.d"
  "/work/main/ui/toolkit/icon.cpp" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/icon.cpp.o" "gcc" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/icon.cpp.o.d"
  "/work/main/ui/toolkit/services.cpp" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/services.cpp.o" "gcc" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/services.cpp.o.d"
  "/work/main/ui/toolkit/toolkit.cpp" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/toolkit.cpp.o" "gcc" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/toolkit.cpp.o.d"
  "/work/main/ui/toolkit/twips.cpp" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/twips.cpp.o" "gcc" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/twips.cpp.o.d"
  "/work/main/build/ui/toolkit/vintalem_toolkit_autogen/mocs_compilation.cpp" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/vintalem_toolkit_autogen/mocs_compilation.cpp.o" "gcc" "ui/toolkit/CMakeFiles/vintalem_toolkit.dir/vintalem_toolkit_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/core/CMakeFiles/vintalem_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
