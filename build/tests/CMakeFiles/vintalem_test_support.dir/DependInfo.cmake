
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/support/fakes.cpp" "tests/CMakeFiles/vintalem_test_support.dir/support/fakes.cpp.o" "gcc" "tests/CMakeFiles/vintalem_test_support.dir/support/fakes.cpp.o.d"
  "/work/main/build/tests/vintalem_test_support_autogen/mocs_compilation.cpp" "tests/CMakeFiles/vintalem_test_support.dir/vintalem_test_support_autogen/mocs_compilation.cpp.o" "gcc" "tests/CMakeFiles/vintalem_test_support.dir/vintalem_test_support_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/app/CMakeFiles/vintalem_forms.dir/DependInfo.cmake"
  "/work/main/build/ui/main/CMakeFiles/vintalem_main.dir/DependInfo.cmake"
  "/work/main/build/ui/codon_table/CMakeFiles/vintalem_codon_table.dir/DependInfo.cmake"
  "/work/main/build/ui/info/CMakeFiles/vintalem_info.dir/DependInfo.cmake"
  "/work/main/build/ui/toolkit/CMakeFiles/vintalem_toolkit.dir/DependInfo.cmake"
  "/work/main/build/core/CMakeFiles/vintalem_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
