#!/usr/bin/env bash
# The scripts' shared helpers that let CI do each step once: `configure` runs CMake again only when the
# options differ or the cache was written since, and the step times report each step's status and
# nesting, a step still running shown as such.
#
#   script_helpers_test.sh
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=scripts/configurations.sh
source "${root}/scripts/configurations.sh"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/orlenda-helpers-XXXXXX")
trap 'rm -rf "${scratch}"' EXIT
failures=0
expect() { # what, command...
  local what=$1
  shift
  "$@" || { echo "FAIL: ${what}" >&2; failures=$((failures + 1)); }
}

# A project without a language configures in a moment; each CMake run adds a line to runs.txt.
mkdir -p "${scratch}/source"
# shellcheck disable=SC2016 # CMake's own variables, for CMake to expand
printf '%s\n' 'cmake_minimum_required(VERSION 3.16)' 'project(helpers NONE)' \
  'file(APPEND ${CMAKE_BINARY_DIR}/runs.txt "${CHOICE}\n")' >"${scratch}/source/CMakeLists.txt"
cd "${scratch}/source" || exit 1
runs() { paste -sd' ' build/runs.txt; }
configure build -DCHOICE=a
configure build -DCHOICE=a
expect "the same options configure once" test "$(runs)" = "a"
configure build -DCHOICE=b
expect "other options configure again" test "$(runs)" = "a b"
cmake -S . -B build -DCHOICE=c >/dev/null
configure build -DCHOICE=b
expect "a cache written since by hand is configured again" test "$(runs)" = "a b c b"

export ORLENDA_STEP_TIMES="${scratch}/times.tsv"
unset ORLENDA_STEP_DEPTH # (set when this test runs inside a timed step, as in CI)
inner() { timed_step "inner" true; print_step_times >"${scratch}/while-running.txt"; }
timed_step "outer" inner >/dev/null
timed_step "failing" bash -c 'exit 3' >/dev/null
expect "a step returns its command's status" test $? -eq 3
expect "a running step is shown as running" grep -qE '^ +outer \(running\)$' "${scratch}/while-running.txt"
expect "a step inside another is indented under it" grep -qE '^ +[0-9]+\.[0-9] s    inner$' "${scratch}/while-running.txt"
summary=$(print_step_times)
expect "every finished step is listed once" test "$(grep -cE '^ +[0-9]+\.[0-9] s  +(outer|inner|failing)$' <<<"${summary}")" -eq 3

if [ "${failures}" -ne 0 ]; then
  echo "${failures} helper checks failed" >&2
  exit 1
fi
echo "configure runs CMake only for new options or a rewritten cache; the steps are timed and nested"
