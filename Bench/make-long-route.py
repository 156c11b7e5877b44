#!/usr/bin/env python3
"""Writes a continent-long route made from the shipped San Francisco - Los
Angeles route, as a v5 directions response.

    make-long-route.py OUT_FILE [--legs N] [--spacing METRES]

The route drives the shipped route forth, back and forth again, N legs in all
(default 8: 5,033 km), each back leg the forth leg's links reversed: the
steps in reverse order with their geometries reversed, each manoeuvre placed
where the forth leg's next one was, its modifier mirrored (left and right
swap), a ramp or a merge becoming its opposite, its bearings turned round and
its intersections read the other way. The shipped geometry is simplified (a
point every 161 m); every segment is cut into pieces of at most SPACING metres
(default 20) by points on it, so that the route has the point density of a
route at full detail (over 250,000 points at the default). Geometries are
written as polylines of precision 6. Nothing else changes: names, refs,
durations and distances are the shipped step's, so the drive takes N times the
shipped route's time.
"""
import argparse
import json
import math
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
SOURCE = HERE.parent / "data" / "routes" / "osrm-long-629km-sanfrancisco-losangeles-polyline5.json"
EARTH_RADIUS = 6371008.8

MIRRORED_MODIFIER = {"left": "right", "right": "left", "slight left": "slight right",
                     "slight right": "slight left", "sharp left": "sharp right",
                     "sharp right": "sharp left"}
# The manoeuvre met at the same junction driving the other way.
REVERSED_TYPE = {"off ramp": "on ramp", "on ramp": "off ramp", "merge": "fork", "fork": "merge",
                 "end of road": "turn"}


def decode(text, precision):
    factor = 10.0 ** precision
    points, index, lat, lon = [], 0, 0, 0
    while index < len(text):
        values = []
        for _ in range(2):
            result, shift = 0, 0
            while True:
                byte = ord(text[index]) - 63
                index += 1
                result |= (byte & 0x1F) << shift
                shift += 5
                if byte < 0x20:
                    break
            values.append(~(result >> 1) if result & 1 else result >> 1)
        lat += values[0]
        lon += values[1]
        points.append((lon / factor, lat / factor))
    return points


def encode(points, precision):
    factor = 10 ** precision
    out, last_lat, last_lon = [], 0, 0
    for lon, lat in points:
        ilat, ilon = round(lat * factor), round(lon * factor)
        for delta in (ilat - last_lat, ilon - last_lon):
            value = ~(delta << 1) if delta < 0 else delta << 1
            while value >= 0x20:
                out.append(chr((0x20 | (value & 0x1F)) + 63))
                value >>= 5
            out.append(chr(value + 63))
        last_lat, last_lon = ilat, ilon
    return "".join(out)


def metres(a, b):
    lat1, lat2 = math.radians(a[1]), math.radians(b[1])
    dlat, dlon = lat2 - lat1, math.radians(b[0] - a[0])
    h = math.sin(dlat / 2) ** 2 + math.cos(lat1) * math.cos(lat2) * math.sin(dlon / 2) ** 2
    return 2 * EARTH_RADIUS * math.asin(math.sqrt(h))


def densify(points, spacing):
    out = [points[0]]
    for a, b in zip(points, points[1:]):
        pieces = max(1, math.ceil(metres(a, b) / spacing))
        for k in range(1, pieces + 1):
            t = k / pieces
            out.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t))
    return out


def turned(bearing):
    return (bearing + 180) % 360


def reversed_intersection(intersection):
    """The same junction met from the other side: the way in was the way out."""
    out = {"location": intersection["location"], "bearings": intersection["bearings"],
           "entry": [True] * len(intersection["bearings"])}
    if "out" in intersection:
        out["in"] = intersection["out"]
    if "in" in intersection:
        out["out"] = intersection["in"]
    return out


def forth_leg(steps, geometries):
    leg = []
    for step, points in zip(steps, geometries):
        step = dict(step)
        step.pop("bannerInstructions", None)
        step["geometry"] = encode(points, 6)
        leg.append(step)
    return leg


def back_leg(steps, geometries):
    """The forth leg's steps driven from its arrival to its departure."""
    last = len(steps) - 1  # the arrival
    leg = []
    for m in range(last - 1, -1, -1):
        road, junction = steps[m], steps[m + 1]
        maneuver = junction["maneuver"]
        if m == last - 1:
            kind = {"type": "depart"}
        else:
            kind = {"type": REVERSED_TYPE.get(maneuver["type"], maneuver["type"])}
            if "modifier" in maneuver:
                kind["modifier"] = MIRRORED_MODIFIER.get(maneuver["modifier"],
                                                         maneuver["modifier"])
        kind["location"] = maneuver["location"]
        kind["bearing_before"] = 0 if m == last - 1 else turned(maneuver["bearing_after"])
        kind["bearing_after"] = turned(maneuver["bearing_before"])
        intersections = [reversed_intersection(junction["intersections"][0])]
        intersections += [reversed_intersection(i) for i in reversed(road["intersections"][1:])]
        step = {"maneuver": kind, "name": road["name"], "mode": road["mode"],
                "duration": road["duration"], "distance": road["distance"],
                "weight": road["weight"], "intersections": intersections,
                "geometry": encode(list(reversed(geometries[m])), 6)}
        if "ref" in road:
            step["ref"] = road["ref"]
        leg.append(step)
    start = steps[0]
    leg.append({"maneuver": {"type": "arrive", "location": start["maneuver"]["location"],
                             "bearing_before": turned(start["maneuver"]["bearing_after"]),
                             "bearing_after": 0},
                "name": start["name"], "mode": start["mode"], "duration": 0, "distance": 0,
                "weight": 0,
                "intersections": [reversed_intersection(start["intersections"][0])],
                "geometry": encode([start["maneuver"]["location"]] * 2, 6)})
    return leg


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("out", type=pathlib.Path)
    parser.add_argument("--legs", type=int, default=8)
    parser.add_argument("--spacing", type=float, default=20.0)
    args = parser.parse_args()
    if args.legs < 1 or not args.spacing > 0:
        sys.exit("make-long-route: --legs must be at least 1 and --spacing positive")

    source = json.loads(SOURCE.read_text())
    route = source["routes"][0]
    steps = route["legs"][0]["steps"]
    geometries = [densify(decode(step["geometry"], 5), args.spacing) for step in steps]
    legs, points = [], 0
    for n in range(args.legs):
        leg_steps = forth_leg(steps, geometries) if n % 2 == 0 else back_leg(steps, geometries)
        legs.append({"steps": leg_steps, "summary": "", "weight": route["weight"],
                     "duration": route["duration"], "distance": route["distance"]})
        points += sum(len(g) for g in geometries)
    ends = [source["waypoints"][0]["location"], source["waypoints"][-1]["location"]]
    response = {
        "code": "Ok",
        "routes": [{"legs": legs, "weight_name": route["weight_name"],
                    "weight": route["weight"] * args.legs,
                    "duration": route["duration"] * args.legs,
                    "distance": route["distance"] * args.legs}],
        "waypoints": [{"location": ends[n % 2], "name": ""} for n in range(args.legs + 1)],
    }
    args.out.write_text(json.dumps(response, separators=(",", ":")))
    print(f"{args.out}: {args.legs} legs, {route['distance'] * args.legs / 1000:.0f} km, "
          f"{points} points, {args.out.stat().st_size} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
