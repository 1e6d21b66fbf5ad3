# Links with LLVM's lld where it is installed (Debian lld): it links the test programs, with their
# Qt libraries and sanitizer runtimes, several times faster than the default linker.
option(TILVARO_LLD "Link with lld when it is installed" ON)
if(TILVARO_LLD)
  find_program(TILVARO_LLD_PROGRAM ld.lld)
  if(TILVARO_LLD_PROGRAM)
    add_link_options(-fuse-ld=lld)
  endif()
endif()
