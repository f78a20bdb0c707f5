file(REMOVE_RECURSE
  "libvintalem_codon_table.a"
)
