#!/usr/bin/env bash
# Runs every benchmark of a built bench tree and the comparison with turf.js,
# and prints the summary (make bench does this after building).
#
#   Bench/run-bench.sh [BUILD_DIR]      default: build/bench
#
# AP_BENCH_REPETITIONS (default 15) repetitions of each benchmark; the medians
# are reported, because the machine is shared and single runs are noisy. The
# raw results stay in BUILD_DIR/bench-*.json.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
repetitions=${AP_BENCH_REPETITIONS:-15}

echo "== $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores"
# One process per group, so that no group is measured in a heap that another
# has churned (glibc's own statistics, mallinfo2, cost more the more free
# chunks the heap holds; the probe group measures that on purpose).
groups=(
  "route-line:RouteLine"
  "turn:TurnFrame|TurnFloor|GenerateCrossEdges|OperationProbe|GlobalMemoryStatus|TimerStartEnd"
  "geodesy:HostLineLength|HostSegmentLength|BindingLineLength"
  "geometry:GetDirection|Atan2|^BM_SegmentLength|Trim|SetCrossInfo"
  "raster:Raster"
  "probe:ProbeReadings|MeasuredCall|Mallinfo2"
)
results=()
for group in "${groups[@]}"; do
  name=${group%%:*}
  "$build/Bench/ap_bench" \
    --benchmark_filter="${group#*:}" \
    --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true \
    --benchmark_enable_random_interleaving=true \
    --benchmark_min_time=0.1 \
    --benchmark_out="$build/bench-$name.json" --benchmark_out_format=json \
    > "$build/bench-$name.txt"
  results+=("$build/bench-$name.json")
done
python3 "$here/report.py" "${results[@]}"
echo
echo "== a continent-long drive beside a short one"
"$here/measure-long-route.sh" "$build"
echo
echo "== the road map: reading the extracts, one frame's map, a drive over it"
AP_BENCH_REPETITIONS=5 "$here/roadmap-figures.sh" "$build"
"$here/measure-map-drive.sh" "$build"
echo
echo "== the junction cuts against turf.js"
AP_BENCH_REPETITIONS="$repetitions" "$here/compare-turf.sh" "$build"
