# Empty dependencies file for vintalem.
# This may be replaced when dependencies are built.
