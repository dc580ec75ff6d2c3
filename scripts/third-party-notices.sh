#!/usr/bin/env bash
# Writes THIRD-PARTY-NOTICES.txt: every component that is linked into the programs we ship, with its
# copyright and licence texts taken verbatim from the copyright files of the Debian source packages it
# was built from (/usr/share/doc/<package>/copyright; the Windows Qt toolchain was built from Debian
# 12's qt6-base and libjpeg-turbo, see scripts/build-qt6-mingw.sh). Run it again when a library is
# added; tests/packaging/notices_test.sh checks the notices against the programs' link maps through
# the "Static libraries:" lines written here (path patterns of the archives each component provides).
#
#   scripts/third-party-notices.sh [OUTPUT]     (default: THIRD-PARTY-NOTICES.txt)
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-THIRD-PARTY-NOTICES.txt}
qt_copyright=/usr/share/doc/libqt6core6/copyright

source_of() { # binary package: "source version" of the Debian source package it was built from
  dpkg-query -W -f='${source:Package} ${source:Version}' "$1"
}

# The paragraphs of a DEP-5 copyright file whose Files field names a path that matches a pattern (awk
# regular expression).
files_paragraphs() { # file pattern
  awk -v pattern="$2" 'BEGIN { RS = ""; ORS = "\n\n" }
    /^Files:/ && substr($0, 1, index($0, "Copyright:")) ~ pattern { print }' "$1"
}

