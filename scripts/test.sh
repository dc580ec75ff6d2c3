#!/usr/bin/env bash
# Installs what is missing, checks the formatting of every C++ file, then builds the two configurations
# of scripts/configurations.sh and runs every test in each: a plain build, and a clang build under
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer (which also holds the fuzz targets);
# it also makes the Debian package from the plain build and checks it (scripts/package.sh --check).
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

echo "== Checking the formatting"
git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen
# Leaks count as faults. The few that system libraries make inside Qt's platform plugins are named in
# tests/leak_suppressions.txt, which the tests that start Qt take through their environment.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

build_suite() {
  local dir=$1
  shift
  echo "== Building in ${dir}"
  configure "${dir}" "$@"
  cmake --build "${dir}" -j"${jobs}"
}

run_suite() {
  local dir=$1
  echo "== Testing in ${dir}"
  ctest --test-dir "${dir}" --output-on-failure -j"${jobs}"
}

build_suite "${plain_build}" "${plain_build_options[@]}"
build_suite "${sanitizer_build}" "${sanitizer_build_options[@]}"
if [ "${build_only}" = true ]; then exit 0; fi
# The Debian package, made from the plain build's programs (built with Debian's flags): lintian, apt
# and the unpacked programs.
echo "== Packaging"
bash scripts/package.sh --check "${plain_build}"
run_suite "${plain_build}"
run_suite "${sanitizer_build}"
