#!/usr/bin/env bash
# A whole drive across Andorra over its road map, as make demo writes it: the
# replay tool's wall time and peak memory, the median of three runs (the
# routing database is built once before, and not timed).
#
#   Bench/measure-map-drive.sh [BUILD_DIR]      default: build/bench
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
replay="$build/Tools/advicepath-replay/advicepath-replay"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME="$work/cache"
args=(--map "$here/../data/osm/andorra.osm.pbf" --between 42.5045,1.5190 42.5130,1.5560)
"$replay" "${args[@]}" --measure > /dev/null
python3 - "$replay" "$work" "${args[@]}" <<'PY'
import json, resource, statistics, subprocess, sys, time
replay, work, args = sys.argv[1], sys.argv[2], sys.argv[3:]
runs = []
for run in range(3):
    out = f"{work}/drive-{run}"
    start = time.monotonic()
    # Each run in a process of its own; its peak is read from wait4's usage.
    process = subprocess.Popen([replay, *args, "-o", out, "--max-seconds", "30", "--max-mb", "5",
                                "--quiet"])
    _, status, usage = __import__("os").wait4(process.pid, 0)
    seconds = time.monotonic() - start
    if status != 0:
        sys.exit(f"measure-map-drive: the replay failed ({status})")
    runs.append((seconds, usage.ru_maxrss / 1024))
frames = len(json.load(open(f"{work}/drive-0/frames.json"))["frames"])
print(f"andorra drive over its map: {frames} frames of 640x480 written as drive.webp in "
      f"{statistics.median(r[0] for r in runs):.2f} s "
      f"({1000 * statistics.median(r[0] for r in runs) / frames:.1f} ms a frame, encoding "
      f"included), {statistics.median(r[1] for r in runs):.1f} MiB peak")
PY
