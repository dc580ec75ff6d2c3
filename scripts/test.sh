#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in a plain build and in a build
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_suite() {
  local dir=$1
  shift
  echo "== Building in ${dir}"
  cmake -S . -B "${dir}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLENDA_WARNINGS_AS_ERRORS=ON "$@" >/dev/null
  cmake --build "${dir}" -j"${jobs}"
  echo "== Testing in ${dir}"
  ctest --test-dir "${dir}" --output-on-failure -j"${jobs}"
}

run_suite build
run_suite build-asan -DORLENDA_SANITIZE=ON
