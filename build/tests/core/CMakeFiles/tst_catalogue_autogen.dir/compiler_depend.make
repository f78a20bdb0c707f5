# Empty custom commands generated dependencies file for tst_catalogue_autogen.
# This may be replaced when dependencies are built.
