# AddressSanitizer + UndefinedBehaviorSanitizer for every target of the tree. The fuzz targets
# (TILVARO_FUZZ, clang only) need the same sanitizers, so they switch them on too and can be built
# beside the tests (fuzz/CMakeLists.txt). TILVARO_SANITIZED tells the rest of the build.
set(TILVARO_SANITIZED OFF)
if(TILVARO_SANITIZE OR TILVARO_FUZZ)
  set(TILVARO_SANITIZED ON)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
