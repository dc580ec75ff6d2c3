#!/usr/bin/env bash
# Builds the Windows core, orlenda3001-cli.exe and, with the Windows Qt toolchain, orlenda3001.exe
# (scripts/build-windows.sh), runs the core's test programs, the command-line tests and the window tests
# (offscreen) under Wine, and the desktop program's smoke test under Wine on an Xvfb display
# (tests/ui/wine_smoke_test.sh: the main window, a pilot file named by a non-ASCII path, its report
# against the command line's). Then checks that the Windows command line does what the Linux one does
# with every real pilot file (../shared/real-pilots, skipped when absent): the same `dump` output, the
# same bytes after `update` with a non-ASCII name, the same main log after `export --log`, and a pilot
# file whose name is not ASCII. Wine runs in a throw-away prefix, without a display.
#
#   scripts/test-windows.sh      Environment: WINDOWS_BUILD_DIR (default build-windows),
#                                LINUX_CLI (default: build-cli-release/cli/orlenda3001-cli, built here)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${WINDOWS_BUILD_DIR:-build-windows}
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/build-windows.sh
source scripts/configurations.sh  # configure and scripts/lib.sh
if [ -z "${LINUX_CLI:-}" ]; then
  echo "== Building the Linux command line to compare with"
  configure build-cli-release -DCMAKE_BUILD_TYPE=Release -DORLENDA_BUILD_GUI=OFF -DORLENDA_BUILD_TESTS=OFF \
    -DORLENDA_WARNINGS_AS_ERRORS=ON
  cmake --build build-cli-release -j"${jobs}" --target orlenda3001-cli >/dev/null
  LINUX_CLI=build-cli-release/cli/orlenda3001-cli
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/orlenda-windows-XXXXXX")
# Wine's prefix is the build's own (scripts/build-windows.sh), thrown away with the build folder.
use_wine --headless "$(pwd)/${dir}/wine"
# The Linux command line's updates keep their history in the throw-away folder, not the user's.
export XDG_DATA_HOME="${work}/linux-data"
cleanup() {
  "${wineserver}" -k 2>/dev/null || true
  rm -rf "${work}"
}
trap cleanup EXIT


# Qt Test writes the window tests' results into files under Wine: their failures, skips and totals
# are shown after the run.
show_window_test_results() {
  local results="${dir}/tests/ui/window-test-results"
  [ -d "${results}" ] || return 0
  for file in "${results}"/*.txt; do
    [ -f "${file}" ] || continue
    grep -E '^(FAIL|XPASS|QFATAL|SKIP|Totals)' "${file}" | sed "s|^|$(basename "${file}" .txt): |" || true
  done
}

# Each Google Test program runs whole under Wine, as one ctest test: the number of its tests that
# passed, and the tests it left out or skipped, are shown after the run, so that they are counted.
show_core_test_counts() {
  local log="${dir}/Testing/Temporary/LastTest.log"
  [ -f "${log}" ] || return 0
  awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
       /^\[  (PASSED|FAILED|SKIPPED) +\] [0-9]+ tests?[,.]/ { print name ": " $0 }' "${log}"
}

echo "== Testing in ${dir} under Wine"
# One test program at a time: under Wine, the settings test of two writers at once sees the file
# replaced in steps that a second program on the other core can slow to where a write gives up.
rm -f "${dir}"/tests/ui/window-test-results/*.txt
if ! ctest --test-dir "${dir}" --output-on-failure -j1 --timeout 300; then
  show_core_test_counts
  show_window_test_results
  exit 1
fi
show_core_test_counts
show_window_test_results

windows_cli=("${wine}" "${dir}/cli/orlenda3001-cli.exe")
failed=0
check() { # what, command...
  local what=$1
  shift
  if "$@"; then echo "ok: ${what}"; else echo "FAIL: ${what}"; failed=1; fi
}

pilots=()
if [ -d ../shared/real-pilots ]; then mapfile -t pilots < <(find ../shared/real-pilots -maxdepth 1 -iname '*.plt' | sort); fi
if [ "${#pilots[@]}" -eq 0 ]; then echo "no real pilot files: the comparisons with Linux are skipped"; fi
for pilot in "${pilots[@]}"; do
  name=$(basename "${pilot}")
  mkdir -p "${work}/linux" "${work}/windows"
  check "dump ${name}" cmp -s <("${LINUX_CLI}" dump "${pilot}") <("${windows_cli[@]}" dump "${pilot}")
  cp "${pilot}" "${work}/linux/${name}"
  cp "${pilot}" "${work}/windows/${name}"
  "${LINUX_CLI}" update --name 'Kötter' --rank 2 "${work}/linux/${name}" >/dev/null 2>&1 || true
  "${windows_cli[@]}" update --name 'Kötter' --rank 2 "${work}/windows/${name}" >/dev/null 2>&1 || true
  check "update ${name}" cmp -s "${work}/linux/${name}" "${work}/windows/${name}"
  printf '[Orlenda]\nIncludeDate=0\n' >"${work}/export.ini"
  "${LINUX_CLI}" export --ini "${work}/export.ini" --log "${work}/linux/log.txt" "${pilot}" >/dev/null 2>&1 || true
  "${windows_cli[@]}" export --ini "${work}/export.ini" --log "${work}/windows/log.txt" "${pilot}" >/dev/null 2>&1 || true
  check "export --log ${name}" cmp -s "${work}/linux/log.txt" "${work}/windows/log.txt"
done
if [ "${#pilots[@]}" -gt 0 ]; then
  unicode="${work}/Pilöt ✈ $(basename "${pilots[0]}")"
  cp "${pilots[0]}" "${unicode}"
  check "a file name that is not ASCII" cmp -s <("${LINUX_CLI}" dump "${unicode}") <("${windows_cli[@]}" dump "${unicode}")
fi

# The history under Wine: `record` and `list` keep and read the states in the user's %LOCALAPPDATA%.
if [ "${#pilots[@]}" -gt 0 ]; then
  local_app_data=$("${wine}" cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
  history_file=$("${wine}" winepath -u "${local_app_data}\\Orlenda 3001\\history.sqlite3" 2>/dev/null)
  cp "${pilots[0]}" "${work}/windows/recorded.plt"
  check "history record under Wine" "${windows_cli[@]}" history record "${work}/windows/recorded.plt"
  "${windows_cli[@]}" update --rank 3 "${work}/windows/recorded.plt" >/dev/null 2>&1 || true
  check "history list under Wine: the states before and after the update" \
    bash -c '"$@" | grep -c "^ *[12]\*\?  " | grep -qx 2' list "${windows_cli[@]}" history list "${work}/windows/recorded.plt"
  check "the history in %LOCALAPPDATA%\\Orlenda 3001" test -s "${history_file}"
fi
[ "${failed}" -eq 0 ] || { echo "windows: the Windows command line differs from the Linux one"; exit 1; }

# The zip and the installer, the installer under Wine in a prefix of its own.
echo "== The Windows packages"
bash tests/packaging/windows_package_test.sh "${dir}" ../shared/real-pilots
echo "windows: the core tests pass under Wine and the command line matches Linux"
