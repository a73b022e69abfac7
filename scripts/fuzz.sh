#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, address and undefined-behaviour sanitizers
# (in build-fuzz) and runs each one for a bounded time, starting from seed corpora made of the
# examples. FUZZ_SECONDS (default 60) is the time for each target. Inputs that found new code are
# kept in build-fuzz/corpus/TARGET; an input that crashes is saved as build-fuzz/artifacts/TARGET-*
# and makes the script fail (replay it with build-fuzz/fuzz/TARGET FILE, then keep it in
# tests/regressions/TARGET/).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
dir=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DOSTREVIN_FUZZ=ON -DOSTREVIN_BUILD_TESTS=OFF >/dev/null
cmake --build "$dir" -j2 --target chart_file_fuzz diagnosis_fuzz settings_file_fuzz

scratch=/dev/shm && [ -d "$scratch" ] || scratch=${TMPDIR:-/tmp}
seeds="$dir/seeds"
rm -rf "$seeds" && mkdir -p "$seeds/chart" "$seeds/settings" "$dir/artifacts"
cp examples/*.json "$seeds/chart/"
cp examples/*.ini fuzz/seeds/settings/*.ini "$seeds/settings/"

# target, seed folder, dictionary
run() {
  local target=$1 seed=$2 dict=$3
  mkdir -p "$dir/corpus/$target"
  echo "== $target: ${seconds} s" >&2
  # The settings fuzzer writes a file for every input: on a memory file system that is cheap.
  TMPDIR="$scratch" "$dir/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -dict="fuzz/$dict" -print_final_stats=1 -artifact_prefix="$dir/artifacts/$target-" \
    "$dir/corpus/$target" "$seeds/$seed" 2>"$dir/$target.log" || {
    tail -n 60 "$dir/$target.log" >&2
    return 1
  }
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$dir/$target.log" >&2
}

run chart_file_fuzz chart chart.dict
run diagnosis_fuzz chart chart.dict
run settings_file_fuzz settings settings.dict
echo "fuzz: 3 passed, 0 failed"
