# Empty dependencies file for tst_catalogue.
# This may be replaced when dependencies are built.
