# CMake generated Testfile for 
# Source directory: /work/main
# Build directory: /work/main/build
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("core")
subdirs("ui/toolkit")
subdirs("ui/main")
subdirs("ui/codon_table")
subdirs("ui/info")
subdirs("app")
subdirs("tests")
