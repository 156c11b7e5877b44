#!/usr/bin/env bash
# One case of the command-line renderer: runs it as a user does and checks the
# exit code, the one-line message and the files left behind.
# Usage: advicepath-render-test.sh CASE TOOL SOURCE_DIR WORK_DIR
source "$(dirname "$0")/cli-checks.sh" "$@"
sample="$source_dir/samples/sanfrancisco-urban-route.json"

case "$case_name" in
  help)
    run --help; expect_code 0
    grep -q 'Usage: advicepath-render' "$work/stdout" || fail "no usage line"
    for option in --maneuver --format --size --sizes --colors --no-od-line --log-level \
                  --log-config --quiet --version -o --map --between; do
      grep -qF -- "$option" "$work/stdout" || fail "--help does not mention $option"
    done
    grep -qF 'and a track (<trk>) along the same way is read as one drive' "$work/stdout" ||
      fail "--help does not say how a GPX route with a track is read"
    expect_exit_codes_listed ;;
  version)
    run --version; expect_code 0
    grep -qE '^advicepath-render [0-9]+\.[0-9]+\.[0-9]+$' "$work/stdout" || fail "no version" ;;
  good_run)
    run "$sample" -o "$out"; expect_code 0
    [[ -s "$out/overview.png" ]] || fail "no overview.png"
    # The sample has six steps after the departure: five turns and the arrival.
    for n in 001 002 003 004 005 006; do [[ -s "$out/turn-$n.png" ]] || fail "no turn-$n.png"; done
    [[ ! -e "$out/turn-007.png" ]] || fail "one picture too many"
    grep -q 'turn-006.png' "$out/index.html" || fail "index.html lacks the last picture"
    grep -q 'Turn left' "$out/index.html" || fail "index.html lacks the instructions"
    grep -qF "$out/index.html" "$work/stdout" || fail "the page's path is not printed"
    head -c 8 "$out/overview.png" | od -An -tx1 | grep -q '89 50 4e 47' || fail "not a PNG"
    expect_no_partial_files ;;
  earlier_run)
    # A run into the folder of an earlier, longer one leaves none of its
    # pictures beside the new page, and the user's own files where they were.
    run "$sample" -o "$out" --quiet; expect_code 0
    echo "mine" >"$out/turn-notes.txt"; echo "mine" >"$out/notes.txt"
    run "$sample" -o "$out" --maneuver 2 --quiet; expect_code 0
    [[ "$(cd "$out" && ls | tr '\n' ' ')" == "index.html notes.txt overview.png turn-002.png turn-notes.txt " ]] ||
      fail "left in the folder: $(ls "$out")" ;;
  single_maneuver)
    run "$sample" -o "$out" --maneuver 2 --quiet; expect_code 0
    [[ -s "$out/turn-002.png" && -s "$out/overview.png" ]] || fail "pictures missing"
    [[ ! -e "$out/turn-001.png" ]] || fail "other manoeuvres drawn"
    [[ ! -s "$work/stdout" ]] || fail "--quiet printed something" ;;
  svg_output)
    run "$sample" -o "$out" --format svg --size 640x480 --quiet; expect_code 0
    [[ -s "$out/turn-001.svg" ]] || fail "no SVG"
    grep -q '<svg' "$out/turn-001.svg" || fail "not an SVG"
    grep -q 'width="640' "$out/turn-001.svg" || fail "--size not applied" ;;
  sizes_file)
    cat >"$work/sizes.json" <<'JSON'
{ "maxTurnLevel": 1, "levels": [
  {"pathWidth": 20, "pathBorderWidth": 26, "edgeWidth": 14, "edgeBorderWidth": 18, "arrowFillParam": 100,
   "arrowBorderParam": 2, "toLength": 40, "fromLength": 40, "lengthTolerance": 4, "arrowLength": 12, "arrowWidth": 6},
  {"pathWidth": 10, "pathBorderWidth": 14, "edgeWidth": 7, "edgeBorderWidth": 10, "arrowFillParam": 100,
   "arrowBorderParam": 2, "toLength": 80, "fromLength": 80, "lengthTolerance": 8, "arrowLength": 30, "arrowWidth": 14}]}
