#!/usr/bin/env bash
# Cross-builds for 64-bit Windows with Debian's mingw-w64, into build-windows/: the core (base, pilot,
# report, the settings store, the history over static SQLite and zlib), orlenda3001-cli.exe and the core's test programs, and, when the Windows
# Qt toolchain is at hand, the desktop program orlenda3001.exe (one static program) and its window
# tests. Installs what is missing first.
#
# The Windows Qt toolchain (a static Qt 6 and libjpeg-turbo for mingw-w64, made by
# scripts/build-qt6-mingw.sh) is taken from ORLENDA_WINDOWS_QT (its folder, holding qt/ and jpeg/, or
# its .tar.xz archive), else from ../shared/toolchains/qt6-mingw-*.tar.xz. Without it the desktop
# program is skipped, with a note saying so.
#
#   scripts/build-windows.sh [TARGET...]       Environment: WINDOWS_BUILD_DIR (default build-windows),
#                                              ORLENDA_WINDOWS_QT, ORLENDA_WINDOWS_LIBS
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${WINDOWS_BUILD_DIR:-build-windows}

# --- The Windows Qt toolchain -----------------------------------------------------------------------

# Prints the toolchain's archive or folder, or nothing when there is none.
find_windows_qt() {
  if [ -n "${ORLENDA_WINDOWS_QT:-}" ]; then
    [ -e "${ORLENDA_WINDOWS_QT}" ] || { echo "ORLENDA_WINDOWS_QT names nothing: ${ORLENDA_WINDOWS_QT}" >&2; exit 1; }
    echo "${ORLENDA_WINDOWS_QT}"
    return
  fi
  find ../shared/toolchains -maxdepth 1 -name 'qt6-mingw-*.tar.xz' 2>/dev/null | sort | tail -1
}

# Unpacks the .tar.xz ARCHIVE into the build's FOLDER, unless the same archive (its name, size and
# time) was the last one unpacked there; WHAT names it in the note.
unpack_once() { # archive folder what
  local source=$1 target=$2 stamp
  stamp="$(basename "${source}") $(stat -c '%s %Y' "${source}")"
  if [ "$(cat "${target}/.unpacked" 2>/dev/null)" != "${stamp}" ]; then
    echo "== Unpacking $3 from ${source}" >&2
    rm -rf "${target}"
    mkdir -p "${target}"
    tar -xJf "${source}" -C "${target}"
    echo "${stamp}" >"${target}/.unpacked"
  fi
}

# Prints the folder holding qt/ and jpeg/; an archive is unpacked into the build folder once.
unpack_windows_qt() { # archive-or-folder
  local source=$1
  if [ -d "${source}" ]; then
    readlink -f "${source}"
    return
  fi
  unpack_once "${source}" "${dir}/toolchain" "the Windows Qt toolchain"
  readlink -f "${dir}/toolchain"
}

# --- SQLite and zlib for mingw-w64 -----------------------------------------------------------------

# The history's static SQLite and zlib (made by ../shared/toolchains/build-mingw-libs.sh from Debian's
# own sources), from ORLENDA_WINDOWS_LIBS (their folder, holding include/ and lib/, or the .tar.xz
# archive), else from ../shared/toolchains/mingw-libs-*.tar.xz; unpacked into the build folder once.
# Prints the folder holding include/ and lib/.
windows_libs() {
  local source=${ORLENDA_WINDOWS_LIBS:-}
  [ -n "${source}" ] || source=$(find ../shared/toolchains -maxdepth 1 -name 'mingw-libs-*.tar.xz' 2>/dev/null | sort | tail -1)
  if [ -z "${source}" ] || [ ! -e "${source}" ]; then
    echo "No SQLite and zlib for mingw-w64: set ORLENDA_WINDOWS_LIBS or put mingw-libs-*.tar.xz in ../shared/toolchains" >&2
    exit 1
  fi
  if [ -d "${source}" ]; then
    readlink -f "${source}"
    return
  fi
  unpack_once "${source}" "${dir}/mingw-libs" "SQLite and zlib for mingw-w64"
  readlink -f "${dir}/mingw-libs/mingw-libs"
}

# --- Configure and build -----------------------------------------------------------------------------

bash scripts/install-deps.sh
source scripts/configurations.sh  # the generator of new build folders, configure and scripts/lib.sh
# The build runs a few of its own programs (the sample pilot's maker) under Wine, in a prefix that
# lives and dies with the build folder, without a display.
mkdir -p "${dir}"
use_wine --headless "$(pwd)/${dir}/wine"

libs_root=$(windows_libs)
prefixes="${libs_root}"
desktop=(-DORLENDA_BUILD_GUI=OFF)
windows_qt=$(find_windows_qt)
if [ -n "${windows_qt}" ]; then
  qt_root=$(unpack_windows_qt "${windows_qt}")
  [ -d "${qt_root}/qt" ] && [ -d "${qt_root}/jpeg" ] || { echo "no qt/ and jpeg/ in ${qt_root}" >&2; exit 1; }
  echo "== The desktop program is built with the Windows Qt in ${qt_root}"
  # Qt's host tools (moc, uic, rcc) are Debian's, of the same Qt version.
  desktop=(-DORLENDA_BUILD_GUI=ON -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
  prefixes="${qt_root}/qt;${qt_root}/jpeg;${prefixes}"
else
  echo "== The desktop program (orlenda3001.exe) is skipped: no Windows Qt toolchain (neither"
  echo "   ORLENDA_WINDOWS_QT nor ../shared/toolchains/qt6-mingw-*.tar.xz; README.md says how to make one)."
  echo "   The core and orlenda3001-cli.exe are built."
fi

# Optimised at -O2: at -O3, GCC 12 reports overlaps inside std::string that are not there (-Wrestrict),
# and warnings are errors here.
configure "${dir}" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" "${desktop[@]}" "-DCMAKE_PREFIX_PATH=${prefixes}" \
  "-DCMAKE_FIND_ROOT_PATH=${prefixes}" -DORLENDA_WARNINGS_AS_ERRORS=ON
cmake --build "${dir}" -j"$(nproc 2>/dev/null || echo 2)" ${1:+--target "$@"}
