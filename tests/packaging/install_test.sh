#!/usr/bin/env bash
# Installs the build into a staging folder, as a package would, and checks what a desktop needs from
# it: the programs, the desktop entry (valid, and opening pilot files), and the pilot file's MIME type
# (valid, and matching *.plt and *.PLT).
#
#   install_test.sh BUILD_FOLDER WITH_DESKTOP_PROGRAM(ON|OFF)
set -euo pipefail
build=$1
desktop=$2
staging=$(mktemp -d "${TMPDIR:-/tmp}/orlenda-install-XXXXXX")
trap 'rm -rf "${staging}"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "${build}" --prefix "${staging}" >/dev/null
[ -x "${staging}/bin/orlenda3001-cli" ] || fail "no bin/orlenda3001-cli"
if [ "${desktop}" != ON ]; then
  echo "the desktop program is not built: its entry and file type are not checked"
  exit 0
fi
[ -x "${staging}/bin/orlenda3001" ] || fail "no bin/orlenda3001"

entry="${staging}/share/applications/orlenda3001.desktop"
mime="${staging}/share/mime/packages/orlenda3001-pilot.xml"
[ -f "${entry}" ] || fail "no desktop entry"
[ -f "${mime}" ] || fail "no MIME type definition"
grep -qx 'MimeType=application/x-xwa-pilot;' "${entry}" || fail "the desktop entry does not open pilot files"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "${entry}" || fail "desktop-file-validate rejects the desktop entry"
else
  echo "desktop-file-validate is not installed: the desktop entry is not validated"
fi

if command -v xmllint >/dev/null; then
  xmllint --noout "${mime}" || fail "the MIME type definition is not well-formed XML"
fi
if command -v update-mime-database >/dev/null; then
  # The database built from our definition alone must map the extension; its globs match without
  # regard to case, so *.PLT is kept as *.plt.
  update-mime-database "${staging}/share/mime" >/dev/null 2>&1 || fail "update-mime-database rejects the definition"
  grep -qF ':application/x-xwa-pilot:*.plt' "${staging}/share/mime/globs2" ||
    fail "the MIME database does not map *.plt"
else
  echo "update-mime-database is not installed: the MIME type is not checked"
fi
echo "installed and checked in ${staging}"
