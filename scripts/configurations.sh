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
# shellcheck shell=bash
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
sanitizer_build_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLENDA_WARNINGS_AS_ERRORS=ON
  -DCMAKE_CXX_COMPILER=clang++ -DORLENDA_SANITIZE=ON -DORLENDA_FUZZ=ON)

# configure DIR OPTIONS...: configures a build folder (nothing changes when it already has the options).
configure() {
  local dir=$1
  shift
  cmake -S . -B "${dir}" "$@" >/dev/null
}
