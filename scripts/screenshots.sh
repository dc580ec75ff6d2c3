#!/usr/bin/env bash
# Makes the pictures in docs/screenshots/ with the already built screenshot tool
# (tools/screenshots/, which starts the desktop program's windows as the program does): the main window, the pilot file
# view with the bundled sample pilot's report (also with its Kalidor Crescent list open), the question
# that "Save" asks when the active mission moves back (answered No), the Pilots window over the sample's
# folder (which also gets the real pilot files from ../shared/real-pilots and the sister games' files
# there, when that folder exists), the settings dialog and the about box. It builds nothing; it runs
# the tool in a virtual X server (xvfb-run)
# with a throw-away home and settings, saving into the folder that ORLENDA_SCREENSHOT_DIR names; it
# never writes the main log.
#
#   scripts/screenshots.sh [BUILD_FOLDER]        (default: build)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/lib.sh
source "$root/scripts/lib.sh"
build=$(realpath "${1:-$root/build}")
program="$build/tools/screenshots/orlenda3001-screenshots"
sample="$build/samples/Red_Kestrel.plt"
output="$root/docs/screenshots"

[ -x "$program" ] || { echo "screenshots: no screenshot tool at $program; build it first" >&2; exit 1; }
[ -f "$sample" ] || { echo "screenshots: no sample pilot at $sample; build it first" >&2; exit 1; }
command -v xvfb-run >/dev/null || { echo "screenshots: xvfb-run is missing (scripts/install-deps.sh)" >&2; exit 1; }

# A fixed scratch folder, so that the paths shown in the pictures read the same on every run.
scratch=/tmp/orlenda3001-screenshots
rm -rf "$scratch"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home/pilots" "$scratch/config" "$output"
cp "$sample" "$scratch/home/pilots/"
real="$root/../shared/real-pilots"
if [ -d "$real" ]; then
  cp "$real"/*.plt "$real"/other-games/* "$scratch/home/pilots/"
  chmod u+w "$scratch/home/pilots/"*
fi
printf '[Orlenda]\nLastDir=%s\nLogFile=%s\n' "$scratch/home/pilots" "$scratch/home/ORLENDA_MainLog.txt" \
  >"$scratch/config/orlenda3001.ini"

cd "$scratch/home/pilots"
HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" ORLENDA_SCREENSHOT_DIR="$output" LC_ALL=C.UTF-8 \
  in_xvfb "$program" "$scratch/home/pilots/Red_Kestrel.plt"
echo "screenshots: written to $output"
