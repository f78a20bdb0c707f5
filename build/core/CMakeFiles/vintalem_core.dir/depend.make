# Empty dependencies file for vintalem_core.
# This may be replaced when dependencies are built.
