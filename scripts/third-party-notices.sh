#!/usr/bin/env bash
# Writes THIRD-PARTY-NOTICES.txt: every component that is linked into the programs we ship, with its
# copyright and licence texts taken verbatim from the copyright files of the Debian source packages it
# was built from (/usr/share/doc/<package>/copyright; the Windows Qt toolchain was built from Debian
# 12's qt6-base and libjpeg-turbo, see scripts/build-qt6-mingw.sh). Run it again when a library is
# added; tests/packaging/notices_test.sh checks the notices against the programs' link maps through
# the "Static libraries:" lines written here (path patterns of the archives each component provides).
# The licence texts that those copyright files point to in /usr/share/common-licenses/ (which a Windows
# player does not have) are reproduced at the end, each under a "Licence text:" heading that the test
# looks for, so that every package that carries this file carries them.
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

# Qt Core's BLAKE2 (QCryptographicHash) is the BLAKE2 reference code in src/3rdparty/blake2/, which
# Debian's copyright file of qt6-base does not list: its notice is the one its files carry.
blake2_notice() {
  cat <<'EOF'
Built from Qt's own copy (src/3rdparty/blake2/ of qt6-base) into Qt Core, where QCryptographicHash
uses it. Debian's copyright file of qt6-base does not list it; its files carry this notice:

  BLAKE2 reference source code package - reference C implementations

  Copyright 2012, Samuel Neves <sneves@dei.uc.pt>.  You may use this under the
  terms of the CC0, the OpenSSL Licence, or the Apache Public License 2.0, at
  your option.  The terms of these licenses can be found at:

  - CC0 1.0 Universal : http://creativecommons.org/publicdomain/zero/1.0
  - OpenSSL license   : https://www.openssl.org/source/license.html
  - Apache 2.0        : http://www.apache.org/licenses/LICENSE-2.0

  More information about the BLAKE2 hash function can be found at
  https://blake2.net.

(That is the whole comment at the head of Qt's src/3rdparty/blake2/src/blake2.h.)

Orlenda 3001 <Light> uses it under the CC0 1.0 Universal dedication, whose text is in
/usr/share/common-licenses/CC0-1.0 (below, as is the Apache License 2.0, in
/usr/share/common-licenses/Apache-2.0).
EOF
}

# The names of the licence texts in /usr/share/common-licenses/ that a file points to, with the texts
# that those which are links lead to (GPL is GPL-3).
licence_names() { # file
  local name
  grep -oE '/usr/share/common-licenses/[A-Za-z0-9+-]+([.][0-9]+)*' "$1" | sed 's|.*/||' | sort -u |
    while read -r name; do
      echo "${name}"
      [ -L "/usr/share/common-licenses/${name}" ] && readlink "/usr/share/common-licenses/${name}"
    done | sort -u
}

# Each licence text that the notices so far point to, verbatim under a "Licence text:" heading; a
# name that is a link says which text it is.
licence_texts() { # names
  local name
  heading "Licence texts"
  echo "The copyright files above point to licence texts in /usr/share/common-licenses/, where a Debian"
  echo "system keeps them. Each of them follows, verbatim from Debian 12's base-files."
  for name in $1; do
    printf '\n--- Licence text: /usr/share/common-licenses/%s ---\n\n' "${name}"
    if [ -L "/usr/share/common-licenses/${name}" ]; then
      echo "The same text as /usr/share/common-licenses/$(readlink "/usr/share/common-licenses/${name}"), above or below."
    else
      cat "/usr/share/common-licenses/${name}"
    fi
  done
}

# What the Windows Qt was built from: Debian's original tarball without Debian's patches, and the one
# edit that scripts/build-qt6-mingw.sh makes, quoted from the script itself.
qt_source_statement() {
  cat <<'EOF'
- Qt's source: what was built is the original tarball of Debian 12's source package qt6-base
  6.4.2+dfsg-10, qt6-base_6.4.2+dfsg.orig.tar.xz (Qt's qtbase-everywhere-src-6.4.2 without the files
  that Debian's copyright lists under Files-Excluded), unpacked without Debian's patches (the
  package's debian.tar.xz is not applied), with one edit that scripts/build-qt6-mingw.sh makes before
  configuring, so that the windows platform plugin builds with OpenGL off:

EOF
  awk '/^sed -i / { quoting = 1 } quoting { print "    " $0 } quoting && !/\\$/ { exit }' scripts/build-qt6-mingw.sh
  cat <<'EOF'

  (in src/plugins/platforms/windows/qwindowswindow.cpp, each line "#if QT_CONFIG(dynamicgl)"
  becomes "#if QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)"), then configured and built as that
  script says. The tarball: `apt-get source --download-only qt6-base=6.4.2+dfsg-10` (which fetches
  it with the .dsc and debian.tar.xz), or https://snapshot.debian.org/package/qt6-base/6.4.2+dfsg-10/.
  The edit and the configuration: scripts/build-qt6-mingw.sh in the source of Orlenda 3001 <Light>
  (below). libjpeg-turbo is built the same way from the original tarball of Debian's libjpeg-turbo
  1:2.1.5-2, without Debian's patches and without edits.
EOF
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
packages that the components were built from. The licence texts that those files point to in
/usr/share/common-licenses/ are reproduced at the end of this file ("Licence texts").

What each program holds
-----------------------

- orlenda3001.exe (Windows, one static program): Qt 6.4.2 (Core, Gui, Widgets, the windows platform
  plugin and the windowsvista style) with the libraries Qt bundles (zlib, libpng, FreeType, HarfBuzz,
  PCRE2, and within Qt's own libraries BLAKE2, md4c, double-conversion and the other code named in
  Qt's copyright under src/3rdparty/), libjpeg-turbo, SQLite, zlib, the GCC runtime (libstdc++, libgcc)
  and the mingw-w64 runtime (its C runtime, Windows import libraries and winpthreads).
- orlenda3001-cli.exe (Windows, one static program): CLI11, nlohmann-json, SQLite, zlib, the GCC
  runtime and the mingw-w64 runtime.
- orlenda3001 and orlenda3001-cli (Linux, the Debian package): CLI11 and nlohmann-json are compiled
  into orlenda3001-cli. Everything else the two programs use (Qt, libjpeg-turbo, Nettle, SQLite, zlib, the C++
  and C libraries, the GCC runtime) is Debian's shared libraries, whose packages carry their own notices in
  /usr/share/doc/<package>/copyright.

Qt: getting its source and relinking
------------------------------------

Qt is used under the GNU Lesser General Public License, version 3 (LGPL-3.0), and is linked
statically into orlenda3001.exe. You may modify Qt and link orlenda3001.exe against your modified
version:

EOF
  qt_source_statement
  cat <<'EOF'
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
  component "BLAKE2, as bundled with Qt" "orlenda3001.exe" "" libqt6core6 blake2_notice
  component "libjpeg-turbo 2.1.5" "orlenda3001.exe" "*/jpeg/lib/libjpeg.a" libjpeg62-turbo verbatim libjpeg62-turbo
  component "SQLite 3.40.1 (for mingw-w64)" "orlenda3001.exe, orlenda3001-cli.exe" "*/mingw-libs/lib/libsqlite3.a" \
    libsqlite3-dev verbatim libsqlite3-dev
  component "zlib 1.2.13 (for mingw-w64)" "orlenda3001.exe, orlenda3001-cli.exe" "*/mingw-libs/lib/libz.a" \
    zlib1g-dev verbatim zlib1g-dev
  component "CLI11" "orlenda3001-cli, orlenda3001-cli.exe" "" libcli11-dev verbatim libcli11-dev
  component "nlohmann-json (JSON for Modern C++)" "orlenda3001-cli, orlenda3001-cli.exe" "" nlohmann-json3-dev \
    verbatim nlohmann-json3-dev
  component "The GCC runtime for Windows (libstdc++, libgcc)" "orlenda3001.exe, orlenda3001-cli.exe" \
    "/usr/lib/gcc/x86_64-w64-mingw32/*/*.a" gcc-mingw-w64-base verbatim gcc-mingw-w64-base
  component "The mingw-w64 runtime (C runtime, Windows import libraries, winpthreads)" \
    "orlenda3001.exe, orlenda3001-cli.exe" "/usr/x86_64-w64-mingw32/lib/*.a" mingw-w64-common verbatim mingw-w64-common
} >"${output}"
licence_texts "$(licence_names "${output}")" >>"${output}"
echo "third-party notices: ${output} ($(wc -l <"${output}") lines)"
