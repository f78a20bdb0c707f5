# Empty custom commands generated dependencies file for vintalem_core_autogen.
# This may be replaced when dependencies are built.
