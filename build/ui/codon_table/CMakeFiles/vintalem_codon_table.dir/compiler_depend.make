# Empty compiler generated dependencies file for vintalem_codon_table.
# This may be replaced when dependencies are built.
