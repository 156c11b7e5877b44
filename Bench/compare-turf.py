#!/usr/bin/env python3
"""Compares the library's junction cuts with turf.js's on the same manoeuvres.

    compare-turf.py [--ratios-only] LIBRARY.json TURF.json

Reads the outputs of ap_bench_turn_cuts and turf/cut-turns.mjs from one run and
prints, per route, the time per manoeuvre of each side, their ratio, and the
largest distance between corresponding cut points. Exits 0 whatever the
figures say: it reports, it does not judge.

The library cuts along quarter-degree directions and measures with the host's
ellipsoidal geodesy; turf interpolates along great circles of a sphere. A cut
point may therefore differ by up to (interpolated length x sin 0.25 degrees)
sideways plus the relative difference of the two length models along the way
(below 0.4 % between 35 and 55 degrees of latitude); that sum, plus 2 cm, is
the allowance each entering start and arrow tip is checked against. Where the
library places the arrow beyond the end of a leaving road shorter than the
arrow (its documented outside placement), only the entering start is compared.
"""
import json
import math
import sys

QUANTUM = math.sin(math.radians(0.25))
LENGTH_MODEL_DIFFERENCE = 0.004
SLACK_METRES = 0.02
TARGET_RATIO = 20.0


def metres_between(a, b):
    """Distance in metres between two nearby points (WGS84 radii at their mean latitude)."""
    lat = math.radians(0.5 * (a[1] + b[1]))
    e2 = 0.00669437999014
    w = math.sqrt(1.0 - e2 * math.sin(lat) ** 2)
    m = 6378137.0 * (1.0 - e2) / w**3
    n = 6378137.0 / w
    dx = math.radians(b[0] - a[0]) * n * math.cos(lat)
    dy = math.radians(b[1] - a[1]) * m
    return math.hypot(dx, dy)


def ratios_only(library, turf):
    turf_routes = {r["file"]: r for r in turf["routes"]}
    print(f"library with the {library['geodesy']} geodesy against the same turf run:")
    for route in library["routes"]:
        other = turf_routes.get(route["file"])
        if other:
            print("  %-52s library %8.2f us, turf %8.2f us, ratio %6.1f" % (
                route["file"], route["nsPerJunction"] / 1000.0, other["nsPerJunction"] / 1000.0,
                other["nsPerJunction"] / route["nsPerJunction"]))
    return 0


def main(library_file, turf_file, only_ratios=False):
    with open(library_file) as f:
        library = json.load(f)
    with open(turf_file) as f:
        turf = json.load(f)
    from_length = library["fromLength"]
    if only_ratios:
        return ratios_only(library, turf)
    turf_routes = {r["file"]: r for r in turf["routes"]}

    print(f"junction cuts: entering {from_length:g} m, leaving {library['toLength']:g} m "
          f"+ {library['arrowExtension']:g} m for the arrow, arrow {library['arrowLength']:g} m; "
          f"library geodesy: {library['geodesy']}; turf on Node.js {turf.get('node', '?')}")
    print("times: median over %d repetitions of about %d cuts each (every manoeuvre of the "
          "route, over and over); CPU time per manoeuvre" % (library["repetitions"],
                                                             library["cutsPerRepetition"]))
    header = ("route", "turns", "library us", "turf us", "ratio", "enter max m", "tip max m",
              "base max m", "in allowance")
    print("%-52s %5s %10s %8s %6s %11s %9s %10s %12s" % header)
    ratios = []
    worst = {"enterStart": (0.0, None), "tip": (0.0, None), "base": (0.0, None)}
    all_within = 0
    all_checked = 0
    outside = []
    known_ratios = []
    for route in library["routes"]:
        other = turf_routes.get(route["file"])
        if other is None:
            print(f"{route['file']}: missing on the turf side")
            continue
        ratio = other["nsPerJunction"] / route["nsPerJunction"]
        ratios.append(ratio)
        if "nsPerJunctionKnownLengths" in other:
            known_ratios.append((route["file"], other["nsPerJunctionKnownLengths"] / 1000.0,
                                 other["nsPerJunctionKnownLengths"] / route["nsPerJunction"]))
        turf_cuts = {c["maneuver"]: c for c in other["cuts"]}
        largest = {"enterStart": 0.0, "tip": 0.0, "base": 0.0}
        within = 0
        checked = 0
        for cut in route["cuts"]:
            t = turf_cuts.get(cut["maneuver"])
            if not cut.get("ok") or t is None or not t.get("ok"):
                continue
            kinds = ("enterStart", "tip", "base") if cut.get("arrowInside", True) else ("enterStart",)
            if not cut.get("arrowInside", True):
                outside.append((route["file"], cut["maneuver"]))
            for kind in kinds:
                d = metres_between(cut[kind], t[kind])
                largest[kind] = max(largest[kind], d)
                if d > worst[kind][0]:
                    worst[kind] = (d, (route["file"], cut["maneuver"]))
            allowance_enter = (t["enterInterpolated"] * QUANTUM
                               + LENGTH_MODEL_DIFFERENCE * from_length + SLACK_METRES)
            allowance_tip = (t["tipInterpolated"] * QUANTUM
                             + LENGTH_MODEL_DIFFERENCE * t["tipDistance"] + SLACK_METRES)
            checked += 1
            within += metres_between(cut["enterStart"], t["enterStart"]) <= allowance_enter
            if "tip" in kinds:
                checked += 1
                within += metres_between(cut["tip"], t["tip"]) <= allowance_tip
        all_within += within
        all_checked += checked
        print("%-52s %5d %10.2f %8.2f %6.1f %11.2f %9.2f %10.2f %6d / %-5d" % (
            route["file"], route["junctions"], route["nsPerJunction"] / 1000.0,
            other["nsPerJunction"] / 1000.0, ratio, largest["enterStart"], largest["tip"],
            largest["base"], within, checked))
    if ratios:
        print(f"ratio turf / library: lowest {min(ratios):.1f}, highest {max(ratios):.1f} "
              f"(target: at least {TARGET_RATIO:g} on every route: "
              f"{'met' if min(ratios) >= TARGET_RATIO else 'missed'})")
    print("segments measured per manoeuvre and time per segment (all of a side's time counted):")
    for route in library["routes"]:
        other = turf_routes.get(route["file"])
        if other and "segmentsPerJunction" in route and "segmentsPerJunction" in other:
            print("  %-52s library %6.1f segments (%5.1f ns each), turf %6.1f (%5.1f ns each)" % (
                route["file"], route["segmentsPerJunction"],
                route["nsPerJunction"] / max(route["segmentsPerJunction"], 1e-9),
                other["segmentsPerJunction"],
                other["nsPerJunction"] / max(other["segmentsPerJunction"], 1e-9)))
    for file, us, ratio in known_ratios:
        print(f"  turf with guide lengths measured once per manoeuvre: {file}: "
              f"{us:.2f} us, ratio {ratio:.1f}")
    for file, maneuver in outside:
        print(f"  {file}, manoeuvre {maneuver}: the leaving road is shorter than the arrow, "
              f"which the library then places beyond the road's end; tip and base not compared")
    for kind, (d, where) in worst.items():
        if where:
            print(f"largest {kind} distance: {d:.2f} m ({where[0]}, manoeuvre {where[1]})")
    print(f"cut points within the allowance: {all_within} of {all_checked}")
    return 0


if __name__ == "__main__":
    args = sys.argv[1:]
    only = bool(args) and args[0] == "--ratios-only"
    if only:
        args = args[1:]
    if len(args) != 2:
        sys.exit(__doc__)
    sys.exit(main(args[0], args[1], only))
