#!/usr/bin/env python3
"""Instruction counts of the library's operations, held against a baseline.

    count-instructions.py BUILD_DIR [--update] [--only PREFIX]

Runs BUILD_DIR/Bench/ap_bench_count under callgrind (make bench-count builds
it with the preset `count`), reads one dump per operation and writes the
instructions per call to BUILD_DIR/instruction-counts.txt. Then, by default,
compares them with the committed baseline (Bench/instruction-counts.txt) and
exits 1 when any count grew by more than 2 % or an operation is missing on
either side, naming each; with --update it writes the baseline instead
(make bench-count-update).

Instructions, unlike times, do not depend on the machine's load: two runs of
one build give the same counts, and so do two builds of one source with the
same compiler, C library and flags on processors with the same features (the
C library chooses its string and memory routines by them). The baseline
records the compiler and the C library it was taken with; counts from others
are compared all the same, with a note.
"""
import argparse
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent
BASELINE = HERE / "instruction-counts.txt"
DRIVE_ROUTE = ROOT / "samples" / "sanfrancisco-urban-route.json"
ALLOWED_GROWTH = 0.02
# The library's entry points a drive calls; their inclusive counts are the
# library's share of a frame.
DRIVE_LIBRARY_CALLS = re.compile(
    r"AdvicePathRenderEx::(Draw\(bool, bool\)|SetTurnInfo\(CTurnInfo const&, CNavPath\*\)"
    r"|ClearBigArrow\(\))")


def build_info(build):
    cache = (build / "CMakeCache.txt").read_text()

    def entry(name):
        found = re.search(rf"^{name}:\w+=(.*)$", cache, re.M)
        return found.group(1) if found else "?"

    compiler_file = next(build.glob("CMakeFiles/*/CMakeCXXCompiler.cmake"), None)
    compiler = "?"
    if compiler_file:
        text = compiler_file.read_text()
        ident = re.search(r'CMAKE_CXX_COMPILER_ID "(\w+)"', text)
        version = re.search(r'CMAKE_CXX_COMPILER_VERSION "([\d.]+)"', text)
        compiler = f"{ident.group(1) if ident else '?'} {version.group(1) if version else '?'}"
    libc = subprocess.run(["getconf", "GNU_LIBC_VERSION"], capture_output=True,
                          text=True).stdout.strip() or "?"
    return {"compiler": compiler, "libc": libc, "build type": entry("CMAKE_BUILD_TYPE")}


def run_callgrind(build, only, out_dir):
    program = build / "Bench" / "ap_bench_count"
    if not program.exists():
        sys.exit(f"count-instructions: {program} is missing (make bench-count builds it)")
    valgrind = shutil.which("valgrind")
    if not valgrind:
        sys.exit("count-instructions: valgrind is missing (scripts/install-deps count)")
    # From the repository's root with relative paths and a fixed environment:
    # an absolute path's length would change the heap's history (and with it
    # the allocator's instructions) and the stack's place from clone to clone.
    command = [valgrind, "--tool=callgrind", f"--callgrind-out-file={out_dir}/callgrind.out",
               os.path.relpath(program, ROOT), os.path.relpath(DRIVE_ROUTE, ROOT),
               "--data", "data"]
    if only:
        command += ["--only", only]
    env = {"PATH": "/usr/bin:/bin", "LC_ALL": "C"}
    result = subprocess.run(command, capture_output=True, text=True, env=env, cwd=ROOT)
    if result.returncode != 0:
        sys.stderr.write(result.stdout + result.stderr)
        sys.exit(f"count-instructions: {program.name} failed under valgrind")


def inclusive_library_count(dump):
    annotated = subprocess.run(["callgrind_annotate", "--inclusive=yes", "--threshold=100", dump],
                               capture_output=True, text=True, check=True).stdout
    total = 0
    for line in annotated.splitlines():
        found = re.match(r"\s*([\d,]+) \([^)]*\)\s+[^:]*:(.*) \[[^\]]*\]$", line)
        if found and DRIVE_LIBRARY_CALLS.fullmatch(found.group(2)):
            total += int(found.group(1).replace(",", ""))
    return total


def read_dumps(out_dir):
    counts = {}
    # In the order the program dumped them: callgrind.out.1, .2, ...
    dumps = sorted(out_dir.glob("callgrind.out.*"), key=lambda p: int(p.suffix[1:]))
    for dump in dumps:
        text = dump.read_text(errors="replace")
        desc = re.search(r"^desc: Trigger: Client Request: (\S+) (\d+)$", text, re.M)
        summary = re.search(r"^summary: (\d+)$", text, re.M)
        if not desc or not summary:
            continue
        name, calls = desc.group(1), int(desc.group(2))
        counts[name] = round(int(summary.group(1)) / calls, 1)
        if name == "drive/frame":
            counts["drive/library"] = round(inclusive_library_count(str(dump)) / calls, 1)
    return counts


