#!/usr/bin/env bash
# Checks the shared library's dynamic symbol table: it defines the exported
# interface and nothing else, and leaves the host services undefined (they are
# resolved when a host links it).
set -euo pipefail
lib="$1"
defined=$(nm -D --defined-only "$lib" | awk '{print $3}' | c++filt | sort)
undefined=$(nm -D --undefined-only "$lib" | awk '{print $2}' | c++filt | sort)

fail=0
allowed='^(AdvicePathRenderEx::|AdvicePathClrSetting::|AdvicePathSizeSetting::|NewPathRender\(|GetAdvicePath\(|ClosePathRender\(|vtable for AdvicePathRenderEx$|typeinfo for AdvicePathRenderEx$|typeinfo name for AdvicePathRenderEx$)'
while IFS= read -r symbol; do
  [[ -z "$symbol" ]] && continue
  if ! [[ "$symbol" =~ $allowed ]]; then
    echo "unexpected export: $symbol"; fail=1
  fi
done <<< "$defined"

for required in 'NewPathRender(CNavPath*, void*)' 'GetAdvicePath()' 'ClosePathRender(AdvicePathRenderEx*)' \
                'AdvicePathRenderEx::Draw(bool, bool)' 'AdvicePathRenderEx::SetSize(AdvicePathSizeSetting*, int, int)' \
                'AdvicePathRenderEx::SetTurnInfo(CTurnInfo const&, CNavPath*)' 'AdvicePathRenderEx::GetClr(AdvicePathClrSetting&) const' \
                'AdvicePathClrSetting::AdvicePathClrSetting()' 'AdvicePathSizeSetting::operator=(AdvicePathSizeSetting const&)'; do
  if ! grep -qxF "$required" <<< "$defined"; then
    echo "missing export: $required"; fail=1
  fi
done

for host in log4cpp_category_log log4cpp_Info 'CMapCreate::GetMapService(void*)' GlobalMemoryStatus \
            'GetRouteManager()' 'LineLength(unsigned short, tagLonLat const*)' 'Timer::StartTime()' \
            'CTurnInfo::GetTurnType(int) const'; do
  if ! grep -qxF "$host" <<< "$undefined"; then
    echo "host service not left undefined: $host"; fail=1
  fi
  if grep -qxF "$host" <<< "$defined"; then
    echo "host service defined by the library: $host"; fail=1
  fi
done

if [[ $fail -ne 0 ]]; then exit 1; fi
echo "exports: $(wc -l <<< "$defined") defined, host services undefined"
