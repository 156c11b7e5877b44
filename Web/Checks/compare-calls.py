#!/usr/bin/python3
"""Compares the map-view calls of the native and the browser build of the
drive (web-drive-calls) over one route.

Identical text passes. Otherwise the two must still make the same calls in
the same order with the same counts, colours and widths, and differ only in
coordinates by at most one unit in the last place: the reference host's
geodesy (GeographicLib and the fast path) calls sin, cos, atan2 and hypot,
whose last bit glibc and emscripten's C library do not always agree on, and
the library then works on those lengths. Anything else fails.

Usage: compare-calls.py NATIVE_FILE BROWSER_FILE
Prints one line: "identical (N lines)", or how many lines differ by one unit
in the last place, or the first real difference (exit status 1).
"""
import struct
import sys


def ordered(value):
    """The double's bits as an integer that counts units in the last place."""
    bits = struct.unpack("<q", struct.pack("<d", value))[0]
    return bits if bits >= 0 else -(bits & 0x7FFFFFFFFFFFFFFF)


def ulps(a, b):
    return abs(ordered(float(a)) - ordered(float(b)))


def compare(native, browser):
    if native == browser:
        return True, f"identical ({native.count(chr(10))} lines)"
    native_lines, browser_lines = native.split("\n"), browser.split("\n")
    if len(native_lines) != len(browser_lines):
        return False, f"{len(native_lines)} lines natively, {len(browser_lines)} in the browser"
    differing = 0
    for number, (a, b) in enumerate(zip(native_lines, browser_lines), 1):
        if a == b:
            continue
        differing += 1
        head_a, _, points_a = a.partition(":")
        head_b, _, points_b = b.partition(":")
        values_a = points_a.replace(",", " ").split()
        values_b = points_b.replace(",", " ").split()
        if head_a != head_b or len(values_a) != len(values_b) or any(
                x != y and ulps(x, y) > 1 for x, y in zip(values_a, values_b)):
            return False, f"line {number} differs: {a[:160]!r} / {b[:160]!r}"
    return True, (f"{differing} of {len(native_lines)} lines differ, each in coordinates by one "
                  "unit in the last place (host geodesy on another C library)")


def main():
    native = open(sys.argv[1], encoding="utf-8").read()
    browser = open(sys.argv[2], encoding="utf-8").read()
    ok, message = compare(native, browser)
    print(message)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
