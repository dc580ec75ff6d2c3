#!/usr/bin/env bash
# Starts the Windows orlenda3001.exe under Wine on a virtual X display (Xvfb), in three runs:
# 1. alone: its main window must appear (a screenshot is saved as main-window-wine.png) and close
#    from its close key (Alt+F4) with status 0, leaving LastDir in %APPDATA%\orlenda3001.ini;
# 2. with a pilot file named by a path that is not ASCII (C:\users\Jörg\Wedge.plt in the Wine prefix):
#    a window titled "Open" must appear and paint (a screenshot is saved as open-dialog.xwd; what the
#    dialog offers is not read, nor is the dialog driven further: key presses sent into Xvfb do not
#    reliably reach a Wine window without a window manager);
# 3. the screenshot tool (orlenda3001-screenshots.exe, which starts the same windows) with the same
#    path, which loads the file without asking: the load must succeed and the report text that the
#    pilot file view shows must equal `orlenda3001-cli.exe report` of the same file.
# The pilot is the first real pilot file when REAL_PILOTS_FOLDER holds one, else the sample pilot.
#
#   wine_smoke_test.sh PROGRAM.exe SCREENSHOTS.exe CLI.exe SAMPLE_PILOT OUTPUT_FOLDER [REAL_PILOTS_FOLDER]
# Environment: WINEPREFIX (default OUTPUT_FOLDER/wine).
set -uo pipefail

program=$(realpath "$1")
screenshots=$(realpath "$2")
cli=$(realpath "$3")
sample=$(realpath "$4")
output=$(realpath -m "$5")
real_pilots=${6:-}
# shellcheck source=tests/ui/window_painted.sh
. "$(dirname "$(realpath "$0")")/window_painted.sh"

# shellcheck source=scripts/lib.sh
source "$(dirname "$0")/../../scripts/lib.sh"
if [ -z "${ORLENDA_SMOKE_IN_XVFB:-}" ]; then
  in_xvfb env ORLENDA_SMOKE_IN_XVFB=1 "$0" "$@"
  exit
fi

fail() {
  echo "wine smoke test: $*" >&2
  "${wineserver}" -k 2>/dev/null
  exit 1
}

use_wine "${WINEPREFIX:-$output/wine}"
mkdir -p "$output"
rm -f "$output"/*.xwd "$output"/*.png "$output"/*.txt "$output"/*.log
"$wine" cmd /c exit >/dev/null 2>&1  # makes the prefix when it is new

# The Windows user's folders in the prefix (Wine names the user after the Unix one).
users="$WINEPREFIX/drive_c/users"
user=$(id -un)
appdata="$users/$user/AppData/Roaming"
rm -f "$appdata/orlenda3001.ini" "$users/$user/ORLENDA_MainLog.txt"

pilot=$sample
if [ -n "$real_pilots" ] && [ -d "$real_pilots" ]; then
  first=$(find "$real_pilots" -maxdepth 1 -iname '*.plt' | sort | head -1)
  [ -n "$first" ] && pilot=$first
fi
mkdir -p "$users/Jörg"
cp "$pilot" "$users/Jörg/Wedge.plt"
windows_pilot='C:\users\Jörg\Wedge.plt'

viewable() { # window name pattern (extended regular expression)
  [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]
}

wait_for() { # seconds what window-name
  local tenths=$(($1 * 10))
  for _ in $(seq 1 "$tenths"); do
    viewable "$3" && return 0
    kill -0 "$pid" 2>/dev/null || fail "the program ended before $2 appeared"
    sleep 0.1
  done
  fail "$2 did not appear within $1 s"
}

wait_gone() { # seconds what window-name
  for _ in $(seq 1 $(($1 * 10))); do
    viewable "$3" || return 0
    sleep 0.1
  done
  fail "$2 is still shown after $1 s"
}

# Closes the active window with Alt+F4, as a player would.
close_active() {
  xdotool key --clearmodifiers alt+F4
}

wait_exit() { # what
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "$1: the program did not end within 30 s"
  wait "$pid"
  local status=$?
  [ "$status" -eq 0 ] || fail "$1: the program ended with status $status"
}

main_title='Orlenda 3001 <Light>'

echo "== the main window"
"$wine" "$program" >"$output/program.log" 2>&1 &
pid=$!
wait_for 120 "the main window" "^${main_title}\$"
wait_gone 20 "the splash screen" '^Orlenda 3001 is starting$'
wait_painted "$(xdotool search --onlyvisible --name "^${main_title}\$" | head -1)" 20 "$output/painting.xwd" ||
  fail "the main window did not paint within 20 s"
xwd -root -silent -out "$output/screen.xwd" || fail "no screenshot"
if command -v xwdtopnm >/dev/null && command -v pnmtopng >/dev/null; then
  xwdtopnm "$output/screen.xwd" 2>/dev/null | pnmtopng >"$output/main-window-wine.png" 2>/dev/null ||
    fail "the screenshot could not be converted"
fi
grep -q '^LastDir=' "$appdata/orlenda3001.ini" 2>/dev/null ||
  fail "the start-up did not write LastDir into %APPDATA%\\orlenda3001.ini"
xdotool search --name "^${main_title}\$" windowactivate --sync 2>/dev/null || true
close_active
wait_exit "closing the main window"
echo "ok: main window shown and closed; settings in %APPDATA%\\orlenda3001.ini"

echo "== a pilot file named by a path that is not ASCII, given to the program"
"$wine" "$program" "$windows_pilot" >>"$output/program.log" 2>&1 &
pid=$!
wait_for 120 "a window titled Open" '^Open$'
wait_painted "$(xdotool search --onlyvisible --name '^Open$' | head -1)" 20 "$output/painting.xwd" ||
  fail "the window titled Open did not paint within 20 s"
xwd -root -silent -out "$output/open-dialog.xwd" || fail "no screenshot of the open dialog"
"${wineserver}" -k 2>/dev/null
"${wineserver}" -w 2>/dev/null # the next program must not meet the server that is ending
wait "$pid" 2>/dev/null
echo "ok: a window titled Open appeared for $windows_pilot (what it offers is not read)"

echo "== its report against the command line's"
pid=""
ORLENDA_SCREENSHOT_DIR="Z:$output/shots" ORLENDA_REPORT_FILE="Z:$output/window-report.txt" \
  "$wine" "$screenshots" "$windows_pilot" >>"$output/program.log" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "the screenshot tool ended with status $status"
"$wine" "$cli" report "$windows_pilot" >"$output/cli-report.txt" 2>>"$output/program.log" ||
  fail "orlenda3001-cli.exe report failed"
# The command line ends its report with a line break and writes the lines as the console does.
normalise() { tr -d '\r' <"$1" | sed -e '$a\'; }
cmp -s <(normalise "$output/window-report.txt") <(normalise "$output/cli-report.txt") ||
  fail "the window's report differs from the command line's: diff $output/window-report.txt $output/cli-report.txt"
echo "ok: the window's report equals orlenda3001-cli.exe report"
"${wineserver}" -k 2>/dev/null
echo "wine smoke test: passed; screenshot in $output/main-window-wine.png"
