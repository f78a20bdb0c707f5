file(REMOVE_RECURSE
  "libvintalem_forms.a"
)
