#!/usr/bin/env bash
# Checks THIRD-PARTY-NOTICES.txt against what the linker actually put into the programs: every static
# library that a link map shows a member taken from (other than our own, liborlenda_*) must match a
# "Static libraries:" pattern of a component in the notices, and each of Qt's bundled third-party
# libraries (libQt6Bundled*.a) that is linked must be named there by itself, so that a library cannot
# slip in without its notice. Checks also that the notices carry what they point to: each licence text
# named in /usr/share/common-licenses/ is reproduced under its "Licence text:" heading, and, given the
# list of a package's files (--package), the files of ours that the notices name (LICENSE, README.md)
# are in the package.
#
#   notices_test.sh THIRD-PARTY-NOTICES.txt [--package FILE_LIST] [PROGRAM.map...]
set -euo pipefail
notices=$1
shift
package_files=""
if [ "${1:-}" = "--package" ]; then
  package_files=$2
  shift 2
fi
failed=0

# --- What the notices point to --------------------------------------------------------------------

mapfile -t licences < <(grep -oE '/usr/share/common-licenses/[A-Za-z0-9+-]+([.][0-9]+)*' "${notices}" | sort -u)
for licence in "${licences[@]}"; do
  if ! grep -qxF -- "--- Licence text: ${licence} ---" "${notices}"; then
    echo "FAIL: the notices point to ${licence}, but do not carry its text"
    failed=1
  fi
done
if [ -n "${package_files}" ]; then
  for file in LICENSE README.md; do
    grep -qw "${file}" "${notices}" || continue
    if ! grep -qE "(^|/)${file//./[.]}\$" "${package_files}"; then
      echo "FAIL: the notices point to ${file}, but the package does not carry it"
      failed=1
    fi
  done
fi
[ "${failed}" -ne 0 ] || echo "$(basename "${notices}"): ${#licences[@]} licence texts pointed to, each carried"

# --- What the programs hold -----------------------------------------------------------------------

[ "$#" -gt 0 ] || exit "${failed}"
mapfile -t patterns < <(sed -n 's/^Static libraries: \([/*].*\)$/\1/p' "${notices}" | tr ' ' '\n' | sed '/^$/d')
[ "${#patterns[@]}" -gt 0 ] || { echo "FAIL: ${notices} names no static library" >&2; exit 1; }

for map in "$@"; do
  [ -f "${map}" ] || { echo "FAIL: no link map ${map}" >&2; exit 1; }
  # The archives of the members the linker included: "path/libname.a(member.o)".
  grep -q '^Archive member included' "${map}" || { echo "FAIL: ${map} is not a GNU ld link map" >&2; exit 1; }
  mapfile -t archives < <(grep -oE '[^ ()]+\.a\(' "${map}" | sed 's/($//' | sort -u | grep -v '/\?liborlenda_[^/]*\.a$' || true)
  map_failed=0
  for archive in "${archives[@]}"; do
    path=$(realpath -m "${archive}")
    claimed=""
    for pattern in "${patterns[@]}"; do
      # shellcheck disable=SC2053 # the pattern is a glob on purpose
      if [[ "${path}" == ${pattern} ]]; then claimed=${pattern}; break; fi
    done
    name=$(basename "${path}")
    if [ -z "${claimed}" ]; then
      echo "FAIL: $(basename "${map}"): ${path} is linked, but no component of the notices claims it"
      map_failed=1
    elif [[ "${name}" == libQt6Bundled* ]] && [ "$(basename "${claimed}")" != "${name}" ]; then
      echo "FAIL: $(basename "${map}"): Qt's bundled ${name} is linked, but the notices do not name it"
      map_failed=1
    fi
  done
  [ "${map_failed}" -ne 0 ] || echo "$(basename "${map}"): ${#archives[@]} static libraries, each with its notice"
  [ "${map_failed}" -eq 0 ] || failed=1
done
exit "${failed}"
