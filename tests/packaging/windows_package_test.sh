#!/usr/bin/env bash
# Makes the Windows packages (scripts/package-windows.sh) and checks them: the third-party notices
# against the programs' link maps, LICENSE and the notices in the zip, and the installer under Wine on
# a virtual display (Xvfb), in a prefix of its own, as a player would use it:
# 1. where another program owns .plt, an installation and its removal leave it the owner, and "Open
#    with" offers ours meanwhile;
# 2. `msiexec /i … /qn` installs per machine: the files in Program Files\Orlenda 3001, the Start-menu
#    shortcut, the .plt association and the entry under installed apps with its icon and folder (read
#    with `wine reg query`); the licence texts the notices point to are carried;
# 3. `wine start C:\…\Wedge.plt` opens that file in the installed program at once, its view shown
#    without the open dialog, and the report that the windows show (through the build's screenshot
#    tool) equals `orlenda3001-cli.exe report` of the file;
# 4. a rebuild of the same version replaces it (one entry under installed apps), an installer of a
#    higher version replaces that (one product afterwards, with the new files), and the older
#    installer is then refused;
# 5. `msiexec /x … /qn` removes every file, shortcut and registry key of ours and leaves the player's
#    settings, main log and pilot file as they were.
#
#   windows_package_test.sh [WINDOWS_BUILD_FOLDER] [REAL_PILOTS_FOLDER]
set -uo pipefail
cd "$(dirname "$0")/../.."
dir=${1:-build-windows}
real_pilots=${2:-}

if [ -z "${ORLENDA_PACKAGE_TEST_IN_XVFB:-}" ]; then
  bash scripts/package-windows.sh >/dev/null || { echo "FAIL: scripts/package-windows.sh" >&2; exit 1; }
  bash scripts/build-windows.sh orlenda3001-screenshots >/dev/null ||
    { echo "FAIL: scripts/build-windows.sh orlenda3001-screenshots" >&2; exit 1; }
  source scripts/lib.sh
  in_xvfb env ORLENDA_PACKAGE_TEST_IN_XVFB=1 "$0" "$@"
  exit
fi

source scripts/lib.sh
version=$(project_version)
name="orlenda3001-${version}"
msi="${dir}/${name}-windows-x64.msi"
work=$(mktemp -d "${TMPDIR:-/tmp}/orlenda-msi-test-XXXXXX")
# A prefix of its own; Wine's menu builder stays off, so that nothing reaches the host's desktop menus.
use_wine "${work}/wine" "winemenubuilder.exe=d"
cleanup() {
  "${wineserver}" -k 2>/dev/null
  rm -rf "${work}"
}
trap cleanup EXIT

failed=0
check() { # what, command...
  local what=$1
  shift
  if "$@"; then echo "ok: ${what}"; else echo "FAIL: ${what}"; failed=1; fi
}
fail() {
  echo "FAIL: $*"
  exit 1
}

echo "== The notices and the zip"
check "the notices claim every library linked into the programs" \
  bash tests/packaging/notices_test.sh THIRD-PARTY-NOTICES.txt "${dir}/app/orlenda3001.map" "${dir}/cli/orlenda3001-cli.map"
zip_listing=$(unzip -Z1 "${dir}/${name}-windows-x64.zip")
for file in LICENSE THIRD-PARTY-NOTICES.txt; do
  check "the zip holds ${file}" grep -qx "${name}/${file}" <<<"${zip_listing}"
done
echo "${zip_listing}" >"${work}/zip-files.txt"
unzip -p "${dir}/${name}-windows-x64.zip" "${name}/THIRD-PARTY-NOTICES.txt" >"${work}/zip-notices.txt"
check "the zip carries every licence text and file that its notices point to" \
  bash tests/packaging/notices_test.sh "${work}/zip-notices.txt" --package "${work}/zip-files.txt"

