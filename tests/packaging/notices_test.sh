#!/usr/bin/env bash
# Checks THIRD-PARTY-NOTICES.txt against what the linker actually put into the programs: every static
# library that a link map shows a member taken from (other than our own, liborlenda_*) must match a
# "Static libraries:" pattern of a component in the notices, and each of Qt's bundled third-party
# libraries (libQt6Bundled*.a) that is linked must be named there by itself, so that a library cannot
# slip in without its notice.
#
#   notices_test.sh THIRD-PARTY-NOTICES.txt PROGRAM.map...
set -euo pipefail
notices=$1
shift
[ "$#" -gt 0 ] || { echo "usage: notices_test.sh NOTICES MAP..." >&2; exit 2; }

mapfile -t patterns < <(sed -n 's/^Static libraries: \([/*].*\)$/\1/p' "${notices}" | tr ' ' '\n' | sed '/^$/d')
[ "${#patterns[@]}" -gt 0 ] || { echo "FAIL: ${notices} names no static library" >&2; exit 1; }

failed=0
for map in "$@"; do
  [ -f "${map}" ] || { echo "FAIL: no link map ${map}" >&2; exit 1; }
  # The archives of the members the linker included: "path/libname.a(member.o)".
  grep -q '^Archive member included' "${map}" || { echo "FAIL: ${map} is not a GNU ld link map" >&2; exit 1; }
  mapfile -t archives < <(grep -oE '[^ ()]+\.a\(' "${map}" | sed 's/($//' | sort -u | grep -v '/\?liborlenda_[^/]*\.a$' || true)
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
      failed=1
    elif [[ "${name}" == libQt6Bundled* ]] && [ "$(basename "${claimed}")" != "${name}" ]; then
      echo "FAIL: $(basename "${map}"): Qt's bundled ${name} is linked, but the notices do not name it"
      failed=1
    fi
  done
  [ "${failed}" -ne 0 ] || echo "$(basename "${map}"): ${#archives[@]} static libraries, each with its notice"
done
exit "${failed}"
