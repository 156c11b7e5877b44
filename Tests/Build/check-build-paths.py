#!/usr/bin/env python3
"""Fails when a configured build refers to a path outside its source tree and
its build tree that lies beside or above the source tree (a sibling folder
of the clone holding data), or reaches out of either tree through "..".

Usage: check-build-paths.py SOURCE_DIR BUILD_DIR

It reads what the build compiles, links and tests with: the compile database,
the generators' flag, link and build files, and every CTestTestfile.cmake.
Paths elsewhere (/usr, the compilers) are the machine's and are not checked.
"""
import os
import re
import sys

SCANNED_NAMES = {"compile_commands.json", "CTestTestfile.cmake", "flags.make", "link.txt",
                 "build.ninja"}
# A path ends at a blank, a quote (escaped or not), or a separator of a list
# or an argument.
PATH_END = r"[^\s\"'\\;,)]*"


def inside(path, root):
    return path == root or path.startswith(root.rstrip(os.sep) + os.sep)


def scanned_files(build):
    for folder, _, names in os.walk(build):
        for name in names:
            if name in SCANNED_NAMES:
                yield os.path.join(folder, name)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: check-build-paths.py SOURCE_DIR BUILD_DIR")
    source, build = (os.path.normpath(p) for p in sys.argv[1:3])
    roots = (source, build)
    parent = os.path.dirname(source)
    candidates = [re.escape(root) + PATH_END for root in roots]
    if parent != os.sep:
        candidates.append(re.escape(parent) + os.sep + PATH_END)
    pattern = re.compile("|".join(candidates))

    files = sorted(scanned_files(build))
    if not files:
        sys.exit(f"check-build-paths: nothing to check in {build} (not a configured build?)")
    outside = set()
    for file in files:
        with open(file, encoding="utf-8", errors="replace") as text:
            for match in pattern.finditer(text.read()):
                path = match.group(0)
                if not any(inside(os.path.normpath(path), root) for root in roots):
                    outside.add((os.path.relpath(file, build), path))
    for file, path in sorted(outside):
        print(f"{file}: refers to {path}, outside {source} and {build}")
    if outside:
        sys.exit(1)
    print(f"{len(files)} build files refer to no path outside the source and build trees")


if __name__ == "__main__":
    main()
