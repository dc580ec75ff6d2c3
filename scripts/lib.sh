# Shell helpers that the scripts and their tests share: source it (by its path, from any folder).
# shellcheck shell=bash

orlenda_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The project's version as CMakeLists.txt declares it ("1.0.0"): the one reader of it.
project_version() {
  sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' "${orlenda_root}/CMakeLists.txt"
}

# --- Stamps: a step done once for the same inputs -------------------------------------------------

# A stamp file holds the key of the inputs (a hash of what the step depends on) that the step was last
# done for; the step is skipped while the key is the same.
stamp_matches() { # stamp-file key
  [ -f "$1" ] && [ "$(cat "$1")" = "$2" ]
}
stamp_write() { # stamp-file key
  mkdir -p "$(dirname "$1")"
  printf '%s\n' "$2" >"$1"
}
# The key of some texts (arguments), one SHA-256.
key_of() {
  printf '%s\n' "$@" | sha256sum | cut -d' ' -f1
}

# --- Wine and the virtual X display ---------------------------------------------------------------

# use_wine [--headless] PREFIX [MORE_DLL_OVERRIDES]: sets `wine` and `wineserver` to Wine's 64-bit
# loader and its server (Debian's package wine64, or wine) and exports the environment every run of a
# Windows program here takes: the prefix, no debug output, and no offer to install Mono or Gecko.
# --headless takes the display away, for programs that show no window (Wine then makes none).
use_wine() {
  if [ "$1" = --headless ]; then
    unset DISPLAY WAYLAND_DISPLAY
    shift
  fi
  # shellcheck disable=SC2034 # read by the scripts that source this file
  wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
  # shellcheck disable=SC2034
  wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=${2:+;$2}"
}

# in_xvfb COMMAND...: runs the command on a virtual X display of its own (xvfb-run), the screen that
# every test and tool with windows is shown on: 1024 x 768 at 24 bits and 96 dpi.
in_xvfb() {
  xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$@"
}

# --- Step times -----------------------------------------------------------------------------------

# Milliseconds since the epoch (EPOCHREALTIME's decimal sign follows the locale, so it is dropped).
now_ms() {
  local micro=${EPOCHREALTIME//[!0-9]/}
  echo $((10#${micro} / 1000))
}

# timed_step NAME COMMAND...: runs the command as one step, "== NAME" before it and "-- NAME: N s"
# with its wall time after it, and returns its status (under set -e a failed step ends the script
# there). Where ORLENDA_STEP_TIMES names a file (.ci/run sets it), the step is also written there,
# with how deep it runs inside other steps, for print_step_times.
timed_step() {
  local name=$1 depth=${ORLENDA_STEP_DEPTH:-0} start status took
  shift
  echo "== ${name}"
  start=$(now_ms)
  [ -z "${ORLENDA_STEP_TIMES:-}" ] || printf 'start\t%s\t%s\t%s\n' "${start}" "${depth}" "${name}" >>"${ORLENDA_STEP_TIMES}"
  ORLENDA_STEP_DEPTH=$((depth + 1)) "$@"
  status=$?
  took=$(($(now_ms) - start))
  [ -z "${ORLENDA_STEP_TIMES:-}" ] || printf 'end\t%s\t%s\n' "${start}" "${took}" >>"${ORLENDA_STEP_TIMES}"
  printf -- '-- %s: %d.%d s\n' "${name}" $((took / 1000)) $((took % 1000 / 100))
  return "${status}"
}

# Prints every step so far with its wall time, the steps that a step runs indented under it, and the
# time since the first step began; a step still running is shown as such.
print_step_times() {
  [ -n "${ORLENDA_STEP_TIMES:-}" ] && [ -s "${ORLENDA_STEP_TIMES}" ] || return 0
  echo "== Step times (wall clock)"
  awk -F'\t' -v now="$(now_ms)" '
    $1 == "start" { n++; id[n] = $2; depth[n] = $3; name[n] = $4 }
    $1 == "end" { took[$2] = $3 }
    END {
      for (i = 1; i <= n; i++) {
        indent = sprintf("%*s", 2 * depth[i], "")
        if (id[i] in took) printf "%8.1f s  %s%s\n", took[id[i]] / 1000, indent, name[i]
        else printf "%10s  %s%s (running)\n", "", indent, name[i]
      }
      if (n > 0) printf "%8.1f s  since the first step\n", (now - id[1]) / 1000
    }' "${ORLENDA_STEP_TIMES}"
}
