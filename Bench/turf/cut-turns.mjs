// The turf.js side of the junction-cut comparison: the same manoeuvres, the
// same lengths and the same rule for the leaving stretch as the library, done
// with @turf/line-slice-along and @turf/length, timed per route.
//
//   node cut-turns.mjs LINES.json [REPETITIONS]
//
// LINES.json is written by ap_bench_turn_cuts --lines: per manoeuvre the
// entering guides joined in path order and the guides after the leaving guide.
// Prints one JSON document: per route the median time per manoeuvre and per
// manoeuvre the cut points (start of the entering stretch, arrow tip, middle of
// the arrow base) with the distance of each cut from the vertex it was
// interpolated from.
//
// Per manoeuvre, once (as the library does in SetTurnInfo): the GeoJSON
// features, the entering line reversed so that its cut walks from the junction
// as the library's does. Per frame, timed: the entering stretch (one slice),
// the length of each leaving guide until the stretch is complete (the library
// measures every guide it takes at every frame too), the leaving stretch up to
// the tip and up to the arrow's base (two slices). A second timing takes the
// guide lengths measured once per manoeuvre.
import { readFileSync } from "node:fs";
import { length } from "@turf/length";
import { lineSliceAlong } from "@turf/line-slice-along";
import { distance } from "@turf/distance";

const METRES = { units: "meters" };
// Each repetition cuts every manoeuvre of a route this many times over in all.
const CUTS_PER_REPETITION = 2000;
const WARM_UP_PASSES = 200;

const linesFile = process.argv[2];
const repetitions = Math.max(1, Number(process.argv[3] ?? 15));
if (!linesFile) {
  console.error("usage: node cut-turns.mjs LINES.json [REPETITIONS]");
  process.exit(2);
}
const input = JSON.parse(readFileSync(linesFile, "utf8"));
const fromLength = input.fromLength;
const toLength = input.toLength;
const tolerance = input.tolerance;
const arrowLength = input.arrowLength;
const arrowExtension = input.arrowExtension;
const target = toLength + arrowExtension;

const feature = (coordinates) => ({
  type: "Feature",
  properties: {},
  geometry: { type: "LineString", coordinates },
});

function prepare(junction) {
  const leavingCoords = [];
  for (const guide of junction.leaving) {
    for (const [k, p] of guide.entries()) {
      const last = leavingCoords[leavingCoords.length - 1];
      if (k === 0 && last && last[0] === p[0] && last[1] === p[1]) continue;
      leavingCoords.push(p);
    }
  }
  return {
    maneuver: junction.maneuver,
    usable: junction.entering.length >= 2 && leavingCoords.length >= 2,
    enteringReversed: feature([...junction.entering].reverse()),
    guides: junction.leaving.map(feature),
    guideLengths: junction.leaving.map((g) => length(feature(g), METRES)),
    leaving: feature(leavingCoords),
  };
}

// Where the leaving stretch ends, metres from the end of the leaving guide:
// the library's rule (guides whole until the running total reaches the
// target within the tolerance; the guide that overshoots is cut, never to
// less than the arrow's room; a guide shorter than that room never ends it).
function leavingCutDistance(guides, knownLengths) {
  let total = 0;
  for (const [k, guide] of guides.entries()) {
    const len = knownLengths ? knownLengths[k] : length(guide, METRES);
    total += len;
    if (target - tolerance <= total && total <= target + tolerance) {
      if (!(len < arrowExtension)) return total;
    } else if (total > target + tolerance) {
      if (!(len < arrowExtension)) {
        const excess = total - target;
        const cut = excess < len && len - excess > arrowExtension ? len - excess : arrowExtension;
        return total - len + cut;
      }
    }
  }
  return total; // the path ends first
}

