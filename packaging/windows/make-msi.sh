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
# What wixl cannot say, written into its tables (see orlenda3001.wxs): the registry locator of
# PLT_OWNER (the default of HKLM\Software\Classes\.plt, raw, in the 64-bit view); the condition that
# takes the default of .plt only where no other program owns it; and the upgrade of older versions
# made to include this very version (attributes: migrate features, maximum inclusive); and the
# installed-apps entry's folder, ARPINSTALLLOCATION, set to the install folder once it is known (a
# custom action of type 51, right after CostFinalize).
upgrade_code=$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' "${here}/orlenda3001.wxs")
msi_query() { msibuild "${output}" -q "$1" >/dev/null 2>&1 || { echo "make-msi: refused: $1" >&2; exit 1; }; }
msi_query "INSERT INTO \`RegLocator\` (\`Signature_\`, \`Root\`, \`Key\`, \`Type\`)
  VALUES ('PltOwnerSearch', 2, 'Software\\Classes\\.plt', 18)"
msi_query "UPDATE \`Component\` SET \`Condition\` = 'NOT PLT_OWNER OR PLT_OWNER = \"Orlenda3001.PilotFile\"'
  WHERE \`Component\` = 'PilotFileDefault'"
msi_query "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_UPGRADE_DETECTED'"
msi_query "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`)
  VALUES ('{${upgrade_code}}', '${version}', 513, 'WIX_UPGRADE_DETECTED')"
msi_query "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`)
  VALUES ('SetInstallLocation', 51, 'ARPINSTALLLOCATION', '[INSTALLDIR]')"
msi_query "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('SetInstallLocation', 1001)"
echo "make-msi: ${output}"
