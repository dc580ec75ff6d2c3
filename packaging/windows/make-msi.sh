#!/usr/bin/env bash
# Makes the Windows installer from a folder holding the files it installs (orlenda3001.exe,
# orlenda3001-cli.exe, README.md, LICENSE, THIRD-PARTY-NOTICES.txt, Red_Kestrel.plt), with wixl.
# wixl names the files relative to the .wxs file, so both are put side by side in a scratch folder.
#
#   make-msi.sh FILES_FOLDER VERSION OUTPUT.msi
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
files=$(realpath "$1")
version=$2
output=$(realpath -m "$3")
project=$(cd "${here}/../.." && pwd)
help_link=$(sed -n 's/^set(ORLENDA_HOMEPAGE_URL "\([^"]*\)".*/\1/p' "${project}/CMakeLists.txt")

scratch=$(mktemp -d "${TMPDIR:-/tmp}/orlenda-msi-XXXXXX")
trap 'rm -rf "${scratch}"' EXIT
for file in orlenda3001.exe orlenda3001-cli.exe README.md LICENSE THIRD-PARTY-NOTICES.txt Red_Kestrel.plt; do
  [ -f "${files}/${file}" ] || { echo "make-msi: no ${file} in ${files}" >&2; exit 1; }
  ln -s "${files}/${file}" "${scratch}/${file}"
done
cp "${here}/orlenda3001.wxs" "${project}/ui/pictures/orlenda3001.ico" "${scratch}/"
rm -f "${output}"
# wixl reports parts of the schema it leaves to Windows Installer's defaults on standard error.
(cd "${scratch}" && wixl --arch x64 -D "Version=${version}" -D "HelpLink=${help_link}" -o "${output}" orlenda3001.wxs \
  2>"${scratch}/wixl.log") || { cat "${scratch}/wixl.log" >&2; exit 1; }
echo "make-msi: ${output}"
