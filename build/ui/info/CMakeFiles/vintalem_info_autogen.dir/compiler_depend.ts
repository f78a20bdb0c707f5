# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for vintalem_info_autogen.
