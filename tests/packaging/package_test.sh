#!/usr/bin/env bash
# Checks a built Debian package without installing it: its version everywhere, lintian (no error),
# apt's view of its dependencies (every one can be installed), and the package unpacked into a
# temporary folder, where the command line dumps a pilot, the desktop program shows its main window
# under Xvfb, and the manual pages, the desktop entry, the AppStream description and the bash
# completion pass their checks.
#
#   package_test.sh PACKAGE.deb VERSION
set -euo pipefail
package=$(realpath "$1")
version=$2
here=$(cd "$(dirname "$0")" && pwd)
real_pilots=$(realpath -m "${here}/../../../shared/real-pilots")

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "== package check: $*"; }

unpacked=$(mktemp -d "${TMPDIR:-/tmp}/orlenda-deb-XXXXXX")
trap 'rm -rf "${unpacked}"' EXIT

step "fields and version"
field() { dpkg-deb --field "${package}" "$1"; }
[ "$(field Package)" = orlenda3001 ] || fail "the package is not named orlenda3001"
[ "$(field Version)" = "${version}" ] || fail "the package's version $(field Version) is not ${version}"
depends=$(field Depends)
echo "Depends: ${depends}"
grep -q 'libqt6widgets6' <<<"${depends}" || fail "the dependencies computed from the programs lack Qt 6 Widgets"
if dpkg-deb --ctrl-tarfile "${package}" | tar -t | grep -qE 'postinst|postrm|preinst|prerm'; then
  fail "the package runs maintainer scripts; Debian's triggers update the caches"
fi

dpkg -x "${package}" "${unpacked}"
usr="${unpacked}/usr"
changelog_version=$(gzip -dc "${usr}/share/doc/orlenda3001/changelog.gz" | sed -n '1s/^orlenda3001 (\([^)]*\)).*/\1/p')
[ "${changelog_version}" = "${version}" ] ||
  fail "the changelog's newest entry is ${changelog_version}, the package ${version}: add an entry"
metainfo="${usr}/share/metainfo/io.github.orlenda3001.orlenda3001.metainfo.xml"
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "${metainfo}" | head -n 1)
[ "${release}" = "${version}" ] || fail "the AppStream description's newest release is ${release}, not ${version}"

step "lintian"
lintian_output=$(lintian --fail-on error --display-info "${package}") || {
  echo "${lintian_output}" >&2
  fail "lintian reports errors"
}
[ -z "${lintian_output}" ] || echo "${lintian_output}"
# The licence: no warning either, and the package carries its full text and the third-party notices.
if grep -iE '^[EW]: .*(copyright|licen[cs]e)' <<<"${lintian_output}"; then
  fail "lintian warns about the licence"
fi
for file in copyright LICENSE THIRD-PARTY-NOTICES.txt; do
  [ -f "${usr}/share/doc/orlenda3001/${file}" ] || fail "the package has no /usr/share/doc/orlenda3001/${file}"
done
(cd "${unpacked}" && find . -type f) >"${unpacked}.files"
bash "${here}/notices_test.sh" "${usr}/share/doc/orlenda3001/THIRD-PARTY-NOTICES.txt" --package "${unpacked}.files" ||
  fail "the third-party notices point to what the package does not carry"
rm -f "${unpacked}.files"

step "apt resolves the dependencies"
if [ -z "$(find /var/lib/apt/lists -maxdepth 1 -name '*_Packages*' -print -quit 2>/dev/null)" ]; then
  if [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq
  else
    fail "apt knows no package list; run apt-get update as root first"
  fi
fi
simulation=$(apt-get install --simulate --quiet "${package}" 2>&1) || {
  echo "${simulation}" >&2
  fail "apt cannot install the package"
}
grep -E '^(Inst|Conf) ' <<<"${simulation}" | sed 's/^/  /' | head -n 40
# What is installed here already is not installed again; on a system with no package installed (an
# empty package database) apt must find the whole chain in the archive, Qt included.
clean=$(apt-get -o Dir::State::status=/dev/null install --simulate --quiet "${package}" 2>&1) || {
  echo "${clean}" >&2
  fail "apt cannot install the package on a clean system"
}
grep -q '^Inst libqt6widgets6 ' <<<"${clean}" || fail "on a clean system apt would not install Qt 6 Widgets"
echo "on a clean system apt installs $(grep -c '^Inst ' <<<"${clean}") packages, Qt 6 among them"

step "the command line dumps a pilot"
pilot=""
if [ -d "${real_pilots}" ]; then
  pilot=$(find "${real_pilots}" -maxdepth 1 -iname '*.plt' -print | sort | head -n 1)
fi
if [ -z "${pilot}" ]; then
  echo "no real pilot in ${real_pilots}: the package's sample pilot is dumped instead"
  pilot="${usr}/share/orlenda3001/samples/Red_Kestrel.plt"
fi
scratch="${unpacked}/scratch"
mkdir -p "${scratch}/home" "${scratch}/config"
cp "${pilot}" "${scratch}/pilot.plt"
HOME="${scratch}/home" XDG_CONFIG_HOME="${scratch}/config" "${usr}/bin/orlenda3001-cli" dump "${scratch}/pilot.plt" \
  >"${scratch}/dump.json" || fail "orlenda3001-cli dump fails on $(basename "${pilot}")"
grep -q '"PilotName"' "${scratch}/dump.json" || fail "the dump of $(basename "${pilot}") holds no pilot name"
echo "dumped $(basename "${pilot}"): $(wc -c <"${scratch}/dump.json") bytes of JSON"

step "the desktop program shows its main window"
bash "${here}/../ui/smoke_test.sh" "${usr}/bin/orlenda3001" "${scratch}/smoke" || fail "the packaged desktop program"

step "manual pages, desktop entry, AppStream description"
for page in "${usr}"/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "${page}" 2>&1 >/dev/null)
  [ -z "${warnings}" ] || fail "man warns about ${page##*/}: ${warnings}"
done
[ -f "${usr}/share/man/man1/orlenda3001.1.gz" ] && [ -f "${usr}/share/man/man1/orlenda3001-cli.1.gz" ] ||
  fail "a manual page is missing"
entry="${usr}/share/applications/io.github.orlenda3001.orlenda3001.desktop"
messages=$(desktop-file-validate "${entry}" 2>&1) && [ -z "${messages}" ] ||
  fail "desktop-file-validate: ${messages}"
appstreamcli validate --no-net --pedantic "${metainfo}" >/dev/null || fail "appstreamcli validate rejects ${metainfo##*/}"
echo "clean"

step "bash completion"
bash "${here}/completion_test.sh" "${usr}/share/bash-completion/completions/orlenda3001-cli" \
  "${usr}/bin/orlenda3001-cli"
echo "package check: ${package##*/} passed"
