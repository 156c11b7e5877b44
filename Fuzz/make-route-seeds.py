#!/usr/bin/env python3
"""Writes the seed corpus of the route-file fuzzer (Fuzz/corpus/routefiles).

Every seed is made up here, on an invented street grid, so none derives from
a third-party file: a directions response with encoded polylines of both
precisions, with GeoJSON step geometries, with two legs, with a roundabout,
without steps; GeoJSON lines, point tracks and containers; GPX tracks and
routes, and a GPX route with instructions beside its timed track.
Usage: Fuzz/make-route-seeds.py [directory]
"""
import json
import math
import os
import sys


def encode_value(value):
    value = ~(value << 1) if value < 0 else value << 1
    chunks = []
    while value >= 0x20:
        chunks.append(chr((0x20 | (value & 0x1F)) + 63))
        value >>= 5
    chunks.append(chr(value + 63))
    return "".join(chunks)


def encode_polyline(points, precision):
    """Encoded polyline of [lon, lat] points: pairs of latitude, longitude."""
    factor = 10 ** precision
    text = []
    last_lat = last_lon = 0
    for lon, lat in points:
        lat_i = int(round(lat * factor))
        lon_i = int(round(lon * factor))
        text.append(encode_value(lat_i - last_lat))
        text.append(encode_value(lon_i - last_lon))
        last_lat, last_lon = lat_i, lon_i
    return "".join(text)


def ahead(point, bearing, metres):
    """The point `metres` from `point` towards `bearing` (degrees from north)."""
    lon, lat = point
    north = metres * math.cos(math.radians(bearing))
    east = metres * math.sin(math.radians(bearing))
    return [round(lon + east / (111320.0 * math.cos(math.radians(lat))), 6),
            round(lat + north / 111132.0, 6)]


def leg_points(start, moves, step=50.0):
    """Points every `step` metres along (bearing, metres) moves."""
    points = [start]
    for bearing, metres in moves:
        done = 0.0
        while done < metres - 1e-9:
            points.append(ahead(points[-1], bearing, min(step, metres - done)))
            done += step
    return points


def step(kind, modifier, name, points, geometry, precision=5, exit_number=None,
         intersections=True):
    maneuver = {"type": kind, "location": points[0],
                "bearing_before": 0, "bearing_after": 90}
    if modifier:
        maneuver["modifier"] = modifier
    if exit_number is not None:
        maneuver["exit"] = exit_number
    result = {"name": name, "maneuver": maneuver,
              "distance": round(sum(metres(a, b) for a, b in zip(points, points[1:])), 1)}
    if geometry == "polyline":
        result["geometry"] = encode_polyline(points, precision)
    else:
        result["geometry"] = {"type": "LineString", "coordinates": points}
    if intersections:
        result["intersections"] = [
            {"location": points[0], "in": 0, "out": 1, "entry": [False, True, True],
             "bearings": [0, 90, 180]}]
    return result


def metres(a, b):
    dx = (b[0] - a[0]) * 111320.0 * math.cos(math.radians(a[1]))
    dy = (b[1] - a[1]) * 111132.0
    return math.hypot(dx, dy)


START = [8.5400, 47.3700]


def directions(geometry, precision=5, legs=1, roundabout=False):
    """A response whose steps run along the invented grid."""
    streets = [(0, 200, "Lindenweg"), (90, 150, "Seestrasse"), (0, 100, "Bahnhofplatz"),
               (270, 120, "Gartenstrasse")]
    all_legs = []
    position = START
    for leg in range(legs):
        steps = []
        for i, (bearing, length, name) in enumerate(streets):
            points = leg_points(position, [(bearing, length)])
            kind = "depart" if i == 0 else ("roundabout" if roundabout and i == 2 else "turn")
            modifier = None if i == 0 else ("right" if i % 2 else "left")
            steps.append(step(kind, modifier, name + (" %d" % leg if leg else ""), points,
                              geometry, precision, 2 if kind == "roundabout" else None))
            position = points[-1]
        if roundabout:
            exit_points = leg_points(position, [(180, 60)])
            steps.append(step("exit roundabout", "right", "Ringstrasse", exit_points, geometry,
                              precision, 2))
            position = exit_points[-1]
        steps.append(step("arrive", None, "", [position, position], geometry, precision,
                          intersections=False))
        all_legs.append({"steps": steps, "distance": sum(s["distance"] for s in steps),
                         "summary": "Lindenweg, Seestrasse"})
    route = {"distance": sum(l["distance"] for l in all_legs), "duration": 300.0,
             "legs": all_legs, "weight_name": "routability"}
    return {"code": "Ok", "routes": [route],
            "waypoints": [{"name": "start", "location": START}]}


