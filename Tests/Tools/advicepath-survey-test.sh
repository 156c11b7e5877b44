#!/usr/bin/env bash
# One case of the survey tool: runs it as a user does and checks the exit
# code, the one-line message, the table and the files left behind.
# Usage: advicepath-survey-test.sh CASE TOOL SOURCE_DIR WORK_DIR
source "$(dirname "$0")/cli-checks.sh" "$@"
sample="$source_dir/samples/sanfrancisco-urban-route.json"
extract="$source_dir/data/osm/bautzen.osm"
# The routing database is built in the work folder, not the user's cache.
export XDG_CACHE_HOME="$work/cache"

case "$case_name" in
  help)
    run --help; expect_code 0
    for option in --routes --seed --json --output --between --fps --log-level --quiet --version; do
      grep -qF -- "$option" "$work/stdout" || fail "--help does not mention $option"
    done
    expect_exit_codes_listed ;;
  good_run)
    # Four routes over the motorway junction near Bautzen and the sample
    # route: every manoeuvre passes, the table and the JSON say so.
    run "$extract" "$sample" --routes 4 --seed 7 --json "$work/survey.json" -o "$out" --quiet
    expect_code 0
    tail -n 1 "$work/stdout" | grep -qE '^[0-9]+ manoeuvres checked, 0 failed$' ||
      fail "the last line is not the tally"
    grep -q '^junction class' "$work/stdout" || fail "no table"
    grep -q '^5 routes from 2 inputs' "$work/stdout" || fail "not five routes from two inputs"
    python3 -c 'import json, sys
d = json.load(open(sys.argv[1]))
assert d["routes"] == 5 and d["failed"] == 0 and d["checked"] > 5, d
assert {c["class"] for c in d["classes"]} >= {"fork", "roundabout exit 5+", "closer than a band"}' \
      "$work/survey.json" || fail "survey.json lacks the tally"
    # The same seed, the same routes.
    cp "$work/survey.json" "$work/first.json"
    run "$extract" --routes 4 --seed 7 --json "$work/again.json" --quiet; expect_code 0
    python3 -c 'import json, sys
a, b = (json.load(open(p)) for p in sys.argv[1:])
assert a["classes"] != [] and a["checked"] - 5 == b["checked"], (a["checked"], b["checked"])' \
      "$work/first.json" "$work/again.json" || fail "the seed does not give the same routes" ;;
  camera_to_a_roundabout_exit)
    # A roundabout in Andorra la Vella 100 m round, driven at 30 m/s: the
    # camera looked at the fit its band needs every 10 m but not where the
    # route leaves the circle, where it is greatest, and the band left the
    # picture there.
    run "$source_dir/data/osm/andorra.osm.pbf" --between 42.6219100,1.5555488 42.4494129,1.4705409 --quiet
    expect_code 0
    tail -n 1 "$work/stdout" | grep -qE '^[0-9]+ manoeuvres checked, 0 failed$' ||
      fail "a manoeuvre failed" ;;
  camera_after_a_roundabouts_first_exit|camera_at_manoeuvres_closer_than_a_band)
    # The band's need wobbling on level 0's edge as the view turns (after a
    # roundabout's first exit; right after the roundabout before): the
    # camera zoomed out to level 1 for a frame and back in while the band
    # showed.
    if [[ $case_name == camera_after_a_roundabouts_first_exit ]]; then
      points=(42.5394604,1.4883984 42.5449189,1.5184376)
    else
      points=(42.5341785,1.5882459 42.5327441,1.5697648)
    fi
    run "$source_dir/data/osm/andorra.osm.pbf" --between "${points[@]}" --quiet
    expect_code 0
    tail -n 1 "$work/stdout" | grep -qE '^[0-9]+ manoeuvres checked, 0 failed$' ||
      fail "a manoeuvre failed" ;;
  missing_file)
    run "$work/no-such-extract.osm.pbf"; expect_code 3; expect_one_line_error no-such-extract.osm.pbf
    run "$work/no-such-route.json"; expect_code 3; expect_one_line_error no-such-route.json ;;
  bad_option)
    run "$extract" --routes 0; expect_code 2; expect_one_line_error --routes
    run "$extract" --between 51.19,14.41; expect_code 2; expect_one_line_error --between
    run "$extract" --between 91,14.41 51.19,14.41; expect_code 2; expect_one_line_error --between ;;
  unwritable_json)
    # A file below a plain file cannot be written, not even by root.
    echo "a file" >"$work/plain"
    run "$sample" --json "$work/plain/survey.json" --quiet; expect_code 4; expect_one_line_error plain ;;
  *) echo "unknown case $case_name"; exit 2 ;;
esac
echo "ok ($case_name)"
