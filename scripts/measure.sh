#!/usr/bin/env bash
# Reproduces the figures of docs/performance.md: builds the benchmarks (Release, in
# build-measure), prints the machine, the diagnosis per place for 500, 5,000 and 30,000 places,
# `ostrevin diagnose` from end to end on a 30,000-place chart file with its phases, its peak
# memory, and (with valgrind) where its instructions go.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-measure
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREVIN_BUILD_BENCH=ON \
  -DOSTREVIN_BUILD_TESTS=OFF >/dev/null
cmake --build "$dir" -j2 --target compose_bench end_to_end_bench make_synthetic_chart ostrevin \
  Ostrevin >/dev/null

echo "== machine"
echo "nproc: $(nproc)"
lscpu | grep -E '^Model name' || true
free -m | awk '/^Mem:/ {print "memory: " $2 " MiB"}'

echo "== ComposeDiagnosis, all thirteen tests on"
"$dir/bench/compose_bench" --benchmark_filter='zigzag_options:1/forced:0' \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

echo "== ostrevin diagnose, 30,000 places, two graphs, 100 splits"
"$dir/bench/end_to_end_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

chart=$dir/measure-chart.json
"$dir/bench/make_synthetic_chart" 30000 100 "$chart"
diagnose=("$dir/host/ostrevin" diagnose "$chart" --settings examples/all-tests.ini --date-time now)
echo "== peak memory"
/usr/bin/time -v "${diagnose[@]}" 2>&1 >/dev/null | grep -E 'Maximum resident|Elapsed'

if command -v valgrind >/dev/null; then
  echo "== instructions by phase (callgrind, inclusive)"
  valgrind --tool=callgrind --callgrind-out-file="$dir/callgrind.out" "${diagnose[@]}" \
    >/dev/null 2>&1
  callgrind_annotate --inclusive=yes "$dir/callgrind.out" 2>/dev/null |
    grep -E 'PROGRAM TOTALS|RunDiagnose|ReadChartFile\(|StageChartText|PutInto|clsData::Show|ComposeReport|ReportText' |
    sed -E 's/\((std|ostrevin|simdjson)::.*//; s/ \[.*//'
fi
