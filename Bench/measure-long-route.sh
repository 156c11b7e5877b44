#!/usr/bin/env bash
# A continent-long drive measured beside a short one: the San Francisco - Los
# Angeles route driven forth and back, 8 legs, 5,033 km and over 250,000
# points (make-long-route.py, written into the build tree, never committed),
# and the 0.9 km Dupont Circle route, each through advicepath-replay --measure
# (30 frames per second of driving, the counting map view), then the figures
# side by side.
#
#   Bench/measure-long-route.sh [BUILD_DIR]      default: build/bench
#
# Needs the target advicepath-replay of BUILD_DIR. The outputs stay in
# BUILD_DIR/long-route/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
replay="$build/Tools/advicepath-replay/advicepath-replay"
if [[ ! -x "$replay" ]]; then
  echo "measure-long-route: $replay is missing: build the target advicepath-replay first" >&2
  exit 2
fi
out="$build/long-route"
mkdir -p "$out"
python3 "$here/make-long-route.py" "$out/continent-route.json"
short="$here/../data/routes/osrm-roundabout-washingtondc-dupont-polyline6.json"
"$replay" --measure --quiet "$short" --json "$out/short.json"
"$replay" --measure --quiet "$out/continent-route.json" --json "$out/long.json"
python3 - "$out/short.json" "$out/long.json" <<'PY'
import json, sys
short, long_ = (json.load(open(p)) for p in sys.argv[1:3])
print(f"{'':42} {'0.9 km':>10} {'5,033 km':>10}  ratio")
def row(what, a, b, unit):
    ratio = f"{b / a:8.2f}" if a else "       -"
    print(f"  {what:<40} {a:>10.2f} {b:>10.2f} {ratio}  {unit}")
for key, what in (("frame", "library, every frame"), ("turnFrameDraw", "library, turn frames"),
                  ("wholeFrame", "whole frame (host and library)")):
    for stat in ("median", "p99"):
        row(f"{what}, {stat}", short[key][stat + "Us"], long_[key][stat + "Us"], "us")
row("route read and modelled", short["setUpMs"]["readAndModel"], long_["setUpMs"]["readAndModel"], "ms")
row("time base", short["setUpMs"]["timeline"], long_["setUpMs"]["timeline"], "ms")
row("replay set up (SetPath, ...)", short["setUpMs"]["replay"], long_["setUpMs"]["replay"], "ms")
row("first frame, library", short["firstFrameUs"]["library"], long_["firstFrameUs"]["library"], "us")
row("first frame, whole", short["firstFrameUs"]["whole"], long_["firstFrameUs"]["whole"], "us")
row("peak resident memory", short["peakResidentBytes"] / 1e6, long_["peakResidentBytes"] / 1e6, "MB")
print(f"  frames: {short['frames']} and {long_['frames']}; "
      f"goals: frame median within 1.5 x the short route's, 99th percentile under 1 ms, "
      f"model under 1 s, process under 200 MB")
PY
