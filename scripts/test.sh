#!/usr/bin/env bash
# Installs what is missing, checks the formatting of every C++ file, then builds and runs every test
# twice: in a plain build and in a build under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

echo "== Checking the formatting"
git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen
# Leaks count as faults. The few that system libraries make inside Qt's platform plugins are named in
# tests/leak_suppressions.txt, which the tests that start Qt take through their environment.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
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

# The Debian package: its own Release build, then lintian, apt and the unpacked programs.
echo "== Packaging"
bash scripts/package.sh --check
