#!/usr/bin/env bash
# The library's junction cuts against turf.js's on the same manoeuvres, in one
# run: ap_bench_turn_cuts (the library, reference host's default geodesy) and
# turf/cut-turns.mjs (turf.js on the machine's Node.js), then the comparison;
# then the library's times again with the exact and the planar geodesy.
#
#   Bench/compare-turf.sh [BUILD_DIR]      default: build/bench
#
# AP_BENCH_REPETITIONS sets the repetitions of each side (default 15). The
# turf packages are installed from turf/package-lock.json when missing. The
# outputs stay in BUILD_DIR/compare-turf/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
repetitions=${AP_BENCH_REPETITIONS:-15}

cuts="$build/Bench/ap_bench_turn_cuts"
if [[ ! -x "$cuts" ]]; then
  echo "compare-turf: $cuts is missing: build the target ap_bench_turn_cuts first" >&2
  exit 2
fi
if [[ ! -d "$here/turf/node_modules/@turf/line-slice-along" ]]; then
  (cd "$here/turf" && npm ci --no-audit --no-fund --loglevel=error)
fi

out="$build/compare-turf"
mkdir -p "$out"
"$cuts" --lines "$out/lines.json" --repetitions "$repetitions" > "$out/library.json"
node "$here/turf/cut-turns.mjs" "$out/lines.json" "$repetitions" > "$out/turf.json"
# The other two geodesy models of the bench host, against the same turf run:
# how much of the library's time is the host's geodesy.
for model in exact planar; do
  "$cuts" --geodesy "$model" --repetitions "$repetitions" > "$out/library-$model.json"
done
python3 "$here/compare-turf.py" "$out/library.json" "$out/turf.json"
for model in exact planar; do
  echo
  python3 "$here/compare-turf.py" --ratios-only "$out/library-$model.json" "$out/turf.json"
done
