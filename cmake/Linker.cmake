# Clang builds (the sanitizer build) link with LLVM's lld where it is installed (Debian lld): it
# links the test programs, with their Qt libraries and sanitizer runtimes, several times faster
# than the default linker. GCC builds keep GCC's own linker: linked by lld 14, code from GCC -O3
# lost its exception handling here (a throw that a test catches ended the program).
option(TILVARO_LLD "Link clang builds with lld when it is installed" ON)
if(TILVARO_LLD AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  find_program(TILVARO_LLD_PROGRAM ld.lld)
  if(TILVARO_LLD_PROGRAM)
    add_link_options(-fuse-ld=lld)
  endif()
endif()