heading() { # title
  printf '\n%s\n%s\n' "$1" "$(printf '%*s' "${#1}" '' | tr ' ' '=')"
}

# One component: what it is, where it is linked, its archives, and its notices (the rest of the
# arguments: a command that prints them).
component() { # title linked-into static-libraries package command...
  local title=$1 linked=$2 libraries=$3 package=$4
  shift 4
  heading "${title}"
  echo "Linked into: ${linked}"
  echo "Static libraries: ${libraries:-none of its own (compiled into the programs, or into the libraries above)}"
  echo "Debian source package: $(source_of "${package}") (binary package ${package})"
  echo
  "$@"
}

verbatim() { # package
  echo "--- /usr/share/doc/$1/copyright, verbatim ---"
  echo
  cat "/usr/share/doc/$1/copyright"
}

qt_bundled() { # pattern of its folders in src/3rdparty/
  echo "Built from Qt's own copy (src/3rdparty/ of qt6-base) into a library of Qt's. Its copyright and"
  echo "licence, from ${qt_copyright} (the licence texts named here are in the Qt section):"
  echo
  files_paragraphs "${qt_copyright}" "src/3rdparty/($1)/"
}

{
  cat <<'EOF'
Third-party notices of Orlenda 3001 <Light>
===========================================

Orlenda 3001 <Light> is free software: you can redistribute it and/or modify it under the terms of
the GNU General Public License as published by the Free Software Foundation, either version 3 of the
License, or (at your option) any later version (GPL-3.0-or-later; the text is in LICENSE). It comes
with no warranty.

The programs contain code of the components below, each under its own licence, which is reproduced
with it. This file is made by scripts/third-party-notices.sh from the copyright files of the Debian
packages that the components were built from.

What each program holds
-----------------------

- orlenda3001.exe (Windows, one static program): Qt 6.4.2 (Core, Gui, Widgets, the windows platform
  plugin and the windowsvista style) with the libraries Qt bundles (zlib, libpng, FreeType, HarfBuzz,
  PCRE2, and within Qt's own libraries md4c, double-conversion and the other code named in Qt's
  copyright under src/3rdparty/), libjpeg-turbo, the GCC runtime (libstdc++, libgcc) and the
  mingw-w64 runtime (its C runtime, Windows import libraries and winpthreads).
- orlenda3001-cli.exe (Windows, one static program): CLI11, nlohmann-json, the GCC runtime and the
  mingw-w64 runtime.
- orlenda3001 and orlenda3001-cli (Linux, the Debian package): CLI11 and nlohmann-json are compiled
  into orlenda3001-cli. Everything else the two programs use (Qt, libjpeg-turbo, Nettle, the C++ and C
  libraries, the GCC runtime) is Debian's shared libraries, whose packages carry their own notices in
  /usr/share/doc/<package>/copyright.

Qt: getting its source and relinking
------------------------------------

Qt is used under the GNU Lesser General Public License, version 3 (LGPL-3.0), and is linked
statically into orlenda3001.exe. You may modify Qt and link orlenda3001.exe against your modified
version:

- Qt's source: the exact source used is Debian 12's source package qt6-base, version 6.4.2+dfsg-10
  (`apt-get source qt6-base=6.4.2+dfsg-10`, or https://snapshot.debian.org/package/qt6-base/6.4.2+dfsg-10/),
  built for Windows by scripts/build-qt6-mingw.sh, which also takes libjpeg-turbo 1:2.1.5-2 the
  same way.
- Relinking: the complete source of Orlenda 3001 <Light> (GPL-3.0-or-later) is available from the
  same place as this program. With it, build your Qt with scripts/build-qt6-mingw.sh and link the
  program against it with `ORLENDA_WINDOWS_QT=<your Qt> bash scripts/build-windows.sh` (README.md,
  "Building for Windows").
EOF

  component "Qt 6.4.2 (qt6-base)" "orlenda3001.exe" \
    "*/qt/lib/libQt6Core.a */qt/lib/libQt6Gui.a */qt/lib/libQt6Widgets.a */qt/lib/libQt6EntryPoint.a */qt/plugins/*/*.a" \
    libqt6core6 verbatim libqt6core6
  component "zlib, as bundled with Qt" "orlenda3001.exe" "*/qt/lib/libQt6BundledZLIB.a" libqt6core6 \
    qt_bundled "zlib"
  component "libpng, as bundled with Qt" "orlenda3001.exe" "*/qt/lib/libQt6BundledLibpng.a" libqt6core6 \
    qt_bundled "libpng"
  component "FreeType, as bundled with Qt" "orlenda3001.exe" "*/qt/lib/libQt6BundledFreetype.a" libqt6core6 \
    qt_bundled "freetype"
  component "HarfBuzz, as bundled with Qt" "orlenda3001.exe" "*/qt/lib/libQt6BundledHarfbuzz.a" libqt6core6 \
    qt_bundled "harfbuzz-ng"
  component "PCRE2, as bundled with Qt" "orlenda3001.exe" "*/qt/lib/libQt6BundledPcre2.a" libqt6core6 \
    qt_bundled "pcre2"
  component "md4c, double-conversion and the other code in Qt's own libraries" "orlenda3001.exe" "" libqt6core6 \
    qt_bundled "md4c|double-conversion|easing|tinycbor|sha1|sha3|md4|md5|rfc6234|icc"
  component "libjpeg-turbo 2.1.5" "orlenda3001.exe" "*/jpeg/lib/libjpeg.a" libjpeg62-turbo verbatim libjpeg62-turbo
  component "CLI11" "orlenda3001-cli, orlenda3001-cli.exe" "" libcli11-dev verbatim libcli11-dev
  component "nlohmann-json (JSON for Modern C++)" "orlenda3001-cli, orlenda3001-cli.exe" "" nlohmann-json3-dev \
    verbatim nlohmann-json3-dev
  component "The GCC runtime for Windows (libstdc++, libgcc)" "orlenda3001.exe, orlenda3001-cli.exe" \
    "/usr/lib/gcc/x86_64-w64-mingw32/*/*.a" gcc-mingw-w64-base verbatim gcc-mingw-w64-base
  component "The mingw-w64 runtime (C runtime, Windows import libraries, winpthreads)" \
    "orlenda3001.exe, orlenda3001-cli.exe" "/usr/x86_64-w64-mingw32/lib/*.a" mingw-w64-common verbatim mingw-w64-common
} >"${output}"
echo "third-party notices: ${output} ($(wc -l <"${output}") lines)"
