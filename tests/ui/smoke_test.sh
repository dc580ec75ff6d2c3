#!/usr/bin/env bash
# Starts the real orlenda3001 in a virtual X server with a throw-away home and config folder, waits
# until its main window is on screen, saves a screenshot of the screen, and ends the program with
# SIGTERM, which closes the main window as its close box does. Fails unless the program ends with 0.
#
#   smoke_test.sh PROGRAM OUTPUT_FOLDER
set -uo pipefail

program=$(realpath "$1")
output=$(realpath -m "$2")
# shellcheck source=tests/ui/window_painted.sh
. "$(dirname "$(realpath "$0")")/window_painted.sh"

if [ -z "${ORLENDA_SMOKE_IN_XVFB:-}" ]; then
  # shellcheck source=scripts/lib.sh
  source "$(dirname "$0")/../../scripts/lib.sh"
  in_xvfb env ORLENDA_SMOKE_IN_XVFB=1 "$0" "$@"
  exit
fi

fail() {
  echo "smoke test: $*" >&2
  exit 1
}

mkdir -p "$output"
rm -f "$output/screen.xwd" "$output/program.log"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/config" "$scratch/pilots"
cd "$scratch/pilots" || fail "no scratch folder"

# A real window on the X server, whatever platform the other window tests chose.
QT_QPA_PLATFORM=xcb HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" "$program" >"$output/program.log" 2>&1 &
pid=$!

map_state() {
  xwininfo -name "$1" 2>/dev/null | sed -n 's/^ *Map State: *//p'
}

shown=""
for _ in $(seq 1 300); do
  if [ "$(map_state 'Orlenda 3001 <Light>')" = "IsViewable" ]; then
    shown=yes
    break
  fi
  kill -0 "$pid" 2>/dev/null || fail "the program ended before its main window appeared"
  sleep 0.1
done
if [ -z "$shown" ]; then
  kill -KILL "$pid" 2>/dev/null
  fail "the main window did not appear within 30 s"
fi
# The splash screen closes once the main window is up; on a busy machine that may take a moment.
for _ in $(seq 1 100); do
  [ "$(map_state 'Orlenda 3001 is starting')" != "IsViewable" ] && break
  sleep 0.1
done
[ "$(map_state 'Orlenda 3001 is starting')" != "IsViewable" ] || fail "the splash screen is still shown after 10 s"
main_window=$(xwininfo -name 'Orlenda 3001 <Light>' 2>/dev/null | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
[ -n "$main_window" ] || fail "the main window has no X window id"
wait_painted "$main_window" 10 "$scratch/window.xwd" || fail "the main window did not paint within 10 s"

xwd -root -silent -out "$output/screen.xwd" || fail "no screenshot"
grep -q '^LastDir=' "$scratch/config/orlenda3001.ini" || fail "the start-up did not write LastDir"

kill -TERM "$pid"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status after SIGTERM"
echo "smoke test: main window shown, screenshot in $output/screen.xwd, program ended cleanly"
