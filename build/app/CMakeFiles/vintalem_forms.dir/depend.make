# Empty dependencies file for vintalem_forms.
# This may be replaced when dependencies are built.
