# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for tst_catalogue_autogen.
