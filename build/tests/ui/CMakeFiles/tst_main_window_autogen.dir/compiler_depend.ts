# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for tst_main_window_autogen.
