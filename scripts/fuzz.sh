#!/usr/bin/env bash
# Fuzzes the file readers for longer than the tests do: fuzz.sh [SECONDS [TARGET...]].
# Builds the fuzz targets with clang and libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz, starts each from the seed corpus, and runs at most
# FUZZ_JOBS (3) targets at a time; an input that runs longer than FUZZ_TIMEOUT (10) seconds is a
# finding. Findings go to build-fuzz/findings/TARGET; copy each into
# tests/fuzz/crashes/TARGET once mended, so the tests replay it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(layout library default_settings default_track bitmap script_model pattern profile
  parts_file terrain model_rwx model_3ds model_dxf credits formats)
jobs=${FUZZ_JOBS:-3}

if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh needs clang with libFuzzer (Debian: clang libclang-rt-dev)" >&2
  exit 1
fi
bash scripts/install-deps.sh
CC=clang CXX=clang++ BUILD_TYPE=RelWithDebInfo bash scripts/configure.sh build-fuzz \
  -DCORVANE_SANITIZE=ON -DCORVANE_FUZZ=ON
cmake --build build-fuzz --target fuzz_seeds "${targets[@]/#/fuzz_}"
rm -rf build-fuzz/seeds && build-fuzz/tests/fuzz/fuzz_seeds build-fuzz/seeds

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fuzz_one() {
  local name=$1 corpus=build-fuzz/corpus/$1 findings=build-fuzz/findings/$1
  mkdir -p "$corpus" "$findings"
  build-fuzz/tests/fuzz/fuzz_"$name" "$corpus" build-fuzz/seeds/"$name" -max_total_time="$seconds" \
    -max_len=65536 -rss_limit_mb=4096 -timeout="${FUZZ_TIMEOUT:-10}" -artifact_prefix="$findings"/ -print_final_stats=1 \
    >build-fuzz/findings/"$name".log 2>&1 || echo "$name: finding, see build-fuzz/findings/$name.log"
}
running=0
for name in "${targets[@]}"; do
  fuzz_one "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

# Executions and coverage of each target, from libFuzzer's last status line and final stats.
for name in "${targets[@]}"; do
  log=build-fuzz/findings/$name.log
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || echo "?")
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo "?")
  crashes=$(find build-fuzz/findings/"$name" -type f | wc -l)
  echo "$name: $runs executions, $cov coverage points, $crashes findings"
done