function cut(j, knownLengths = false) {
  const enter = lineSliceAlong(j.enteringReversed, 0, fromLength, METRES);
  const cutDistance = leavingCutDistance(j.guides, knownLengths ? j.guideLengths : null);
  const toTip = lineSliceAlong(j.leaving, 0, cutDistance, METRES);
  // A leaving road shorter than the arrow: the base is its first point (turf
  // refuses a slice that ends where it starts).
  const baseDistance = cutDistance - arrowLength;
  const first = j.leaving.geometry.coordinates[0];
  const toBase =
    baseDistance > 0 ? lineSliceAlong(j.leaving, 0, baseDistance, METRES) : feature([first, first]);
  return { enter, toTip, toBase, cutDistance };
}

const lastOf = (f) => f.geometry.coordinates[f.geometry.coordinates.length - 1];
// The distance of a slice's last point from the vertex before it: how far the
// cut was interpolated (0 when the slice ends on a vertex).
function interpolatedDistance(f) {
  const c = f.geometry.coordinates;
  return c.length >= 2 ? distance(c[c.length - 2], c[c.length - 1], METRES) : 0;
}

function median(values) {
  const v = [...values].sort((a, b) => a - b);
  const n = v.length;
  return n % 2 ? v[(n - 1) / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

const result = { side: "turf", node: process.version, repetitions, cutsPerRepetition: CUTS_PER_REPETITION, routes: [] };
for (const route of input.routes) {
  const junctions = route.junctions.map(prepare);
  const usable = junctions.filter((j) => j.usable);
  let sink = 0;
  const passes = Math.max(1, Math.floor(CUTS_PER_REPETITION / Math.max(1, usable.length)));
  const time = (knownLengths) => {
    const pass = () => {
      for (const j of usable) sink += cut(j, knownLengths).cutDistance;
    };
    for (let k = 0; k < WARM_UP_PASSES; ++k) pass();
    const samples = [];
    for (let r = 0; r < repetitions; ++r) {
      // CPU time of the process, as the library's side takes it (it also
      // counts Node's helper threads, its garbage collector's among them).
      const start = process.cpuUsage();
      for (let k = 0; k < passes; ++k) pass();
      const used = process.cpuUsage(start);
      const ns = (used.user + used.system) * 1000;
      samples.push(ns / (passes * Math.max(1, usable.length)));
    }
    return samples;
  };
  const samples = time(false);
  // The same cuts with the leaving guides' lengths measured once per
  // manoeuvre instead of at every frame: what turf costs when the route data
  // brings guide lengths that agree with turf's own measure.
  const samplesKnownLengths = time(true);
  // Segments turf measures per manoeuvre: those of the guide lengths and those
  // the three slices walk (a slice measures each segment up to its stop).
  let segments = 0;
  for (const j of usable) {
    const c = cut(j);
    let total = 0;
    for (const g of j.guides) {
      segments += g.geometry.coordinates.length - 1;
      total += length(g, METRES);
      if (total >= c.cutDistance) break;
    }
    segments += c.enter.geometry.coordinates.length - 1;
    segments += c.toTip.geometry.coordinates.length - 1;
    segments += c.toBase.geometry.coordinates.length - 1;
  }
  const cuts = junctions.map((j) => {
    if (!j.usable) return { maneuver: j.maneuver, ok: false };
    const c = cut(j);
    return {
      maneuver: j.maneuver,
      ok: true,
      enterStart: lastOf(c.enter),
      enterInterpolated: interpolatedDistance(c.enter),
      tip: lastOf(c.toTip),
      tipInterpolated: interpolatedDistance(c.toTip),
      tipDistance: c.cutDistance,
      base: lastOf(c.toBase),
    };
  });
  result.routes.push({
    file: route.file,
    junctions: usable.length,
    nsPerJunction: median(samples),
    segmentsPerJunction: segments / Math.max(1, usable.length),
    samples,
    nsPerJunctionKnownLengths: median(samplesKnownLengths),
    cuts,
    sink,
  });
}
console.log(JSON.stringify(result, null, 1));
