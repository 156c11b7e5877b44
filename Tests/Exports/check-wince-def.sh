#!/usr/bin/env bash
# Checks the decorated names of the Windows CE module-definition files against
# a compiler of the Microsoft ARM ABI (clang for armv7-windows-msvc): the names
# in RenderLib/wince/AdvicePathRender.def are exactly what dllexport makes of
# the exported header (less what the compiler generates itself), and those in
# RenderLib/wince/AdvicePathHost.def exactly the names of the host services.
# Usage: check-wince-def.sh CLANGXX LLVM_NM LLVM_READOBJ SOURCE_DIR WORK_DIR
set -euo pipefail
clangxx="$1"; nm="$2"; readobj="$3"; source_dir="$4"; work="$5"
here="$source_dir/Tests/Exports"
wince="$source_dir/RenderLib/wince"
mkdir -p "$work/shim"
# The host-service headers take memset from <string.h>; nothing else of the C
# library is needed to compile declarations.
printf 'void* memset(void*, int, unsigned int);\n' > "$work/shim/string.h"

flags=(--target=armv7-pc-windows-msvc -std=c++11 -ffreestanding -fno-rtti -w -c)
"$clangxx" "${flags[@]}" -I"$source_dir/RenderLib/include" \
  "$here/MsvcArmExportStubs.cpp" -o "$work/exports.obj"
"$clangxx" "${flags[@]}" -I"$work/shim" -I"$source_dir/RenderLib/source/Host" \
  "$here/MsvcArmHostStubs.cpp" -o "$work/host.obj"

def_names() { awk '/^EXPORTS/ {on=1; next} on && $1 !~ /^;/ && NF {print $1}' "$1" | sort; }

# What dllexport exports: the /EXPORT: directives of the object.
exported=$("$readobj" --coff-directives "$work/exports.obj" | grep -o '/EXPORT:"[^"]*"' |
           sed 's|/EXPORT:"\(.*\)"|\1|' | sort)
generated='^\?\?_[7F]AdvicePathRenderEx@@'   # virtual table, default constructor closure
fail=0
listed=$(def_names "$wince/AdvicePathRender.def")
expected=$(grep -vE "$generated" <<< "$exported")
if [[ "$listed" != "$expected" ]]; then
  echo "AdvicePathRender.def differs from the compiler's exports (< listed, > compiler):"
  diff <(echo "$listed") <(echo "$expected") || true
  fail=1
fi
if [[ $(wc -l <<< "$listed") -ne $(grep -cv '^$' "$here/interface.txt") ]]; then
  echo "AdvicePathRender.def does not list one name per operation of interface.txt"; fail=1
fi

# The host services: every external name of the host stubs, defined or used.
host=$("$nm" --extern-only "$work/host.obj" | awk '$(NF-1) ~ /^[TU]$/ {print $NF}' |
       grep -v '^g_RouteManagerUse$' | sort -u)
listed_host=$(def_names "$wince/AdvicePathHost.def")
if [[ "$listed_host" != "$host" ]]; then
  echo "AdvicePathHost.def differs from the host services' names (< listed, > compiler):"
  diff <(echo "$listed_host") <(echo "$host") || true
  fail=1
fi

if [[ $fail -ne 0 ]]; then exit 1; fi
echo "wince def files: $(wc -l <<< "$listed") exports and $(wc -l <<< "$listed_host") host services match the ARM decorated names"
