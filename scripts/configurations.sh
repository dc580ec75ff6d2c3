# The two build configurations of the test command (scripts/test.sh), sourced by the scripts that use
# them, so that each configuration is compiled once and the other scripts reuse its build folder:
#   build       the plain build (GCC): the whole suite; its command line is the one that the Windows
#               comparison (scripts/test-windows.sh) holds the Windows one against;
#   build-asan  clang under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer: the whole
#               suite again, and the libFuzzer programs that scripts/fuzz.sh runs.
# shellcheck shell=bash
plain_build=build
plain_build_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLENDA_WARNINGS_AS_ERRORS=ON)
sanitizer_build=build-asan
sanitizer_build_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLENDA_WARNINGS_AS_ERRORS=ON
  -DCMAKE_CXX_COMPILER=clang++ -DORLENDA_SANITIZE=ON -DORLENDA_FUZZ=ON)

# configure DIR OPTIONS...: configures a build folder (nothing changes when it already has the options).
configure() {
  local dir=$1
  shift
  cmake -S . -B "${dir}" "$@" >/dev/null
}
