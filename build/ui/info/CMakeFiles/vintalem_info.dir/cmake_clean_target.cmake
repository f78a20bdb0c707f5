file(REMOVE_RECURSE
  "libvintalem_info.a"
)
