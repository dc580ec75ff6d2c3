#!/usr/bin/env bash
# Installs what is missing, checks the formatting of every C++ file, then builds the two configurations
# of scripts/configurations.sh and runs every test in each: a plain build, and a clang build under
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer (which also holds the fuzz targets);
# it also makes the Debian package from the plain build and checks it (scripts/package.sh --check).
# Each step is shown with its wall time; the formatting check is skipped for files it has passed as they
# are, and each build folder is configured once (scripts/configurations.sh).
#
#   scripts/test.sh                  build (what has changed) and test
#   scripts/test.sh --build-only     build only: CI builds first, fuzzes and compares with Windows in
#                                    these builds, then tests (.ci/run)
set -euo pipefail
cd "$(dirname "$0")/.."
build_only=false
if [ "${1:-}" = --build-only ]; then build_only=true; fi

bash scripts/install-deps.sh
# After the installation: the plain build takes its flags from dpkg-buildflags.
source scripts/configurations.sh

# Every C++ file as clang-format formats it. The files, .clang-format and clang-format's version that
# passed last are kept as a stamp in the plain build folder, so that a second run (CI's, after its
# build) checks only when one of them changed.
check_formatting() {
  local stamp="${plain_build}/.formatting-checked" key
  key=$(key_of "$(clang-format --version)" "$(sha256sum .clang-format)" \
    "$(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h' | xargs -0 -r sha256sum)")
  if stamp_matches "${stamp}" "${key}"; then
    echo "formatting: checked already, every C++ file as it is now"
    return 0
  fi
  git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror
  stamp_write "${stamp}" "${key}"
}
timed_step "Checking the formatting" check_formatting

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen
# Leaks count as faults. The few that system libraries make inside Qt's platform plugins are named in
# tests/leak_suppressions.txt, which the tests that start Qt take through their environment.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

build_suite() {
  local dir=$1
  shift
  configure "${dir}" "$@"
  cmake --build "${dir}" -j"${jobs}"
}

run_suite() {
  ctest --test-dir "$1" --output-on-failure -j"${jobs}"
}

timed_step "Building in ${plain_build}" build_suite "${plain_build}" "${plain_build_options[@]}"
timed_step "Building in ${sanitizer_build}" build_suite "${sanitizer_build}" "${sanitizer_build_options[@]}"
if [ "${build_only}" = true ]; then exit 0; fi
# The Debian package, made from the plain build's programs (built with Debian's flags): lintian, apt
# and the unpacked programs.
timed_step "Packaging" bash scripts/package.sh --check "${plain_build}"
timed_step "Testing in ${plain_build}" run_suite "${plain_build}"
# The last suite's test summary closes the output (CI's too: .ci/run), so the steps' times come before
# it (in CI, every step of the run so far) and its own time is ctest's closing line.
print_step_times
echo "== Testing in ${sanitizer_build}"
run_suite "${sanitizer_build}"
