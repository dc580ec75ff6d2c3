#!/usr/bin/env bash
# Installs what is missing, builds, and opens the bundled sample pilot in the desktop program
# (or, where the desktop program is not built, prints it with the command-line front end).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The plain build of the test command, so that running and testing share one build.
source scripts/configurations.sh
configure "${plain_build}" "${plain_build_options[@]}"
cmake --build "${plain_build}" -j"$(nproc 2>/dev/null || echo 2)"

sample=build/samples/Red_Kestrel.plt
# With ORLENDA_SCREENSHOT_DIR set (as the test of README's commands runs this script without a player),
# the screenshot tool opens the sample in the same windows, saves their pictures there and ends.
if [ -n "${ORLENDA_SCREENSHOT_DIR:-}" ] && [ -x build/tools/screenshots/orlenda3001-screenshots ]; then
  exec build/tools/screenshots/orlenda3001-screenshots "${sample}"
fi
if [ -x build/app/orlenda3001 ]; then
  exec build/app/orlenda3001 "${sample}"
fi
exec build/cli/orlenda3001-cli dump "${sample}"
