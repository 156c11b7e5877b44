// An allocation the heap cannot serve, in the browser build: the library's
// own failure path must run (its log line, SetSize returning 0) and the handle
// must stay usable, where a build without C++ exceptions would abort inside
// operator new. The size table of 97 million records (4.27 GB) fits the
// 32-bit size arithmetic but not the wasm heap (at most 2 GB).
// Prints "SetSize of 97000000 records: 0" and then the answer of an ordinary
// SetSize; exits 0 when both are as expected.
#include "AdvicePathRenderEx.h"
#include "MapService.h"
#include "SizeTable.h"

#include <cstdio>

namespace
{

class SilentMapView : public CMapService
{
public:
    int DrawLine(const tagLonLat*, int32_t, int32_t, uint32_t, int32_t) override { return 1; }
    int DrawPolygon(const tagLonLat*, int32_t, int32_t, uint32_t, int32_t) override { return 1; }
    int64_t GetScale() override { return 1000; }
    int32_t ScaleToLevel(int64_t) override { return 0; }
};

SilentMapView g_view;

constexpr int kHugeCount = 97000000;

} // namespace

CMapService* CMapCreate::GetMapService(void* /*context*/)
{
    return &g_view;
}

int main()
{
    AdvicePathRenderEx* render = NewPathRender(nullptr, &g_view);
    if (render == nullptr)
        return 1;
    tools::SizeTable sizes = tools::DefaultSizeTable();
    // Never read: the copy is refused before it starts.
    const int huge = render->SetSize(sizes.levels.data(), kHugeCount, sizes.maxTurnLevel);
    std::printf("SetSize of %d records: %d\n", kHugeCount, huge);
    const int ordinary = render->SetSize(sizes.levels.data(), static_cast<int>(sizes.levels.size()),
                                         sizes.maxTurnLevel);
    std::printf("SetSize of %zu records: %d\n", sizes.levels.size(), ordinary);
    ClosePathRender(render);
    return huge == 0 && ordinary == 1 ? 0 : 1;
}
