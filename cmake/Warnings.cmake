# The project's own targets are built with the compiler's warnings on. Our own builds (scripts/, CI)
# turn every warning into an error with ORLENDA_WARNINGS_AS_ERRORS=ON; a plain configure leaves it off,
# so that a packager's build with another compiler version is not stopped by a warning that is new there.
option(ORLENDA_WARNINGS_AS_ERRORS "Treat the compiler's warnings as errors" OFF)

function(orlenda_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(ORLENDA_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # GCC's flow analysis sees through the sanitizers' instrumentation badly and reports uninitialized
  # values inside the standard library (<regex>, <functional>) that are not there.
  if(ORLENDA_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
  endif()
endfunction()
