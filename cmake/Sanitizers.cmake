# AddressSanitizer + UndefinedBehaviorSanitizer for every target of the tree. The fuzz targets
# (TILVARO_FUZZ, clang only) are built in the same tree: they need the same sanitizers, and the
# layout library they drive gets libFuzzer's coverage instrumentation on top (fuzz/CMakeLists.txt).
if(TILVARO_SANITIZE OR TILVARO_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