# Windows' view of the prefix: the program's folder, the start menus, the registry.
drive_c="${WINEPREFIX}/drive_c"
installed="${drive_c}/Program Files/Orlenda 3001"
installed_windows='C:\Program Files\Orlenda 3001'
shortcuts() { find "${drive_c}/ProgramData" "${drive_c}/users" -iname 'Orlenda 3001.lnk' 2>/dev/null; }
msiexec() { "${wine}" msiexec "$@" >>"${work}/msiexec.log" 2>&1; }
reg_value() { # key [value name]: prints the value's data, or fails when there is none
  local output
  if [ -n "${2:-}" ]; then
    output=$("${wine}" reg query "$1" /v "$2" 2>/dev/null) || return 1
  else
    output=$("${wine}" reg query "$1" /ve 2>/dev/null) || return 1
  fi
  grep -m1 -E '^ +\S.*REG_' <<<"${output}" | sed -E 's/^ +.*REG_[A-Z_]+ {4}//; s/^ +.*REG_[A-Z_]+$//' | tr -d '\r'
}
reg_equals() { [ "$(reg_value "$1" "${3:-}")" = "$2" ]; }
reg_has() { reg_value "$@" >/dev/null; }
uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The installed-apps entries named "Orlenda 3001": one key per line.
our_entries() {
  "${wine}" reg query "${uninstall_root}" 2>/dev/null | tr -d '\r' | grep '^HKEY' | while read -r key; do
    [ "$(reg_value "${key}" DisplayName)" = "Orlenda 3001" ] && echo "${key}"
  done
}
same_files() { # folder: the installed files equal the folder's
  local file
  for file in orlenda3001.exe orlenda3001-cli.exe README.md LICENSE THIRD-PARTY-NOTICES.txt Red_Kestrel.plt; do
    cmp -s "$1/${file}" "${installed}/${file}" || return 1
  done
}
classes_keys=('HKCR\.plt' 'HKCR\Orlenda3001.PilotFile' 'HKCR\Applications\orlenda3001.exe')

"${wine}" cmd /c exit >/dev/null 2>&1 # makes the prefix
user=$(id -un)
profile="${drive_c}/users/${user}"

echo "== .plt owned by another program"
other_owner=OtherGame.PilotFile
"${wine}" reg add 'HKLM\Software\Classes\.plt' /ve /d "${other_owner}" /f >/dev/null 2>&1
check "msiexec /i exits with 0" msiexec /i "Z:$(realpath "${msi}")" /qn
check ".plt keeps its owner through the installation" reg_equals 'HKCR\.plt' "${other_owner}"
check ".plt's Open with offers the pilot file type" reg_has 'HKCR\.plt\OpenWithProgids' Orlenda3001.PilotFile
check "msiexec /x exits with 0" msiexec /x "Z:$(realpath "${msi}")" /qn
check ".plt keeps its owner through the uninstallation" reg_equals 'HKCR\.plt' "${other_owner}"
check ".plt's Open with no longer offers ours" bash -c "! '${wine}' reg query 'HKCR\\.plt\\OpenWithProgids' /v Orlenda3001.PilotFile >/dev/null 2>&1"
"${wine}" reg delete 'HKLM\Software\Classes\.plt' /f >/dev/null 2>&1

echo "== Installing ${msi##*/}"
check "msiexec /i exits with 0" msiexec /i "Z:$(realpath "${msi}")" /qn
check "the files are in Program Files\\Orlenda 3001" same_files "${dir}/package/${name}"
(cd "${installed}" && find . -type f) >"${work}/installed-files.txt"
check "the installation carries every licence text and file that its notices point to" \
  bash tests/packaging/notices_test.sh "${installed}/THIRD-PARTY-NOTICES.txt" --package "${work}/installed-files.txt"
