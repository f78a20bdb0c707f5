file(REMOVE_RECURSE
  "libvintalem_test_support.a"
)
