# AddressSanitizer + UndefinedBehaviorSanitizer for every target of the tree.
if(TILVARO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
# libFuzzer targets add -fsanitize=fuzzer themselves; the libraries they link are instrumented too.
if(TILVARO_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
