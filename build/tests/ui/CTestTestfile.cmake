# CMake generated Testfile for 
# Source directory: /work/main/tests/ui
# Build directory: /work/main/build/tests/ui
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("toolkit")
subdirs("main")
subdirs("codon_table")
subdirs("info")
