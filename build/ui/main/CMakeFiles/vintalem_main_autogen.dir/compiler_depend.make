# Empty custom commands generated dependencies file for vintalem_main_autogen.
# This may be replaced when dependencies are built.
