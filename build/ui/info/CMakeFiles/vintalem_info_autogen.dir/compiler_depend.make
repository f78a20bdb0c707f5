# Empty custom commands generated dependencies file for vintalem_info_autogen.
# This may be replaced when dependencies are built.
