#!/usr/bin/env bash
# Builds and runs every test: once as a plain debug build, once with address and
# undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j2
  ctest --test-dir "$dir" --output-on-failure -j2 --timeout 300
}

run_suite build-test -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DOSTREVIN_SANITIZE=ON

# Then a bounded fuzzing run of the chart-file, diagnosis and settings-file readers.
scripts/fuzz.sh
