// Counts the library's allocation attempts per site and makes chosen ones
// fail, for the tests of the edge shapes and the cutting walks.
#ifndef AP_TESTS_ALLOCPROBE_H
#define AP_TESTS_ALLOCPROBE_H

#include "Edges/HeapAlloc.h"

#include <array>

namespace edgetest
{

// While it lives, every allocation attempt is counted per site; the attempt
// number `failFrom` (1-based) of site `failSite` and every later one at that
// site fail. Without a failing site nothing fails. The predicate is reset to
// null on destruction.
class AllocProbe
{
public:
    AllocProbe() : AllocProbe(AP_ALLOC_SITE_COUNT, 0) {}
    AllocProbe(ApAllocSite failSite, int failFrom)
    {
        m_state = StateData();
        m_state.failSite = failSite;
        m_state.failFrom = failFrom;
        ApSetAllocFailPredicate(&Predicate);
    }
    ~AllocProbe() { ApSetAllocFailPredicate(nullptr); }
    AllocProbe(const AllocProbe&) = delete;
    AllocProbe& operator=(const AllocProbe&) = delete;

    int Attempts(ApAllocSite site) const { return m_state.attempts[site]; }
    int Failures() const { return m_state.failures; }

private:
    struct StateData
    {
        std::array<int, AP_ALLOC_SITE_COUNT> attempts{};
        ApAllocSite failSite = AP_ALLOC_SITE_COUNT;
        int failFrom = 0;
        int failures = 0;
    };
    static StateData& State()
    {
        static StateData state;
        return state;
    }
    static bool Predicate(ApAllocSite site)
    {
        int attempt = ++State().attempts[site];
        if (site == State().failSite && attempt >= State().failFrom)
        {
            ++State().failures;
            return true;
        }
        return false;
    }

    // The one state of the process: the predicate is a plain function.
    StateData& m_state = State();
};

} // namespace edgetest

#endif
