#!/usr/bin/env bash
# Makes the Debian package orlenda3001_<version>_<arch>.deb from a Release build, built with Debian's
# hardening flags, and with --check also checks it (tests/packaging/package_test.sh): lintian, the
# dependencies that apt would install, and the programs run from the unpacked package.
#
#   scripts/package.sh [--check] [BUILD_FOLDER]      (default: build-deb)
#
# The package is left in BUILD_FOLDER; install it with `sudo apt install ./orlenda3001_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."

check=""
if [ "${1:-}" = --check ]; then
  check=yes
  shift
fi
build=${1:-build-deb}

bash scripts/install-deps.sh

# The compiler and linker flags that Debian builds its own packages with (hardening included).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS

# Only what the package installs is built (no benchmarks, no tests).
# A Release build at Debian's own optimisation level (-O2 in CXXFLAGS), as Debian's packages are built:
# CMake's Release default of -O3 would override it, and GCC 12 reports overlaps inside std::string
# there that are not there (-Wrestrict), which warnings as errors would turn into a failed build.
cmake -S . -B "${build}" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" \
  -DCMAKE_INSTALL_PREFIX=/usr -DORLENDA_BUILD_TESTS=OFF \
  -DORLENDA_WARNINGS_AS_ERRORS=ON -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "${build}" -j"$(nproc 2>/dev/null || echo 2)" --target orlenda3001 orlenda3001-cli sample_pilot \
  man_pages bash_completion package_changelog
rm -f "${build}"/orlenda3001_*.deb
(cd "${build}" && cpack -G DEB >/dev/null)

version=$(sed -n 's/^project(Orlenda3001 VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)
package=$(ls "${build}"/orlenda3001_"${version}"_*.deb)
echo "package: ${package}"
if [ -n "${check}" ]; then
  bash tests/packaging/package_test.sh "${package}" "${version}"
fi
