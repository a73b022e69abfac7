#!/usr/bin/env bash
# Times this tree against an earlier commit side by side, on this machine, in one go:
#
#   scripts/compare.sh [BASE]        # BASE: a commit, default 90ab62a
#
# Builds both in Release (BASE in a worktree under /tmp), makes the 30,000-place, two-graph,
# 100-split chart and a 30,000-row CSV, checks that both builds print the same bytes, then runs
# each command of both builds in turn with scripts/alternate.py (medians of the alternated runs and their
# ratio) and the in-process benchmarks of both, one after the other.
set -euo pipefail
cd "$(dirname "$0")/.."
base=${1:-90ab62a}
runs=${RUNS:-21}
here=$PWD
work=/tmp/ostrevin-compare
mkdir -p "$work"

build() {  # source folder, build folder
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREVIN_BUILD_BENCH=ON \
    -DOSTREVIN_BUILD_TESTS=OFF >/dev/null
  cmake --build "$2" -j2 --target ostrevin Ostrevin compose_bench end_to_end_bench \
    false_alarms_bench make_synthetic_chart >/dev/null
}

[ -d "$work/base" ] || git worktree add -f "$work/base" "$base" >/dev/null
build "$work/base" "$work/base/build-rel"
build "$here" "$here/build-compare"
cmake --build "$here/build-compare" -j2 --target chart_bench >/dev/null  # this tree only
A=$here/build-compare/host/ostrevin
B=$work/base/build-rel/host/ostrevin

cd "$work"
"$here/build-compare/bench/make_synthetic_chart" 30000 100 chart.json
cp "$here/examples/all-tests.ini" all-tests.ini
: >defaults.ini
python3 -c "
import random
random.seed(1)
print('Weight')
for i in range(30000): print('%.2f' % random.gauss(500, 2))" >weights.csv

same() {  # arguments of one command: both builds must print the same bytes
  "$A" "$@" >a.out 2>/dev/null
  "$B" "$@" >b.out 2>/dev/null
  cmp -s a.out b.out || { echo "the builds differ on: $*" >&2; exit 1; }
}
same diagnose chart.json --settings all-tests.ini --date-time now
same false-alarms --settings defaults.ini
same false-alarms --settings all-tests.ini
"$A" chart xmr weights.csv -o a.json && "$B" chart xmr weights.csv -o b.json && cmp a.json b.json

pair() {  # runs, title, arguments; OUT among them: a file of each build's own
  local n=$1 title=$2
  shift 2
  echo "== $title: A = this tree, B = $base"
  # Each build replaces a file of its own, so that neither waits for the disk to take the other's.
  local args="$*"
  "$here/scripts/alternate.py" "$n" "$A ${args//OUT/a-out.json}" "$B ${args//OUT/b-out.json}" |
    grep -E '^(A|B|A/B) +(wall|peak)'
}
pair "$runs" "diagnose, 30,000 places, 100 splits, every test" \
  diagnose chart.json --settings all-tests.ini --date-time now
pair "$runs" "start: --help" --help
pair "$runs" "start: info" info
pair "$runs" "chart xmr, 30,000 rows" chart xmr weights.csv -o OUT
pair 7 "false-alarms, default tests" false-alarms --settings defaults.ini
pair 7 "false-alarms, every test" false-alarms --settings all-tests.ini

for tree in "$here/build-compare" "$work/base/build-rel"; do
  echo "== in-process phases: $tree"
  "$tree/bench/end_to_end_bench" --benchmark_filter='ReadChartFile|ShowOnConsole' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null | grep median
  "$tree/bench/compose_bench" --benchmark_filter='zigzag_options:1/forced:0' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null | grep median
done
