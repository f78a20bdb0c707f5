# Empty custom commands generated dependencies file for tst_main_window_autogen.
# This may be replaced when dependencies are built.