def write_counts(path, counts, info):
    lines = [
        "# Instructions per call of the library's operations on fixed inputs, counted",
        "# by callgrind (Bench/count-instructions.py). make bench-count fails when one",
        "# grows by more than 2 %; make bench-count-update rewrites this file.",
        f"# Build: preset count ({info['build type']}), {info['compiler']}, {info['libc']}",
    ]
    width = max(len(name) for name in counts)
    lines += [f"{name:<{width}}  {value:.1f}" for name, value in counts.items()]
    path.write_text("\n".join(lines) + "\n")


def read_counts(path):
    counts, info = {}, ""
    for line in path.read_text().splitlines():
        if line.startswith("# Build:"):
            info = line[len("# Build:"):].strip()
        elif line.strip() and not line.startswith("#"):
            name, value = line.split()
            counts[name] = float(value)
    return counts, info


def ratio_lines(counts):
    """Figures derived from the counts, for reading (not checked)."""
    lines = []
    for name, value in counts.items():
        if name.startswith("turn-draw/"):
            floor = counts.get("turn-floor/" + name.split("/", 1)[1])
            if floor:
                lines.append(f"  {name}: {value / floor:.2f} x its floor (the same geodesy calls)")
        if name.startswith("route-line-draw/edges-"):
            edges = int(name.rsplit("-", 1)[1])
            floor = counts.get("route-line-floor/" + name.split("/", 1)[1])
            against = f", {value / floor:.3f} x its floor (the bare walk)" if floor else ""
            lines.append(f"  {name}: {value / edges:.2f} per edge{against}")
    return lines


def compare(counts, baseline, baseline_info, info):
    failures = []
    width = max(len(name) for name in {**baseline, **counts})
    print(f"{'operation':<{width}}  {'baseline':>13}  {'now':>13}  change")
    for name in {**baseline, **counts}:
        old, new = baseline.get(name), counts.get(name)
        if old is None:
            failures.append(f"{name}: not in the baseline (make bench-count-update adds it)")
            print(f"{name:<{width}}  {'-':>13}  {new:>13.1f}  new")
            continue
        if new is None:
            failures.append(f"{name}: in the baseline but no longer counted")
            print(f"{name:<{width}}  {old:>13.1f}  {'-':>13}  missing")
            continue
        change = (new - old) / old if old else 0.0
        mark = ""
        if new > old * (1 + ALLOWED_GROWTH):
            mark = "  FAIL"
            failures.append(f"{name}: {old:.1f} -> {new:.1f} instructions per call "
                            f"({change:+.1%}, more than {ALLOWED_GROWTH:.0%})")
        print(f"{name:<{width}}  {old:>13.1f}  {new:>13.1f}  {change:+7.2%}{mark}")
    current = f"preset count ({info['build type']}), {info['compiler']}, {info['libc']}"
    if baseline_info and baseline_info != current:
        print(f"note: the baseline was taken with {baseline_info}; this build is {current}")
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build", type=pathlib.Path)
    parser.add_argument("--update", action="store_true", help="rewrite the baseline")
    parser.add_argument("--only", default="", help="operations whose names start with this")
    args = parser.parse_args()
    build = args.build.resolve()
    info = build_info(build)
    with tempfile.TemporaryDirectory(dir=build) as out:
        run_callgrind(build, args.only, out)
        counts = read_dumps(pathlib.Path(out))
    if not counts:
        sys.exit("count-instructions: no counts (did the program run under callgrind?)")
    write_counts(build / "instruction-counts.txt", counts, info)
    if args.update:
        if args.only:
            sys.exit("count-instructions: --update takes every operation, not --only")
        write_counts(BASELINE, counts, info)
        print(f"count-instructions: {BASELINE.relative_to(ROOT)} rewritten "
              f"({len(counts)} operations)")
        print("\n".join(ratio_lines(counts)))
        return 0
    baseline, baseline_info = read_counts(BASELINE)
    if args.only:
        baseline = {k: v for k, v in baseline.items() if k.startswith(args.only)}
    failures = compare(counts, baseline, baseline_info, info)
    print("\n".join(ratio_lines(counts)))
    if failures:
        print("count-instructions: FAILED against " + str(BASELINE.relative_to(ROOT)) + ":")
        for failure in failures:
            print("  " + failure)
        return 1
    print(f"count-instructions: {len(counts)} operations within {ALLOWED_GROWTH:.0%} "
          "of the baseline")
    return 0


if __name__ == "__main__":
    sys.exit(main())
