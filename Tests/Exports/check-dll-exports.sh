#!/usr/bin/env bash
# Checks the Windows DLL's export and import tables: it exports the public
# interface (interface.txt, one demangled signature a line) and nothing else,
# takes the host services from the host module AdvicePathHost.dll (only names
# its module-definition file lists), GlobalMemoryStatus from kernel32.dll, and
# loads no other module than those and the C runtime.
# Usage: check-dll-exports.sh DLL OBJDUMP HOST_DEF
set -euo pipefail
dll="$1"
objdump="$2"
host_def="$3"
here="$(cd "$(dirname "$0")" && pwd)"

headers=$("$objdump" -p "$dll")
# The export name table: lines "[  n] name" after "[Ordinal/Name Pointer] Table".
exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ {on=1; next}
               on && /^[[:space:]]*\[ *[0-9]+\]/ {print $NF; next}
               on {on=0}' <<< "$headers")
demangled=$(c++filt <<< "$exports" | sort)

fail=0
allowed='^(AdvicePathRenderEx::|AdvicePathClrSetting::|AdvicePathSizeSetting::|NewPathRender\(|GetAdvicePath\(|ClosePathRender\(|vtable for AdvicePathRenderEx$)'
while IFS= read -r symbol; do
  [[ -z "$symbol" ]] && continue
  if ! [[ "$symbol" =~ $allowed ]]; then
    echo "unexpected export: $symbol"; fail=1
  fi
done <<< "$demangled"
while IFS= read -r required; do
  [[ -z "$required" ]] && continue
  if ! grep -qxF "$required" <<< "$demangled"; then
    echo "missing export: $required"; fail=1
  fi
done < "$here/interface.txt"

# The import tables: "DLL Name: X" starts a module, the rows after it name
# its imports ("<hint> <name>").
imports=$(awk '/DLL Name:/ {module=$3; next}
               /^The Export Tables/ {module=""}
               module != "" && /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[^[:space:]]+$/ {print module, $3}' <<< "$headers")
modules=$(grep -o 'DLL Name: .*' <<< "$headers" | awk '{print $3}' | sort -u)
for module in $modules; do
  case "${module,,}" in
    advicepathhost.dll | kernel32.dll | msvcrt.dll) ;;
    *) echo "unexpected module dependency: $module"; fail=1 ;;
  esac
done
listed=$(awk '/^EXPORTS/ {on=1; next} on && $1 !~ /^;/ && NF {print $1}' "$host_def" | sort)
host_imports=$(awk '$1 == "AdvicePathHost.dll" {print $2}' <<< "$imports" | sort -u)
if [[ -z "$host_imports" ]]; then
  echo "no host service imported from AdvicePathHost.dll"; fail=1
fi
while IFS= read -r name; do
  [[ -z "$name" ]] && continue
  if ! grep -qxF "$name" <<< "$listed"; then
    echo "import from the host module not in $(basename "$host_def"): $name"; fail=1
  fi
done <<< "$host_imports"
for host in log4cpp_category_log log4cpp_Info _ZN10CMapCreate13GetMapServiceEPv _Z15GetRouteManagerv \
            _Z10LineLengthtPK9tagLonLat _ZN5Timer9StartTimeEv _ZNK9CTurnInfo11GetTurnTypeEi; do
  if ! grep -qxF "$host" <<< "$host_imports"; then
    echo "host service not imported from AdvicePathHost.dll: $host"; fail=1
  fi
done
if ! grep -qiE '^kernel32\.dll GlobalMemoryStatus$' <<< "$imports"; then
  echo "GlobalMemoryStatus not imported from kernel32.dll"; fail=1
fi

# The entry point: the library's own DllMain is linked in.
symbols=$("$objdump" -t "$dll")
if ! grep -q ' _DllMain@12$' <<< "$symbols"; then
  echo "DllMain not found in the image"; fail=1
fi

if [[ $fail -ne 0 ]]; then exit 1; fi
echo "DLL exports: $(wc -l <<< "$demangled") names, interface complete; host services from AdvicePathHost.dll ($(wc -l <<< "$host_imports") imported)"
