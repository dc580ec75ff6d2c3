#!/usr/bin/env bash
# Makes the Debian package orlenda3001_<version>_<arch>.deb from the programs of the plain build
# (scripts/configurations.sh), which is built with Debian's own compiler and linker flags, hardening
# included, and with --check also checks it (tests/packaging/package_test.sh): lintian, the
# dependencies that apt would install, and the programs run from the unpacked package.
#
#   scripts/package.sh [--check] [BUILD_FOLDER]      (default: build, the plain build)
#
# The package is left in BUILD_FOLDER; install it with `sudo apt install ./build/orlenda3001_*.deb`.
# It is made once for what it holds: a later call whose installation, CPack configuration and system
# libraries (from which its dependencies are computed) are the same keeps the package made before.
set -euo pipefail
cd "$(dirname "$0")/.."

check=""
if [ "${1:-}" = --check ]; then
  check=yes
  shift
fi

bash scripts/install-deps.sh
# After the installation: the plain build takes its flags from dpkg-buildflags.
source scripts/configurations.sh  # which sources scripts/lib.sh
build=${1:-${plain_build}}

# Only what the package installs is built here; a test run (scripts/test.sh) builds the rest of the
# folder, and the same objects serve both. The plain build is at Debian's own optimisation level
# (-O2): CMake's Release default of -O3 with GCC 12 reports overlaps inside std::string that are not
# there (-Wrestrict), which warnings as errors would turn into a failed build.
configure "${build}" "${plain_build_options[@]}"
cmake --build "${build}" -j"$(nproc 2>/dev/null || echo 2)" --target orlenda3001 orlenda3001-cli sample_pilot \
  man_pages bash_completion package_changelog

# The key of what the package would hold: every file that `cmake --install` puts into a scratch
# folder, CPack's configuration, and the system's package database.
package_key() {
  local staging
  staging=$(mktemp -d "${TMPDIR:-/tmp}/orlenda-package-key-XXXXXX")
  cmake --install "${build}" --prefix "${staging}/usr" >/dev/null
  key_of "$(cd "${staging}" && find . -type f -print0 | sort -z | xargs -0 sha256sum)" \
    "$(sha256sum <"${build}/CPackConfig.cmake")" "$(stat -c '%s %Y' /var/lib/dpkg/status)"
  rm -rf "${staging}"
}

version=$(project_version)
key=$(package_key)
stamp="${build}/.package-made"
if compgen -G "${build}/orlenda3001_${version}_*.deb" >/dev/null && stamp_matches "${stamp}" "${key}"; then
  echo "package: made already from these programs and files, kept"
else
  rm -f "${build}"/orlenda3001_*.deb "${stamp}"
  (cd "${build}" && cpack -G DEB >/dev/null)
  stamp_write "${stamp}" "${key}"
fi
package=$(ls "${build}"/orlenda3001_"${version}"_*.deb)
echo "package: ${package}"
if [ -n "${check}" ]; then
  bash tests/packaging/package_test.sh "${package}" "${version}"
fi
