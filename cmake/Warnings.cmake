# Warnings are errors on the project's own targets.
function(orlenda_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
