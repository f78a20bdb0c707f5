file(REMOVE_RECURSE
  "libvintalem_toolkit.a"
)
