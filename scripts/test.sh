#!/usr/bin/env bash
# Builds and runs every test. With --sanitize, builds in its own folder under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

build_dir=build
extra=()
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  extra+=(-DCORVANE_SANITIZE=ON)
  # The leak check at exit can trip over the software renderer's idle worker threads; a single
  # rendering thread draws the same pictures.
  export LP_NUM_THREADS=0
fi
[ "${CI:-}" = "true" ] && extra+=(-DCORVANE_WERROR=ON)

bash scripts/configure.sh "$build_dir" "${extra[@]}"
cmake --build "$build_dir"
# Every allocation records its stack: five frames tell where a block came from and went, and
# take a fifth less time of the walks than thirty.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:malloc_context_size=5
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp
# A desktop test mostly waits for the program on its X server, using a tenth of a core or so, where
# every other test keeps a core busy: CTest gets two slots a core, a busy test takes two of them
# and a desktop test one. A desktop test meets the window manager and X server on a loaded
# machine, where a timing can slip once: a test fails only when it fails twice.
ctest --test-dir "$build_dir" --output-on-failure -j $((2 * $(nproc))) --repeat until-pass:2
