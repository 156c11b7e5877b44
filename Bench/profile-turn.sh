#!/usr/bin/env bash
# Instruction counts of the turn frame under callgrind: where a frame's time
# goes, function by function (inclusive), counted only inside the library's
# Draw calls.
#
#   Bench/profile-turn.sh [BUILD_DIR] [fast|exact|planar] [--logging]
#
# Needs valgrind and the target ap_bench_turn_profile of a bench build.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
geodesy=${2:-fast}
shift $(( $# > 2 ? 2 : $# ))
out="$build/profile"
mkdir -p "$out"
name="turn-$geodesy${1:+-logging}"
valgrind --tool=callgrind --callgrind-out-file="$out/$name.callgrind" \
  --toggle-collect='AdvicePathRenderEx::Draw(bool, bool)' \
  "$build/Bench/ap_bench_turn_profile" --passes 10 --geodesy "$geodesy" "$@" 2> "$out/$name.log"
grep -E "Collected" "$out/$name.log" | sed 's/^==[0-9]*== //'
callgrind_annotate --inclusive=yes "$out/$name.callgrind" 2>/dev/null |
  sed -n '/file:function/,$p' | sed 1,2d | grep -v '^$' |
  grep -v -E 'libc-start|below main|main \[|::Draw\(bool|ld-linux' | head -40 |
  sed -E 's/ \[[^]]*\]$//'
