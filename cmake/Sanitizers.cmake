# With ORLENDA_SANITIZE every target of the project is built under ASan and UBSan,
# and any UB report aborts the test that caused it.
if(ORLENDA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
