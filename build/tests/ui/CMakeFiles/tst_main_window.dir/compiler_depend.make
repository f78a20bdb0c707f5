# Empty compiler generated dependencies file for tst_main_window.
# This may be replaced when dependencies are built.
