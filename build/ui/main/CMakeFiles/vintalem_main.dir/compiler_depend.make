# Empty compiler generated dependencies file for vintalem_main.
# This may be replaced when dependencies are built.
