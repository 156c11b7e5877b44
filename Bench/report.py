#!/usr/bin/env python3
"""Summarises a run of ap_bench (Google Benchmark JSON with repetitions).

    report.py RESULTS.json...

Prints the medians over the repetitions (CPU time of the benchmark thread: on
a shared machine the wall time also counts the time other processes held the
core) and the figures derived from them: the route line's ratio to its
baseline, the shares of a turn frame, the probe's readings on a compact heap
against a heap of 10,000 free chunks, GetDirection against atan2.
"""
import json
import sys

ROUTE_LINE_TARGET = 1.10
PROBE_HEAP_TARGET = 2.0
TURN_FLOOR_GOAL = 1.5


def load(paths):
    context = {}
    medians = {}
    for path in paths:
        with open(path) as f:
            data = json.load(f)
        context = context or data.get("context", {})
        for b in data["benchmarks"]:
            if b.get("aggregate_name") == "median":
                medians[b["run_name"]] = b
                context.setdefault("repetitions", b.get("repetitions"))
    return context, medians


def ns(b):
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
    return b["cpu_time"] * scale


def fmt(value_ns):
    if value_ns >= 1e6:
        return f"{value_ns / 1e6:.2f} ms"
    if value_ns >= 1e3:
        return f"{value_ns / 1e3:.2f} us"
    return f"{value_ns:.1f} ns"


def main(paths):
    context, m = load(paths)
    print(f"machine: {context.get('num_cpus', '?')} CPUs at {context.get('mhz_per_cpu', '?')} MHz, "
          f"load average {context.get('load_avg', '?')}; "
          f"medians of {context.get('repetitions', '?')} repetitions, CPU time")
    print()
    print("all benchmarks (median):")
    for name, b in m.items():
        counters = {k: v for k, v in b.items() if k not in (
            "name", "run_name", "run_type", "aggregate_name", "aggregate_unit", "repetitions",
            "threads", "family_index", "per_family_instance_index", "iterations", "real_time",
            "cpu_time", "time_unit", "repetition_index", "items_per_second", "label")}
        extra = " ".join(f"{k}={v:.4g}" for k, v in counters.items())
        print(f"  {name:<52} {fmt(ns(b)):>12}  {extra}")

    print()
    print("route line, Draw(true, false) against the hand-written walk (paired, median of ratios):")
    for edges in (1000, 10000, 100000):
        b = m.get(f"BM_RouteLine_Paired/{edges}")
        if b:
            verdict = "met" if b["ratio"] <= ROUTE_LINE_TARGET else "MISSED"
            print(f"  {edges:>6} edges: library {fmt(b['library_ns'])}, baseline "
                  f"{fmt(b['baseline_ns'])}, ratio {b['ratio']:.3f} "
                  f"(target <= {ROUTE_LINE_TARGET}: {verdict})")

    frame = {k: m.get(f"BM_TurnFrame/logging:{k[0]}/geodesy:{k[1]}") for k in
             ((1, 0), (0, 0), (0, 1), (0, 2))}
    if all(frame.values()):
        shipped, fast, exact, planar = (ns(frame[k]) for k in ((1, 0), (0, 0), (0, 1), (0, 2)))
        print()
        print("turn frame, Draw(false, true) per junction:")
        print(f"  logging as shipped, fast geodesy: {fmt(shipped)}")
        print(f"  logging off, fast geodesy:        {fmt(fast)}   "
              f"(logging's share of the shipped frame: {fmt(shipped - fast)}, "
              f"{100 * (shipped - fast) / shipped:.0f} %)")
        print(f"  logging off, exact geodesic:      {fmt(exact)}")
        print(f"  logging off, planar geodesy:      {fmt(planar)}   "
              f"(the fast geodesy's share of the frame: {fmt(fast - planar)}, "
              f"{100 * (fast - planar) / fast:.0f} %)")
        b = frame[(0, 0)]
        print(f"  heap allocations per frame: library {b.get('lib_allocs_per_frame', 0):.2f}, "
              f"whole process {b.get('heap_allocs_per_frame', float('nan')):.2f} with logging off, "
              f"{frame[(1, 0)].get('heap_allocs_per_frame', float('nan')):.2f} as shipped")
        probe_off = m.get("BM_OperationProbe/logging:0")
        probe_on = m.get("BM_OperationProbe/logging:1")
        if probe_off and probe_on:
            print(f"  the probe alone: {fmt(ns(probe_off))} with logging off "
                  f"({fmt(ns(m['BM_GlobalMemoryStatus']))} per GlobalMemoryStatus, two of them), "
                  f"{fmt(ns(probe_on))} as shipped")

    for model, what in ((0, "fast geodesy"), (1, "exact geodesic")):
        b = m.get(f"BM_TurnFloor_Paired/geodesy:{model}")
        if b:
            if model == 0:
                print()
                print("turn frame against its floor (the same geodesy calls in a bare loop; "
                      "paired, median of ratios):")
            print(f"  {what}: library {fmt(b['library_ns'])}, floor {fmt(b['floor_ns'])} "
                  f"({b['segments_per_frame']:.1f} segments a frame), ratio {b['ratio']:.2f} "
                  f"(goal <= {TURN_FLOOR_GOAL}: {'met' if b['ratio'] <= TURN_FLOOR_GOAL else 'missed'})")

    geodesy = [(name, m.get(name)) for name in (
        "BM_HostLineLength/exact:0", "BM_HostSegmentLength/exact:0", "BM_BindingLineLength",
        "BM_HostLineLength/exact:1")]
    if any(b for _, b in geodesy):
        print()
        print("the reference geodesy on the segments of real roads, per segment:")
        for name, b in geodesy:
            if b:
                print(f"  {name:<32} {b['ns_per_segment'] * 1e9:.1f} ns")

    readings = [m.get(f"BM_ProbeReadings/heap:{h}") for h in (0, 1)]
    if all(readings):
        compact, chunks = readings
        ratio = ns(chunks) / ns(compact)
        verdict = "met" if ratio <= PROBE_HEAP_TARGET else "MISSED"
        print()
        print(f"the probe's readings (two GlobalMemoryStatus and the stopwatch): "
              f"{fmt(ns(compact))} on a compact heap, {fmt(ns(chunks))} with "
              f"{chunks.get('free_chunks', 0):.0f} free chunks: ratio {ratio:.2f} "
              f"(target <= {PROBE_HEAP_TARGET}: {verdict})")
        for name, what in (("BM_MeasuredCall", "a measured call (SetSize)"),
                           ("BM_Mallinfo2", "glibc's mallinfo2, read before")):
            pair = [m.get(f"{name}/heap:{h}") for h in (0, 1)]
            if all(pair):
                print(f"  {what}: {fmt(ns(pair[0]))} against {fmt(ns(pair[1]))}")

    d = m.get("BM_GetDirection")
    a = m.get("BM_Atan2")
    p = m.get("BM_GetDirection_PlainLoop")
    if d and a:
        print()
        print(f"GetDirection {fmt(ns(d))} against atan2 {fmt(ns(a))}: {ns(d) / ns(a):.1f} x"
              + (f"; the plain loop it replaced {fmt(ns(p))} ({ns(p) / ns(d):.2f} x the unrolled one)"
                 if p else ""))
    return 0


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1:]))
