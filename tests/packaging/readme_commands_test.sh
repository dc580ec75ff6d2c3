#!/usr/bin/env bash
# Runs every command line of README.md's "Installing" and "Set-up" sections as README writes it, from
# the project's folder, so that the text and the scripts cannot drift apart. Two lines are run as a
# test can run them: `sudo apt install` is simulated (`apt-get install --simulate`), and `scripts/run.sh`
# runs on a virtual display with ORLENDA_SCREENSHOT_DIR set, so that it opens the sample pilot in the
# screenshot tool's windows, which end by themselves (settings and pictures in a throw-away folder). The scripts reuse the
# build folders that are already there, so only what changed is built; in CI (.ci/run), which has built,
# fuzzed and tested the Windows build before, each script says what it reuses: the installed packages,
# the configured build folders, the formatting check and the package already made. Each line is timed.
#
#   tests/packaging/readme_commands_test.sh [README.md]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib.sh
readme=${1:-README.md}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/orlenda-readme-XXXXXX")
trap 'rm -rf "${scratch}"' EXIT

# The command lines of the fenced blocks in one "## " section, without comments and blank lines.
section_commands() { # heading
  awk -v heading="## $1" '
    /^## / { inside = ($0 == heading) }
    inside && /^```/ { fenced = !fenced; next }
    inside && fenced { sub(/[ \t]+#.*$/, ""); if ($0 !~ /^[ \t]*(#|$)/) print }
  ' "${readme}"
}

run_line() { # line
  local line=$1
  case "${line}" in
    "sudo apt install "*)
      bash -c "apt-get install --simulate ${line#sudo apt install }" >"${scratch}/apt.log" ||
        { cat "${scratch}/apt.log" >&2; return 1; }
      grep -E '^Inst orlenda3001 ' "${scratch}/apt.log"
      ;;
    sudo*) echo "README has a sudo line this test cannot run: ${line}" >&2; return 1 ;;
    "bash scripts/run.sh")
      mkdir -p "${scratch}/config" "${scratch}/shots"
      XDG_CONFIG_HOME="${scratch}/config" ORLENDA_SCREENSHOT_DIR="${scratch}/shots" \
        in_xvfb bash -c "${line}"
      ;;
    *) bash -c "${line}" ;;
  esac
}

mapfile -t lines < <(section_commands Installing; section_commands Set-up)
[ "${#lines[@]}" -ge 4 ] || { echo "FAIL: found only ${#lines[@]} command lines in ${readme}" >&2; exit 1; }
# Said before the run, so that the last command's own closing lines (the test summary) end the output.
echo "readme commands: running the ${#lines[@]} command lines of Installing and Set-up"
for line in "${lines[@]}"; do
  timed_step "README: ${line}" run_line "${line}" || { echo "FAIL: README's command failed: ${line}" >&2; exit 1; }
done
