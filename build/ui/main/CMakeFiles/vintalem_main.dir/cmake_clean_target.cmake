file(REMOVE_RECURSE
  "libvintalem_main.a"
)
