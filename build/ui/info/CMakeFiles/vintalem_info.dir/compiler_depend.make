# Empty compiler generated dependencies file for vintalem_info.
# This may be replaced when dependencies are built.
