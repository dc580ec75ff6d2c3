#!/usr/bin/env bash
# The Windows desktop program's start under Wine against a bare Qt window built with the same
# toolchain (bench/bare_qt_window.cpp, one empty window of the main window's size), both on an Xvfb
# display: the time from the start of the process until its window is on screen, the median of
# BENCH_RUNS starts of each, taken in turn, with Wine's server kept running so that neither pays for
# Wine's own start. Builds what it needs (scripts/build-windows.sh; needs the Windows Qt toolchain).
# See docs/PERFORMANCE.md.
#
#   scripts/bench-windows.sh      Environment: WINDOWS_BUILD_DIR (default build-windows), BENCH_RUNS (15)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${WINDOWS_BUILD_DIR:-build-windows}
runs=${BENCH_RUNS:-15}

bash scripts/build-windows.sh orlenda3001 bare_qt_window >/dev/null
program="$(pwd)/${dir}/app/orlenda3001.exe"
bare="$(pwd)/${dir}/bench/bare_qt_window.exe"

source scripts/lib.sh
# A prefix of its own, so that the tests' prefix and Wine server are left alone.
use_wine "$(pwd)/${dir}/wine-bench"
display=:$((90 + RANDOM % 100))
Xvfb "${display}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=${display}
cleanup() {
  "${wineserver}" -k 2>/dev/null || true
  kill "${xvfb_pid}" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1
"${wine}" cmd /c exit >/dev/null 2>&1  # makes the prefix when it is new
"${wineserver}" -p || true              # stays up between the starts (or was up already)

# Milliseconds from the start of `wine PROGRAM ARGS` until a window named by PATTERN is on screen.
start_ms() { # pattern program args...
  local pattern=$1 begin end pid
  shift
  begin=$(date +%s%N)
  "${wine}" "$@" >/dev/null 2>&1 &
  pid=$!
  until [ -n "$(xdotool search --onlyvisible --name "${pattern}" 2>/dev/null)" ]; do
    kill -0 "${pid}" 2>/dev/null || { echo "the program ended before its window appeared" >&2; exit 1; }
    sleep 0.005
  done
  end=$(date +%s%N)
  kill -KILL "${pid}" 2>/dev/null || true
  wait "${pid}" 2>/dev/null || true
  # Let the window go before the next start.
  while [ -n "$(xdotool search --onlyvisible --name "${pattern}" 2>/dev/null)" ]; do sleep 0.05; done
  echo $(((end - begin) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

size=(510 453)  # the main window's size
app_times=() bare_times=()
start_ms '^bare_qt_window$' "${bare}" "${size[@]}" >/dev/null  # warm the file cache
start_ms '^Orlenda 3001 <Light>$' "${program}" >/dev/null
for _ in $(seq 1 "${runs}"); do
  bare_times+=("$(start_ms '^bare_qt_window$' "${bare}" "${size[@]}")")
  app_times+=("$(start_ms '^Orlenda 3001 <Light>$' "${program}")")
done
bare_ms=$(printf '%s\n' "${bare_times[@]}" | median)
app_ms=$(printf '%s\n' "${app_times[@]}" | median)
echo "bare Qt window under Wine:        ${bare_ms} ms (median of ${runs})"
echo "orlenda3001.exe under Wine:       ${app_ms} ms (median of ${runs})"
echo "start / bare:                     $(awk -v a="${app_ms}" -v b="${bare_ms}" 'BEGIN { printf "%.2f", a / b }')x"