check "the Start-menu shortcut is in place" test -n "$(shortcuts)"
program_command="\"${installed_windows}\\orlenda3001.exe\" --open \"%1\""
check ".plt is a pilot file" reg_equals 'HKCR\.plt' Orlenda3001.PilotFile
check ".plt's Open with lists the pilot file type" reg_has 'HKCR\.plt\OpenWithProgids' Orlenda3001.PilotFile
check "the pilot file type's name" reg_equals 'HKCR\Orlenda3001.PilotFile' "X-Wing Alliance pilot file"
check "the pilot file type's icon" reg_equals 'HKCR\Orlenda3001.PilotFile\DefaultIcon' "\"${installed_windows}\\orlenda3001.exe\",0"
check "the pilot file type opens with the program" \
  reg_equals 'HKCR\Orlenda3001.PilotFile\shell\open\command' "${program_command}"
check "the program lists .plt as its type" reg_has 'HKCR\Applications\orlenda3001.exe\SupportedTypes' .plt
mapfile -t entries < <(our_entries)
check "one entry under installed apps" test "${#entries[@]}" -eq 1
entry=${entries[0]:-none}
check "the entry's version is ${version}" reg_equals "${entry}" "${version}" DisplayVersion
check "the entry's publisher" reg_equals "${entry}" "The Orlenda 3001 developers" Publisher
check "the entry's help link" reg_has "${entry}" HelpLink
check "the entry's icon is the program's" reg_equals "${entry}" "\"${installed_windows}\\orlenda3001.exe\",0" DisplayIcon
check "the entry's install folder" reg_equals "${entry}" "${installed_windows}\\" InstallLocation
# Windows Installer keeps the product's icon under its product key, where installed apps look for it.
check "the entry's icon" bash -c "'${wine}' reg query 'HKLM\\Software\\Classes\\Installer\\Products' /s /v ProductIcon 2>/dev/null |
  grep -q 'orlenda3001.ico'"

echo "== A pilot file started from the shell"
pilot="${installed}/Red_Kestrel.plt"
if [ -n "${real_pilots}" ] && [ -d "${real_pilots}" ]; then
  first=$(find "${real_pilots}" -maxdepth 1 -iname '*.plt' | sort | head -1)
  [ -n "${first}" ] && pilot=${first}
fi
mkdir -p "${drive_c}/users/Jörg"
cp "${pilot}" "${drive_c}/users/Jörg/Wedge.plt"
windows_pilot='C:\users\Jörg\Wedge.plt'
# As a player's double-click does: the program opens the file at once, its view titled with the file's
# path, and no open dialog is shown.
window_named() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
wait_for_window() { # title pattern, seconds
  local waited=0
  until window_named "$1"; do
    [ "${waited}" -lt "$2" ] || return 1
    sleep 1
    waited=$((waited + 1))
  done
}
"${wine}" start "${windows_pilot}" >>"${work}/start.log" 2>&1
check "wine start of a .plt file shows its pilot file view" wait_for_window 'Wedge\.plt' 180
check "... without the open dialog" bash -c "! xdotool search --onlyvisible --name '^Open\$' >/dev/null 2>&1"
check "... with the path in Windows' form" window_named 'C:\\users\\J.*\\Wedge\.plt'
"${wineserver}" -k 2>/dev/null # ends the program, in this test's own prefix
"${wineserver}" -w 2>/dev/null # and waits until the server has gone
# The screenshot tool of the same build (no package holds it) loads the file in the same windows
# without asking, writes the report that the pilot file view shows, and ends.
ORLENDA_SCREENSHOT_DIR="Z:${work}/shots" ORLENDA_REPORT_FILE="Z:${work}/window-report.txt" \
  timeout 180 "${wine}" "${dir}/tools/screenshots/orlenda3001-screenshots.exe" "${windows_pilot}" >>"${work}/start.log" 2>&1