def overview_only():
    points = leg_points(START, [(0, 300), (90, 200)])
    return {"code": "Ok", "routes": [{"distance": 500.0, "legs": [{"steps": []}],
                                      "geometry": encode_polyline(points, 5)}]}


def track():
    return leg_points(START, [(0, 300), (95, 250), (10, 200), (200, 150)], step=40.0)


def geojson_files():
    points = track()
    line = {"type": "LineString", "coordinates": points}
    half = len(points) // 2
    multi = {"type": "Feature", "properties": {"name": "Uferweg"},
             "geometry": {"type": "MultiLineString",
                          "coordinates": [points[:half + 1], points[half:]]}}
    collection = {"type": "FeatureCollection", "features": [
        {"type": "Feature", "properties": {}, "geometry": {"type": "Point", "coordinates": p}}
        for p in points[::2]]}
    geometries = {"type": "GeometryCollection", "geometries": [
        {"type": "LineString", "coordinates": points[:half + 1]},
        {"type": "Point", "coordinates": points[0]},
        {"type": "LineString", "coordinates": points[half:]}]}
    multipoint = {"type": "MultiPoint", "coordinates": points[::3]}
    return {"geojson-linestring.geojson": line,
            "geojson-multilinestring-feature.geojson": multi,
            "geojson-point-features.geojson": collection,
            "geojson-geometrycollection.geojson": geometries,
            "geojson-multipoint.geojson": multipoint}


def gpx(element_kind):
    points = track()
    header = ('<?xml version="1.0" encoding="UTF-8"?>\n'
              '<gpx version="1.1" creator="seed" xmlns="http://www.topografix.com/GPX/1/1">\n')
    if element_kind == "trk":
        half = len(points) // 2
        segments = "".join(
            "<trkseg>\n" + "".join(
                '<trkpt lat="%.6f" lon="%.6f"><ele>410</ele></trkpt>\n' % (p[1], p[0])
                for p in part) + "</trkseg>\n"
            for part in (points[:half], points[half:]))
        return header + "<trk><name>Uferweg</name>\n" + segments + "</trk>\n</gpx>\n"
    body = "".join('<rtept lat="%.6f" lon="%.6f"/>\n' % (p[1], p[0]) for p in points[::2])
    return header + "<rte><name>Plan</name>\n" + body + "</rte>\n</gpx>\n"


def gpx_route_and_timed_track():
    """Route points with instructions beside the track they were planned on,
    as routing engines write GPX: every third track point is a route point."""
    points = track()
    header = ('<?xml version="1.0" encoding="UTF-8"?>\n'
              '<gpx version="1.1" creator="seed" xmlns="http://www.topografix.com/GPX/1/1">\n')
    words = ["continue onto Uferweg", "turn left onto Seestrasse", "", "turn right onto Bahnhofplatz",
             "keep left", "turn sharp right onto Quai"]
    route = "".join(
        '<rtept lat="%.6f" lon="%.6f"><desc>%s</desc></rtept>\n' % (p[1], p[0], words[i % len(words)])
        for i, p in enumerate(points[::3]))
    track_points = "".join(
        '<trkpt lat="%.6f" lon="%.6f"><time>2024-05-04T10:%02d:%02dZ</time></trkpt>\n'
        % (p[1], p[0], (4 * i) // 60, (4 * i) % 60) for i, p in enumerate(points))
    return (header + "<rte>\n" + route + "</rte>\n<trk><name>Drive</name><trkseg>\n" +
            track_points + "</trkseg></trk>\n</gpx>\n")


def main():
    directory = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "corpus", "routefiles")
    os.makedirs(directory, exist_ok=True)
    files = {
        "directions-polyline5.json": directions("polyline", 5),
        "directions-polyline6-two-legs.json": directions("polyline", 6, legs=2),
        "directions-geojson-steps.json": directions("geojson"),
        "directions-roundabout.json": directions("polyline", 6, roundabout=True),
        "directions-overview-only.json": overview_only(),
    }
    files.update(geojson_files())
    for name, content in files.items():
        with open(os.path.join(directory, name), "w") as out:
            json.dump(content, out, separators=(",", ":"))
    for name, kind in (("gpx-track.gpx", "trk"), ("gpx-route.gpx", "rte")):
        with open(os.path.join(directory, name), "w") as out:
            out.write(gpx(kind))
    with open(os.path.join(directory, "gpx-route-and-timed-track.gpx"), "w") as out:
        out.write(gpx_route_and_timed_track())


if __name__ == "__main__":
    main()
