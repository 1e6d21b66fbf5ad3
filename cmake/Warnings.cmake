# Warnings for the project's own targets: call tilvaro_warnings(target).
function(tilvaro_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local)
endfunction()
