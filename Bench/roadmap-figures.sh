#!/usr/bin/env bash
# The road map's figures: reading each shipped extract (time and peak memory,
# each read in a process of its own, the median of AP_BENCH_REPETITIONS),
# reading a synthetic extract the size of a region for a route's box and
# whole, then Google Benchmark's medians of the reads, the index queries and
# one frame's map at 640 x 480 at several levels.
#
#   cmake --preset bench && cmake --build --preset bench --target ap_bench_roadmap \
#       ap_bench_roadmap_read ap_bench_synthetic_extract
#   Bench/roadmap-figures.sh [BUILD_DIR]          default: build/bench
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
repetitions=${AP_BENCH_REPETITIONS:-5}
bin="$build/Bench"

echo "== $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

# One JSON line per read; the median time and peak of the repetitions.
read_median() {
  local runs
  runs=$(for _ in $(seq "$repetitions"); do "$bin/ap_bench_roadmap_read" "$@"; done)
  python3 - "$runs" <<'PY'
import json, statistics, sys
runs = [json.loads(line) for line in sys.argv[1].splitlines()]
last = runs[-1]
name = last["extract"].split("/")[-1]
ms = statistics.median(r["ms"] for r in runs)
peak = statistics.median(r["peakKiB"] for r in runs) / 1024
before = last["baselineKiB"] / 1024
print(f"{name:24} {ms:8.1f} ms {peak:7.1f} MiB peak ({before:.1f} before reading), "
      f"{last['roads']} roads, {last['buildings']} buildings, {last['points']} points")
PY
}

echo
echo "== reading the shipped extracts whole (median of $repetitions processes)"
for extract in andorra.osm.pbf north-bayreuth.osm.gz krems.osm.gz bautzen.osm; do
  read_median "$here/../data/osm/$extract"
done

echo
echo "== a synthetic region: 5.25 million nodes, 1.25 million ways, 150 km square"
synthetic="$build/synthetic-region.osm.pbf"
[[ -f "$synthetic" ]] || "$bin/ap_bench_synthetic_extract" "$synthetic" 1500
echo -n "a route's box (5 km by 5.5 km): "
read_median "$synthetic" 10.95 48.15 11.02 48.2
echo -n "the whole region:                "
AP_BENCH_REPETITIONS=1 read_median "$synthetic"

echo
echo "== Google Benchmark (CPU time, median of $repetitions)"
"$bin/ap_bench_roadmap" \
  --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.2 \
  --benchmark_out="$build/bench-roadmap.json" --benchmark_out_format=json 2>/dev/null |
  grep -E '_median|^Benchmark|^---' || true
