
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/core/coding_run.cpp" "core/CMakeFiles/vintalem_core.dir/coding_run.cpp.o" "gcc" "core/CMakeFiles/vintalem_core.dir/coding_run.cpp.o.d"
  "/work/main/core/sequence.cpp" "core/CMakeFiles/vintalem_core.dir/sequence.cpp.o" "gcc" "core/CMakeFiles/vintalem_core.dir/sequence.cpp.o.d"
  "/work/main/build/core/vintalem_core_autogen/mocs_compilation.cpp" "core/CMakeFiles/vintalem_core.dir/vintalem_core_autogen/mocs_compilation.cpp.o" "gcc" "core/CMakeFiles/vintalem_core.dir/vintalem_core_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
