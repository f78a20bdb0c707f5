# Empty compiler generated dependencies file for vintalem_test_support.
# This may be replaced when dependencies are built.
