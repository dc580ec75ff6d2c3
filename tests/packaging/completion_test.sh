#!/usr/bin/env bash
# Drives the bash completion of orlenda3001-cli as bash does on Tab: COMP_WORDS split at bash's word
# breaks, COMP_CWORD and COMP_LINE set, then the completion function, whose COMPREPLY is compared.
#
#   completion_test.sh COMPLETION_SCRIPT CLI_PROGRAM
set -uo pipefail
script=$(realpath "$1")
cli=$(realpath "$2")

framework=$(pkg-config --variable=datadir bash-completion 2>/dev/null)/bash-completion/bash_completion
[ -f "${framework}" ] || framework=/usr/share/bash-completion/bash_completion
if [ ! -f "${framework}" ]; then
  echo "bash-completion is not installed (scripts/install-deps.sh): the completion is not tested"
  exit 0
fi
# shellcheck source=/dev/null
source "${framework}"
# shellcheck source=/dev/null
source "${script}"

scratch=$(mktemp -d)
trap 'rm -rf "${scratch}"' EXIT
mkdir -p "${scratch}/folder"
touch "${scratch}/Red_Kestrel.plt" "${scratch}/OLD.PLT" "${scratch}/notes.txt" "${scratch}/scores.csv"
cd "${scratch}" || exit 1

failures=0

# complete WORD... : the completions, one a line, sorted, for the last word (the cursor at its end).
complete_words() {
  COMP_WORDS=("${cli}" "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  # bash's word breaks "=" and ":" stand in the line without blanks around them.
  COMP_LINE=""
  local word previous=""
  for word in "${COMP_WORDS[@]}"; do
    if [ -n "${COMP_LINE}" ] && [[ ${word} != [=:] && ${previous} != [=:] ]]; then COMP_LINE+=" "; fi
    COMP_LINE+=${word}
    previous=${word}
  done
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _orlenda3001_cli orlenda3001-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() {
  local what=$1 wanted=$2
  shift 2
  local got
  got=$(complete_words "$@")
  if [ "${got}" != "${wanted}" ]; then
    printf 'FAIL: %s: completing %s\n  wanted: %s\n  got:    %s\n' "${what}" "$*" "${wanted//$'\n'/ | }" \
      "${got//$'\n'/ | }" >&2
    failures=$((failures + 1))
  fi
}

lines() { printf '%s\n' "$@" | sort; }

subcommands=$("${cli}" --help | awk '/^[A-Za-z]/ { s = ($0 ~ /^Subcommands:/); next } s && NF { print $1 }' | sort)
expect "every subcommand that --help lists" "${subcommands}" ""
expect "a subcommand by its start" "update" up
expect "the program's options" "$(lines --help)" --
expect "a subcommand's options" "$(lines --rank --rating)" update Red_Kestrel.plt --ra
expect "options that take no value are offered too" "$(lines --help --json)" diff --
expect "pilot arguments: *.plt in any case, and folders" "$(lines OLD.PLT Red_Kestrel.plt folder)" dump ""
expect "a second pilot argument" "$(lines OLD.PLT Red_Kestrel.plt folder)" diff OLD.PLT ""
expect "the settings file: any file" "$(lines OLD.PLT Red_Kestrel.plt folder notes.txt scores.csv)" report --ini ""
expect "the main log: any file" "notes.txt" export --log no
expect "the high scores: *.csv files and folders" "$(lines folder scores.csv)" review --high-scores ""
expect "the main log after =" "notes.txt" export --log = no
expect "a free value is not completed" "" update --name ""
expect "the verbs of history" "$(lines record restore)" history re
expect "a verb after the history's database" "list" history --history notes.txt li
expect "a verb's own options" "--all" history list --a
expect "a verb's pilot argument" "$(lines OLD.PLT Red_Kestrel.plt folder)" history restore ""
expect "a rank with a blank, quoted for the shell" 'Lt.\ Commander' update Red_Kestrel.plt --rank Lt
expect "a rank typed with its backslash" 'Lt.\ Commander' update --rank 'Lt.\ C'
expect "ratings after =" "$(lines 'Ace\ 1st' 'Ace\ 2nd' 'Ace\ 3rd' 'Ace\ 4th')" update --rating = Ace
# bash breaks the word at the colon; only the part after it is replaced.
expect "a Kalidor Crescent status past its colon" "$(lines '\ Silver\ Scimitar' '\ Silver\ Talon')" \
  update --kalidor 'Kalidor\ Crescent' : '\ S'

# Every rank, rating and Kalidor Crescent status is offered: as many as the index range that the
# option's --help gives ("index 0-8").
for option in --rank --rating --kalidor; do
  last=$("${cli}" update --help | sed -n "s/^ *${option} .*index 0-\([0-9]*\).*/\1/p")
  count=$(complete_words update "${option}" "" | grep -c .)
  if [ -z "${last}" ] || [ "${count}" -ne $((last + 1)) ]; then
    echo "FAIL: ${option} offers ${count} names; --help gives the indexes 0-${last}" >&2
    failures=$((failures + 1))
  fi
done

if [ "${failures}" -ne 0 ]; then
  echo "${failures} completion checks failed" >&2
  exit 1
fi
echo "the completion offers the subcommands, options, names and files"