check "the window's report of the file is written" test -s "${work}/window-report.txt"
"${wine}" "${installed}/orlenda3001-cli.exe" report "${windows_pilot}" >"${work}/cli-report.txt" 2>/dev/null
normalise() { tr -d '\r' <"$1" | sed -e '$a\'; }
check "its report equals orlenda3001-cli.exe report" \
  cmp -s <(normalise "${work}/window-report.txt") <(normalise "${work}/cli-report.txt")

echo "== A rebuild of ${version}"
product_code() { msiinfo export "$1" Property | awk -F'\t' '$1 == "ProductCode" { print $2 }' | tr -d '\r'; }
bash packaging/windows/make-msi.sh "${dir}/package/${name}" "${version}" "${work}/rebuild.msi" >/dev/null ||
  fail "no rebuilt installer of version ${version}"
check "the rebuild has a product code of its own" test "$(product_code "${msi}")" != "$(product_code "${work}/rebuild.msi")"
check "msiexec /i of the rebuild exits with 0" msiexec /i "Z:${work}/rebuild.msi" /qn
mapfile -t entries < <(our_entries)
check "one entry under installed apps after the rebuild" test "${#entries[@]}" -eq 1
ends_with() { [[ "$1" == *"$2" ]]; }
check "the entry is the rebuild's" ends_with "${entries[0]:-none}" "\\$(product_code "${work}/rebuild.msi")"
check "the files are still in Program Files\\Orlenda 3001" same_files "${dir}/package/${name}"

echo "== An upgrade, then the older version again"
newer_version="${version%.*}.$((${version##*.} + 1))"
cp -r "${dir}/package/${name}" "${work}/newer"
echo "Built as ${newer_version} for the upgrade test." >>"${work}/newer/README.md"
bash packaging/windows/make-msi.sh "${work}/newer" "${newer_version}" "${work}/newer.msi" >/dev/null ||
  fail "no installer of version ${newer_version}"
check "msiexec /i of version ${newer_version} exits with 0" msiexec /i "Z:${work}/newer.msi" /qn
mapfile -t entries < <(our_entries)
check "one entry under installed apps after the upgrade" test "${#entries[@]}" -eq 1
check "the entry's version is ${newer_version}" reg_equals "${entries[0]:-none}" "${newer_version}" DisplayVersion
check "the newer files are installed" same_files "${work}/newer"
check "installing ${version} over ${newer_version} is refused" bash -c "! '${wine}' msiexec /i 'Z:$(realpath "${msi}")' /qn"
# Windows Installer shows the launch condition's message to a player who tries (/qn shows none).
check "the refusal says why" bash -c "msiinfo export '${msi}' LaunchCondition | grep -q 'A newer version of Orlenda 3001 is already installed'"
check "${newer_version} stays installed" reg_equals "${entries[0]:-none}" "${newer_version}" DisplayVersion

echo "== Uninstalling"
# The player's own files, written before: settings, main log, a pilot file.
printf '[Orlenda]\r\nLogFile=C:\\users\\%s\\ORLENDA_MainLog.txt\r\n' "${user}" >"${profile}/AppData/Roaming/orlenda3001.ini"
printf 'Wedge 1234\r\n' >"${profile}/ORLENDA_MainLog.txt"
cp "${profile}/AppData/Roaming/orlenda3001.ini" "${profile}/ORLENDA_MainLog.txt" "${drive_c}/users/Jörg/Wedge.plt" "${work}/"
check "msiexec /x exits with 0" msiexec /x "Z:${work}/newer.msi" /qn
check "no file of ours is left" test ! -e "${installed}"
check "no shortcut of ours is left" test -z "$(shortcuts)"
for key in "${classes_keys[@]}"; do
  check "no registry key ${key}" bash -c "! '${wine}' reg query '${key}' >/dev/null 2>&1"
done
check "no entry under installed apps" test -z "$(our_entries)"
check "the settings are untouched" cmp -s "${work}/orlenda3001.ini" "${profile}/AppData/Roaming/orlenda3001.ini"
check "the main log is untouched" cmp -s "${work}/ORLENDA_MainLog.txt" "${profile}/ORLENDA_MainLog.txt"
check "the pilot file is untouched" cmp -s "${work}/Wedge.plt" "${drive_c}/users/Jörg/Wedge.plt"

if [ "${failed}" -ne 0 ]; then
  echo "windows packages: failed; msiexec said:"
  cat "${work}/msiexec.log"
  exit 1
fi
echo "windows packages: the zip and the installer pass"
