# Empty dependencies file for vintalem_toolkit.
# This may be replaced when dependencies are built.
