#!/usr/bin/env bash
# Runs every benchmark of a built bench tree and the comparison with turf.js,
# and prints the summary (make bench does this after building).
#
#   Bench/run-bench.sh [BUILD_DIR]      default: build/bench
#
# AP_BENCH_REPETITIONS (default 15) repetitions of each benchmark; the medians
# are reported, because the machine is shared and single runs are noisy. The
# raw results stay in BUILD_DIR/bench-results.json.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
repetitions=${AP_BENCH_REPETITIONS:-15}

echo "== $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores"
"$build/Bench/ap_bench" \
  --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true \
  --benchmark_enable_random_interleaving=true \
  --benchmark_min_time=0.1 \
  --benchmark_out="$build/bench-results.json" --benchmark_out_format=json \
  > "$build/bench-console.txt"
python3 "$here/report.py" "$build/bench-results.json"
echo
echo "== the junction cuts against turf.js"
AP_BENCH_REPETITIONS="$repetitions" "$here/compare-turf.sh" "$build"
