#!/usr/bin/env bash
# Installs the build into a staging folder, as a package would, and checks what a desktop needs from
# it: the programs, their manual pages (no warning from man), the bash completion, the desktop entry
# (valid, and opening pilot files), the software centres' description (valid, and naming the desktop
# entry), and the pilot file's MIME type (valid, and matching *.plt and *.PLT). A check whose tool is
# missing says so and is left out; scripts/install-deps.sh installs them all.
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
[ -f "${staging}/share/bash-completion/completions/orlenda3001-cli" ] || fail "no bash completion"
for file in copyright LICENSE THIRD-PARTY-NOTICES.txt; do
  [ -f "${staging}/share/doc/orlenda3001/${file}" ] || fail "no ${file} in share/doc/orlenda3001"
done

# Each program's manual page, rendered without a warning.
check_manual_page() {
  local page="${staging}/share/man/man1/$1.1.gz"
  [ -f "${page}" ] || fail "no manual page $1(1)"
  if command -v man >/dev/null; then
    local warnings
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "${page}" 2>&1 >/dev/null)
    [ -z "${warnings}" ] || fail "man warns about $1(1): ${warnings}"
  fi
}
if command -v scdoc >/dev/null; then
  check_manual_page orlenda3001-cli
else
  echo "scdoc is not installed: no manual page is built or checked"
fi
if [ "${desktop}" != ON ]; then
  echo "the desktop program is not built: its entry and file type are not checked"
  exit 0
fi
[ -x "${staging}/bin/orlenda3001" ] || fail "no bin/orlenda3001"
# The screenshot tool is the project's own: the installed program has no screenshot mode, and no tool.
[ -z "$(find "${staging}" -name '*screenshots*' -type f)" ] || fail "the screenshot tool is installed"
! grep -qa ORLENDA_SCREENSHOT_DIR "${staging}/bin/orlenda3001" || fail "the installed program has a screenshot mode"
command -v scdoc >/dev/null && check_manual_page orlenda3001

id=io.github.orlenda3001.orlenda3001
entry="${staging}/share/applications/${id}.desktop"
metainfo="${staging}/share/metainfo/${id}.metainfo.xml"
mime="${staging}/share/mime/packages/orlenda3001-pilot.xml"
[ -f "${entry}" ] || fail "no desktop entry"
[ -f "${mime}" ] || fail "no MIME type definition"
grep -qx 'MimeType=application/x-xwa-pilot;' "${entry}" || fail "the desktop entry does not open pilot files"

if command -v desktop-file-validate >/dev/null; then
  # Hints count too: the entry must pass without any message.
  messages=$(desktop-file-validate "${entry}" 2>&1) || fail "desktop-file-validate rejects the desktop entry: ${messages}"
  [ -z "${messages}" ] || fail "desktop-file-validate has remarks on the desktop entry: ${messages}"
else
  echo "desktop-file-validate is not installed: the desktop entry is not validated"
fi

[ -f "${metainfo}" ] || fail "no AppStream description"
grep -qF "<launchable type=\"desktop-id\">${id}.desktop</launchable>" "${metainfo}" ||
  fail "the AppStream description does not name the desktop entry"
# The screenshots are named by their place in the source tree, where scripts/screenshots.sh makes them.
source_tree=$(cd "$(dirname "$0")/../.." && pwd)
screenshots=$(sed -n 's|.*<image>.*/\(docs/screenshots/[^<]*\)</image>.*|\1|p' "${metainfo}")
[ -n "${screenshots}" ] || fail "the AppStream description shows no screenshot"
for picture in ${screenshots}; do
  [ -f "${source_tree}/${picture}" ] || fail "the AppStream description shows ${picture}, which the source tree lacks"
done
if command -v appstreamcli >/dev/null; then
  # No error, warning, info or pedantic note.
  appstreamcli validate --no-net --pedantic "${metainfo}" ||
    fail "appstreamcli rejects the AppStream description"
else
  echo "appstreamcli is not installed: the AppStream description is not validated"
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
