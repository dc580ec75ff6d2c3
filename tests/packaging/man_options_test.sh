#!/usr/bin/env bash
# The manual page of orlenda3001-cli and its --help must not drift apart: every subcommand that
# --help lists has a section in the manual page and the other way round, and each subcommand's section
# defines exactly the options that its --help lists (-h/--help, which every subcommand takes, is
# defined once under OPTIONS, as the program's own options are).
#
#   man_options_test.sh CLI_PROGRAM MAN_PAGE_SOURCE.scd
set -euo pipefail
cli=$1
source=$2
status=0

# The options of one --help text: the first field of each line of its "Options:" list, split at commas.
help_options() {
  "${cli}" "$@" --help | awk '
    /^[A-Za-z]/ { in_options = ($0 ~ /^Options:/); next }
    in_options && /^ +-/ { n = split($1, names, ","); for (i = 1; i <= n; i++) print names[i] }' | sort -u
}

help_subcommands() {
  "${cli}" --help | awk '/^[A-Za-z]/ { in_list = ($0 ~ /^Subcommands:/); next } in_list && NF { print $1 }' | sort -u
}

# The options that a part of the manual page defines: the bold option names that open a definition
# line (*--name* _TEXT_, *-h*, *--help*). The part is a "## name" section under "# COMMANDS", or the
# "# OPTIONS" section when the name is empty.
man_options() {
  awk -v wanted="$1" '
    /^# / { top = $2; section = ""; next }
    /^## / { section = $2; next }
    /^\*-/ {
      if ((wanted == "" && top == "OPTIONS") || (wanted != "" && top == "COMMANDS" && section == wanted)) {
        line = $0
        while (match(line, /\*-[-A-Za-z0-9]+\*/)) {
          print substr(line, RSTART + 1, RLENGTH - 2)
          line = substr(line, RSTART + RLENGTH)
        }
      }
    }' "${source}" | sort -u
}

man_subcommands() {
  awk '/^# / { top = $2; next } /^## / && top == "COMMANDS" { print $2 }' "${source}" | sort -u
}

compare() {
  local what=$1 from_help=$2 from_man=$3
  if [ "${from_help}" != "${from_man}" ]; then
    echo "FAIL: ${what} differ between --help and the manual page:" >&2
    diff <(echo "${from_help}") <(echo "${from_man}") | sed -n 's/^< \(..*\)/  only in --help: \1/p; s/^> \(..*\)/  only in the manual page: \1/p' >&2 || true
    status=1
  fi
}

subcommands=$(help_subcommands)
[ -n "${subcommands}" ] || { echo "FAIL: --help lists no subcommand" >&2; exit 1; }
compare "the subcommands" "${subcommands}" "$(man_subcommands)"
compare "the program's options" "$(help_options)" "$(man_options "")"
common=$(help_options)
for subcommand in ${subcommands}; do
  own=$(comm -23 <(help_options "${subcommand}") <(echo "${common}"))
  compare "the options of ${subcommand}" "${own}" "$(man_options "${subcommand}")"
done
[ "${status}" -eq 0 ] && echo "the manual page defines the $(echo "${subcommands}" | wc -w) subcommands and their options as --help lists them"
exit "${status}"
