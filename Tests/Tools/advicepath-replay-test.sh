#!/usr/bin/env bash
# One case of the drive replay tool: runs it as a user does and checks the
# exit code, the one-line message and the files left behind.
# Usage: advicepath-replay-test.sh CASE TOOL SOURCE_DIR WORK_DIR
source "$(dirname "$0")/cli-checks.sh" "$@"
sample="$source_dir/samples/sanfrancisco-urban-route.json"

# An animated WebP (RIFF/WEBP with an animation chunk), frames.json with one
# record per frame, and the page showing the animation at its size.
expect_replay() {
  [[ "$(head -c 4 "$1/drive.webp")" == RIFF && "$(head -c 16 "$1/drive.webp" | tail -c 8)" == WEBPVP8X ]] ||
    fail "$1/drive.webp is no extended WebP"
  grep -qa ANIM "$1/drive.webp" || fail "$1/drive.webp is not animated"
  python3 -c 'import json, sys; d = json.load(open(sys.argv[1])); assert d["frames"] and "libraryMs" in d["frames"][0]' \
    "$1/frames.json" || fail "$1/frames.json lacks the frames"
  grep -q "<img src=\"drive.webp\" width=\"$2\" height=\"$3\"" "$1/index.html" || fail "index.html lacks the animation"
  # The WebP's chunks: a canvas of the frame size, one frame chunk per record.
  python3 -c 'import json, struct, sys
data = open(sys.argv[1] + "/drive.webp", "rb").read()
at, frames, canvas = 12, 0, None
while at + 8 <= len(data):
    kind, size = data[at:at + 4], struct.unpack("<I", data[at + 4:at + 8])[0]
    if kind == b"VP8X":
        canvas = (1 + int.from_bytes(data[at + 12:at + 15], "little"),
                  1 + int.from_bytes(data[at + 15:at + 18], "little"))
    frames += kind == b"ANMF"
    at += 8 + size + (size & 1)
assert canvas == (int(sys.argv[2]), int(sys.argv[3])), canvas
assert frames == len(json.load(open(sys.argv[1] + "/frames.json"))["frames"]), frames' \
    "$1" "$2" "$3" || fail "$1/drive.webp does not hold the frames of frames.json"
}

case "$case_name" in
  help)
    run --help; expect_code 0
    for option in --output --measure --json --size --sizes --colors --speed --fps --speed-up \
                  --max-seconds --max-mb --announce-metres --announce-seconds --north-up --from --to \
                  --log-level --quiet --version --map --between; do
      grep -qF -- "$option" "$work/stdout" || fail "--help does not mention $option"
    done
    expect_exit_codes_listed ;;
  map_route)
    # A drive routed over the Andorra extract with its roads under it.
    XDG_CACHE_HOME="$work/cache" run --map "$source_dir/data/osm/andorra.osm.pbf" \
      --between 42.5063,1.5216 42.5100,1.5390 -o "$out" --max-seconds 5 --quiet
    expect_code 0; expect_replay "$out" 640 480
    grep -qF '© OpenStreetMap contributors' "$out/index.html" ||
      fail "the page drawn over the map does not credit its data" ;;
  good_run)
    run "$sample" -o "$out" --png 10 --max-seconds 20; expect_code 0
    expect_replay "$out" 640 480
    [[ -s "$out/frame-0010.png" ]] || fail "no frame-0010.png"
    grep -q 'Turn left' "$out/index.html" || fail "index.html lacks the instructions"
    grep -qF "$out/index.html" "$work/stdout" || fail "the page's path is not printed"
    expect_no_partial_files ;;
  all_routes)
    for route in "$source_dir"/data/routes/*.{json,geojson,gpx}; do
      name=$(basename "$route")
      run "$route" -o "$out/$name" --size 320x240 --max-seconds 4 --quiet
      expect_code 0; expect_replay "$out/$name" 320 240
    done ;;
  part)
    # From the announcement of manoeuvre 2 to just past the junction of 3.
    run "$sample" -o "$out" --from 2 --to 3 --size 320x240 --quiet; expect_code 0
    python3 -c 'import json, sys
frames = json.load(open(sys.argv[1]))["frames"]
assert {f["announced"] for f in frames} == {None, 2, 3}, "bands of other manoeuvres"
assert frames[0]["next"] == 2 and frames[-1]["next"] == 4, "not the part asked for"' \
      "$out/frames.json" || fail "frames.json holds another part of the route" ;;
  random_file)
    head -c 3000 /dev/urandom >"$work/noise.json"
    run "$work/noise.json" -o "$out"; expect_code 3; expect_one_line_error noise.json; expect_no_output ;;
  bad_option)
    run "$sample" -o "$out" --fps 0; expect_code 2; expect_one_line_error --fps; expect_no_output
    run "$sample" -o "$out" --from 99; expect_code 2; expect_one_line_error "has 6 manoeuvres"
    expect_no_output ;;
  too_large)
    run "$sample" -o "$out" --size 320x240 --max-seconds 10 --max-mb 0.1; expect_code 4
    expect_one_line_error "max-mb"; expect_no_output ;;
  measure)
    run --measure "$source_dir/data/routes/osrm-roundabout-washingtondc-dupont-polyline5.json" \
        --json "$work/measure.json"; expect_code 0
    grep -q 'Draw, turn frames' "$work/stdout" || fail "no turn frame figures"
    grep -q 'whole frame, host and library' "$work/stdout" || fail "no whole frame figures"
    grep -q 'peak resident memory' "$work/stdout" || fail "no peak memory"
    python3 -c 'import json, sys
d = json.load(open(sys.argv[1]))
assert d["frames"] > 8000 and d["turnFrameDraw"]["count"] > 0
assert d["wholeFrame"]["count"] == d["frames"] and d["wholeFrame"]["medianUs"] >= d["frame"]["medianUs"]
assert 0 < d["setUpMs"]["readAndModel"] < 60000 and d["peakResidentBytes"] > 1000000' \
      "$work/measure.json" || fail "measure.json lacks the figures" ;;
  *) echo "unknown case $case_name"; exit 2 ;;
esac
echo "ok ($case_name)"
