
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/core/tst_catalogue.cpp" "tests/core/CMakeFiles/tst_catalogue.dir/tst_catalogue.cpp.o" "gcc" "tests/core/CMakeFiles/tst_catalogue.dir/tst_catalogue.cpp.o.d"
  "/work/main/build/tests/core/tst_catalogue_autogen/mocs_compilation.cpp" "tests/core/CMakeFiles/tst_catalogue.dir/tst_catalogue_autogen/mocs_compilation.cpp.o" "gcc" "tests/core/CMakeFiles/tst_catalogue.dir/tst_catalogue_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/core/CMakeFiles/vintalem_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
