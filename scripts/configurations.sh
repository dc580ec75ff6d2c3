# The two build configurations of the test command (scripts/test.sh), sourced by the scripts that use
# them, so that each configuration is compiled once and the other scripts reuse its build folder:
#   build       the plain build (GCC), with Debian's own compiler and linker flags (hardening included)
#               and the installation prefix /usr: the whole suite; the Debian package is made from its
#               programs (scripts/package.sh), so the package holds what the suite tested; its command
#               line is the one that the Windows comparison (scripts/test-windows.sh) holds the Windows
#               one against;
#   build-asan  clang under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer: the whole
#               suite again, and the libFuzzer programs that scripts/fuzz.sh runs.
# It also chooses how every build folder of the scripts is made: with Ninja where it is installed
# (scripts/install-deps.sh installs it), which builds the whole project as one graph with less work
# of its own than Make. A folder that Make made stays with Make.
# The configurations are read by the scripts that source this file.
# shellcheck shell=bash disable=SC2034
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
if [ -z "${CMAKE_GENERATOR:-}" ] && command -v ninja >/dev/null; then
  export CMAKE_GENERATOR=Ninja
fi
plain_build=build
# Debian's flags where dpkg-buildflags is installed (scripts/install-deps.sh installs it); its -O2 -g is
# also RelWithDebInfo's. Only what a package build needs is built for `install` and cpack.
debian_flags() {
  command -v dpkg-buildflags >/dev/null || return 0
  DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"
}
plain_build_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLENDA_WARNINGS_AS_ERRORS=ON -DCMAKE_INSTALL_PREFIX=/usr
  "-DCMAKE_CXX_FLAGS=$(debian_flags CXXFLAGS) $(debian_flags CPPFLAGS)"
  "-DCMAKE_EXE_LINKER_FLAGS=$(debian_flags LDFLAGS)" -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON)
sanitizer_build=build-asan
# Its debug information is line tables only: all that the sanitizers' and libFuzzer's reports need for
# file, line and inlined frames, at less compile and link time than full -g.
sanitizer_build_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLENDA_WARNINGS_AS_ERRORS=ON
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -gline-tables-only -DNDEBUG"
  -DCMAKE_CXX_COMPILER=clang++ -DORLENDA_SANITIZE=ON -DORLENDA_FUZZ=ON)

# configure DIR OPTIONS...: configures a build folder, once: a folder already configured with the same
# options by this function is left as it is (its build system runs CMake again by itself when a
# CMakeLists.txt changes). The stamp holds the options' key; a cache written since (by CMake run by
# hand, or by the build's own re-run) makes the next call configure again.
configure() {
  local dir=$1 key
  shift
  key=$(key_of "$(pwd)" "$@")
  if [ -f "${dir}/CMakeCache.txt" ] && [ ! "${dir}/CMakeCache.txt" -nt "${dir}/.configured" ] &&
    stamp_matches "${dir}/.configured" "${key}"; then
    return 0
  fi
  cmake -S . -B "${dir}" "$@" >/dev/null
  stamp_write "${dir}/.configured" "${key}"
}
