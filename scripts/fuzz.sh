#!/usr/bin/env bash
# Fuzzes each target with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer, for a bounded
# time, in the clang sanitizer build of the test command (scripts/configurations.sh), which it configures
# and builds as scripts/test.sh does when it is not there yet.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET]     default 30 (what CI runs, before the tests); a longer run:
#                                            scripts/fuzz.sh 3600. The targets run one per core at a
#                                            time, side by side.
#
# Environment: FUZZ_BUILD_DIR (default build-asan), FUZZ_TARGETS (default "pilot_report settings_ini
# main_log"). Each target's corpus grows in $FUZZ_BUILD_DIR/corpus/<target> from one run to the next; it
# starts from the generated seeds, the target's regression inputs and, for pilot_report, the real pilot
# files in ../shared/real-pilots when that folder exists. A crash, a hang or a broken property ends with
# status 1 and names the input that caused it: copy that file into fuzz/regressions/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/configurations.sh

seconds=${1:-30}
dir=${FUZZ_BUILD_DIR:-${sanitizer_build}}
read -r -a targets <<<"${FUZZ_TARGETS:-pilot_report settings_ini main_log}"

bash scripts/install-deps.sh

echo "== Building the fuzz targets in ${dir}"
# The coverage instrumentation (edge coverage but in the standard library's own functions, comparison
# tracing only where it pays) is fuzz/CMakeLists.txt's, on the code that the fuzz targets run.
configure "${dir}" "${sanitizer_build_options[@]}"
build_targets=(fuzz_seeds)
for t in "${targets[@]}"; do build_targets+=("fuzz_${t}"); done
cmake --build "${dir}" -j"$(nproc 2>/dev/null || echo 2)" --target "${build_targets[@]}"

# The longest input each target needs: a pilot file given by its edits with its run description (real
# pilot files take 1 to 3 KB, the generated file with both mission lists full 14 KB); a settings file
# with a value beyond the 2047-character cut; a main log of some hundred lines. Longer inputs find
# nothing that these do not (the lines and values are handled one by one) and cost time in proportion:
# the big settings files and logs are tests of their own (tests/robustness). The replay tests run the
# seeds whole.
max_len() {
  case $1 in
    pilot_report) echo 16384 ;;
    *) echo 4096 ;;
  esac
}

# The main log target writes its files (with fsync) for a sample of its inputs into a scratch folder
# under TMPDIR: in memory where the machine offers it, so that the disk does not set the pace.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
# Every fault is still found, with less bookkeeping per allocation: no allocation and free stacks in
# the reports (malloc_context_size=0) and freed memory held back 16 MB deep instead of 256 MB, which
# still spans every allocation of one input. A fault found here shows its full report when its input
# is run again outside this script (build-asan/fuzz/fuzz_<target> INPUT, ASan's default options) or
# replayed by the fuzz_replay_<target> test of a sanitizer build.
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:malloc_context_size=0:quarantine_size_mb=2
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# fuzz_target TARGET: one target's run, its output in ${dir}/fuzz_TARGET.log and its exit status in
# ${dir}/fuzz_TARGET.status.
fuzz_target() {
  local t=$1 status=0
  local corpus="${dir}/corpus/${t}" artifacts="${dir}/artifacts/${t}"
  mkdir -p "${corpus}" "${artifacts}"
  # The pilot target's seeds already hold its regression inputs and the real pilot files, as edited
  # files (made at build time: fuzz/pilot_input.h).
  cp -r "${dir}/fuzz/seeds/${t}/." "${corpus}/"
  if [ "${t}" != pilot_report ] && [ -d "fuzz/regressions/${t}" ]; then
    cp -r "fuzz/regressions/${t}/." "${corpus}/"
  fi
  "${dir}/fuzz/fuzz_${t}" "${corpus}" -max_total_time="${seconds}" -max_len="$(max_len "${t}")" \
    -timeout=10 -rss_limit_mb=2048 -artifact_prefix="${artifacts}/" -print_final_stats=1 \
    2>"${dir}/fuzz_${t}.log" || status=$?
  echo "${status}" >"${dir}/fuzz_${t}.status"
}

# The targets run side by side, one per core (each libFuzzer run is one process on one core), each
# for the same time as it would alone; their results are shown in the targets' order once all ended.
cores=$(nproc 2>/dev/null || echo 2)
running=0
for t in "${targets[@]}"; do
  if [ "${running}" -ge "${cores}" ]; then
    wait -n
    running=$((running - 1))
  fi
  echo "== Fuzzing ${t} for ${seconds} s"
  rm -f "${dir}/fuzz_${t}.status"
  fuzz_target "${t}" &
  running=$((running + 1))
done
wait

failed=()
for t in "${targets[@]}"; do
  if [ "$(cat "${dir}/fuzz_${t}.status" 2>/dev/null)" != 0 ]; then
    echo "== ${t}: failed"
    tail -n 60 "${dir}/fuzz_${t}.log"
    failed+=("${t}")
  else
    echo "== ${t}"
    grep -E '^stat::number_of_executed_units|^Done' "${dir}/fuzz_${t}.log" || true
  fi
done

if [ "${#failed[@]}" -ne 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]}"
  echo "The inputs are in ${dir}/artifacts/<target>/; copy each into fuzz/regressions/<target>/ once fixed."
  echo "fuzz: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
  exit 1
fi
echo "== Fuzzing found nothing"
echo "fuzz: ${#targets[@]} passed, 0 failed"
