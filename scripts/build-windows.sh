#!/usr/bin/env bash
# Cross-builds the core (base, pilot, report, the settings store), orlenda3001-cli.exe and the core's
# test programs for 64-bit Windows with Debian's mingw-w64, into build-windows/ (the command line at
# build-windows/cli/orlenda3001-cli.exe). Installs what is missing first. The desktop program is not
# built: Debian has no Qt for mingw (README.md says what its Windows build needs).
#
#   scripts/build-windows.sh [TARGET...]       Environment: WINDOWS_BUILD_DIR (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${WINDOWS_BUILD_DIR:-build-windows}

bash scripts/install-deps.sh
# The build runs a few of its own programs (the sample pilot's maker) under Wine, in a prefix that
# lives and dies with the build folder, without a display.
mkdir -p "${dir}"
export WINEPREFIX="$(pwd)/${dir}/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# Optimised at -O2: at -O3, GCC 12 reports overlaps inside std::string that are not there (-Wrestrict),
# and warnings are errors here.
cmake -S . -B "${dir}" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DORLENDA_BUILD_GUI=OFF -DORLENDA_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "${dir}" -j"$(nproc 2>/dev/null || echo 2)" ${1:+--target "$@"}
