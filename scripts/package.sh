#!/usr/bin/env bash
# Makes the Debian package orlenda3001_<version>_<arch>.deb from the programs of the plain build
# (scripts/configurations.sh), which is built with Debian's own compiler and linker flags, hardening
# included, and with --check also checks it (tests/packaging/package_test.sh): lintian, the
# dependencies that apt would install, and the programs run from the unpacked package.
#
#   scripts/package.sh [--check] [BUILD_FOLDER]      (default: build, the plain build)
#
# The package is left in BUILD_FOLDER; install it with `sudo apt install ./build/orlenda3001_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."

check=""
if [ "${1:-}" = --check ]; then
  check=yes
  shift
fi

bash scripts/install-deps.sh
# After the installation: the plain build takes its flags from dpkg-buildflags.
source scripts/configurations.sh
build=${1:-${plain_build}}

# Only what the package installs is built here; a test run (scripts/test.sh) builds the rest of the
# folder, and the same objects serve both. The plain build is at Debian's own optimisation level
# (-O2): CMake's Release default of -O3 with GCC 12 reports overlaps inside std::string that are not
# there (-Wrestrict), which warnings as errors would turn into a failed build.
configure "${build}" "${plain_build_options[@]}"
cmake --build "${build}" -j"$(nproc 2>/dev/null || echo 2)" --target orlenda3001 orlenda3001-cli sample_pilot \
  man_pages bash_completion package_changelog
rm -f "${build}"/orlenda3001_*.deb
(cd "${build}" && cpack -G DEB >/dev/null)

source scripts/lib.sh
version=$(project_version)
package=$(ls "${build}"/orlenda3001_"${version}"_*.deb)
echo "package: ${package}"
if [ -n "${check}" ]; then
  bash tests/packaging/package_test.sh "${package}" "${version}"
fi