JSON
    run "$sample" -o "$out" --sizes "$work/sizes.json" --colors '#112233,0x00332211,#FFFFFF,0' --quiet
    expect_code 0; [[ -s "$out/turn-001.png" ]] || fail "no picture" ;;
  bad_sizes_file)
    echo '{"levels": [{"pathWidth": 3}]}' >"$work/sizes.json"
    run "$sample" -o "$out" --sizes "$work/sizes.json"; expect_code 3; expect_one_line_error
    expect_stderr 'sizes.json: levels[0]: missing field "pathBorderWidth"'; expect_no_output ;;
  missing_file)
    run "$work/no-such-route.json" -o "$out"; expect_code 3; expect_one_line_error
    expect_stderr "no-such-route.json"; expect_no_output ;;
  not_json)
    printf '{\n  "routes": [\n    {"legs": ]\n' >"$work/broken.json"
    run "$work/broken.json" -o "$out"; expect_code 3; expect_one_line_error
    expect_stderr "broken.json:3:"; expect_no_output ;;
  wrong_structure)
    echo '{"routes": [{"legs": [{"steps": [{"geometry": 42}]}]}]}' >"$work/wrong.json"
    run "$work/wrong.json" -o "$out"; expect_code 3; expect_one_line_error
    expect_stderr "wrong.json"; expect_stderr "routes[0].legs[0].steps[0]"; expect_no_output ;;
  empty_route)
    echo '{"type": "LineString", "coordinates": []}' >"$work/empty.geojson"
    run "$work/empty.geojson" -o "$out"; expect_code 3; expect_one_line_error
    expect_stderr "empty.geojson"; expect_no_output ;;
  unwritable_output)
    # A folder below a plain file cannot be made, not even by root.
    echo "a file" >"$work/plain"
    out="$work/plain/pictures"
    run "$sample" -o "$out"; expect_code 4; expect_one_line_error
    expect_stderr "$work/plain/pictures"
    [[ "$(cat "$work/plain")" == "a file" ]] || fail "the file was touched" ;;
  bad_option)
    run "$sample" -o "$out" --size 12 ; expect_code 2; expect_one_line_error
    expect_stderr "--size"; expect_no_output
    # A width past the range of int is refused, not wrapped round (2^32 + 640).
    run "$sample" -o "$out" --size 4294967936x480 ; expect_code 2; expect_one_line_error
    expect_stderr "--size"; expect_no_output ;;
  bad_colors)
    run "$sample" -o "$out" --colors 'red,green' ; expect_code 2; expect_one_line_error
    expect_stderr "--colors"; expect_no_output ;;
  maneuver_out_of_range)
    run "$sample" -o "$out" --maneuver 99 ; expect_code 2; expect_one_line_error
    expect_stderr "has 6 manoeuvres"; expect_no_output ;;
  between_route)
    # A car route computed over the Andorra extract, its database kept in the
    # work folder.
    XDG_CACHE_HOME="$work/cache" run --map "$source_dir/data/osm/andorra.osm.pbf" \
      --between 42.5063,1.5216 42.5100,1.5390 -o "$out" --quiet
    expect_code 0
    [[ -s "$out/overview.png" && -s "$out/turn-001.png" ]] || fail "pictures missing"
    grep -q 'andorra.osm.pbf 42.5063,1.5216 -&gt; 42.5100,1.5390' "$out/index.html" ||
      fail "the page does not name the route"
    grep -q 'onto ' "$out/index.html" || fail "no caption names a road"
    grep -qF '© OpenStreetMap contributors' "$out/index.html" ||
      fail "the page drawn over the map does not credit its data" ;;
  between_usage)
    run --between 42.5,1.5 42.6,1.6 -o "$out"; expect_code 2
    expect_one_line_error "--between needs --map"
    run --map "$source_dir/data/osm/bautzen.osm" --between 51.19,14.41 51.19 -o "$out"
    expect_code 2; expect_one_line_error 'expected LAT,LON in decimal degrees, got "51.19"'
    run "$sample" --map "$source_dir/data/osm/bautzen.osm" --between 51.19,14.41 51.19,14.412 \
      -o "$out"
    expect_code 2; expect_one_line_error "give no ROUTE_FILE"; expect_no_output ;;
  between_no_route)
    # A point far outside the extract, and a file that is no extract (--quiet:
    # without it the database's progress lines come first).
    XDG_CACHE_HOME="$work/cache" run --map "$source_dir/data/osm/bautzen.osm" \
      --between 51.19,14.41 48.1,11.5 -o "$out" --quiet
    expect_code 3; expect_one_line_error "is not near any road"; expect_no_output
    printf 'not an extract\n' >"$work/fake.osm"
    XDG_CACHE_HOME="$work/cache" run --map "$work/fake.osm" --between 51.19,14.41 51.19,14.412 \
      -o "$out" --quiet
    expect_code 3; expect_one_line_error "fake.osm"; expect_no_output
    # A route file over an extract that cannot be read.
    run "$sample" --map "$work/fake.osm" -o "$out" --quiet
    expect_code 3; expect_one_line_error "fake.osm"; expect_no_output ;;
  credit)
    # The sample asks for its credit on every picture (pdftotext reads it).
    run "$sample" -o "$out" --maneuver 1 --format pdf --quiet; expect_code 0
    for picture in overview turn-001; do
      pdftotext "$out/$picture.pdf" - | grep -qF '© Mapbox © OpenStreetMap contributors' ||
        fail "$picture.pdf lacks the route data's credit"
    done
    grep -qF 'Route data © Mapbox © OpenStreetMap contributors' "$out/index.html" ||
      fail "the page lacks the route data's credit" ;;
  off_map)
    # The sample (San Francisco) touches no road of the Bautzen extract.
    run "$sample" --map "$source_dir/data/osm/bautzen.osm" -o "$out"
    expect_code 3; expect_one_line_error "lies wholly outside the extract"; expect_no_output
    # A track from the extract's roads 13 km east, mostly off the map.
    cat >"$work/east.gpx" <<'GPX'
<gpx version="1.1" creator="t"><trk><trkseg><trkpt lat="51.19" lon="14.41"/>
<trkpt lat="51.19" lon="14.412"/><trkpt lat="51.19" lon="14.6"/></trkseg></trk></gpx>
GPX
    run "$work/east.gpx" --map "$source_dir/data/osm/bautzen.osm" -o "$out" --quiet
    expect_code 0
    grep -qE '[0-9.]+ km \([0-9]+ %\) outside the map' "$out/index.html" ||
      fail "the page does not say how much lies outside the map" ;;
  *) echo "unknown case $case_name"; exit 2 ;;
esac
echo "ok ($case_name)"
