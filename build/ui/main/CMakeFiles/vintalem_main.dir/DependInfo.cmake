
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/ui/main/main_form.cpp" "ui/main/CMakeFiles/vintalem_main.dir/main_form.cpp.o" "gcc" "ui/main/CMakeFiles/vintalem_main.dir/main_form.cpp.o.d"
  "/work/main/ui/main/mutation_form.cpp" "ui/main/CMakeFiles/vintalem_main.dir/mutation_form.cpp.o" "gcc" "ui/main/CMakeFiles/vintalem_main.dir/mutation_form.cpp.o.d"
  "/work/main/build/ui/main/vintalem_main_autogen/mocs_compilation.cpp" "ui/main/CMakeFiles/vintalem_main.dir/vintalem_main_autogen/mocs_compilation.cpp.o" "gcc" "ui/main/CMakeFiles/vintalem_main.dir/vintalem_main_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/ui/toolkit/CMakeFiles/vintalem_toolkit.dir/DependInfo.cmake"
  "/work/main/build/core/CMakeFiles/vintalem_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
