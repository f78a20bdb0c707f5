file(REMOVE_RECURSE
  "libvintalem_core.a"
)
