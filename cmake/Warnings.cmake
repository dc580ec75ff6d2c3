# Warnings are errors on the project's own targets.
function(orlenda_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  # GCC's flow analysis sees through the sanitizers' instrumentation badly and reports uninitialized
  # values inside the standard library (<regex>, <functional>) that are not there.
  if(ORLENDA_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
  endif()
endfunction()
