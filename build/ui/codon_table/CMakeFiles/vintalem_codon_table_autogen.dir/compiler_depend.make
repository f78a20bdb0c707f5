# Empty custom commands generated dependencies file for vintalem_codon_table_autogen.
# This may be replaced when dependencies are built.
