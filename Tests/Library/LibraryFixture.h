// Shared set-up of the library tests: a fresh test host, a recording map view
// as the default map view, and size tables whose records differ per level.
#ifndef AP_TESTS_LIBRARYFIXTURE_H
#define AP_TESTS_LIBRARYFIXTURE_H

#include "AdvicePathRenderEx.h"
#include "Edges/HeapAlloc.h"
#include "Support/TestHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace aptest
{

// A size table whose record for level L has widths and lengths derived from L,
// so that a test sees which record was used.
inline std::vector<AdvicePathSizeSetting> MakeSizeTable(int count)
{
    std::vector<AdvicePathSizeSetting> table(static_cast<size_t>(count));
    for (int level = 0; level < count; ++level)
    {
        AdvicePathSizeSetting& s = table[static_cast<size_t>(level)];
        s.m_PathWidth = 10 + level;
        s.m_PathBorderWidth = 20 + level;
        s.m_EdgeWidth = 30 + level;
        s.m_EdgeBorderWidth = 40 + level;
        s.m_ArrowFillParam = 50 + level;
        s.m_ArrowBorderParam = 60 + level;
        s.m_ToLength = 200;
        s.m_FromLength = 100;
        s.m_LengthTolerance = 5;
        s.m_ArrowLength = 20;
        s.m_ArrowWidth = 10;
    }
    return table;
}

// Makes chosen allocation sites fail while it lives.
class AllocFailure
{
public:
    explicit AllocFailure(ApAllocSite site)
    {
        Failing() = site;
        m_previous = ApSetAllocFailPredicate(&Predicate);
    }
    ~AllocFailure() { ApSetAllocFailPredicate(m_previous); }
    AllocFailure(const AllocFailure&) = delete;
    AllocFailure& operator=(const AllocFailure&) = delete;

private:
    static ApAllocSite& Failing()
    {
        static ApAllocSite site = AP_ALLOC_SITE_COUNT;
        return site;
    }
    static bool Predicate(ApAllocSite site) { return site == Failing(); }
    ApAllocFailPredicate m_previous;
};

class LibraryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetTestHost();
        MapCreateControl::DefaultMapView() = &view;
    }
    void TearDown() override { ResetTestHost(); }

    static const std::vector<LogRecord>& Log() { return RecordingLog::Instance().Records(); }

    RecordingMapView view;
};

} // namespace aptest

#endif
