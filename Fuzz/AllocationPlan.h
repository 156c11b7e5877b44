// Allocation failures chosen by the fuzzer input, through the library's one
// allocation seam: none, the k-th allocation from now (once), or every
// allocation at one site. Records which sites were refused, so that the
// fuzzer knows what each call was entitled to answer.
#ifndef AP_FUZZ_ALLOCATIONPLAN_H
#define AP_FUZZ_ALLOCATIONPLAN_H

#include "Edges/HeapAlloc.h"

namespace apfuzz
{

class AllocationPlan
{
public:
    AllocationPlan()
    {
        FailNone();
        ApSetAllocFailPredicate(&Predicate);
    }
    ~AllocationPlan() { ApSetAllocFailPredicate(nullptr); }
    AllocationPlan(const AllocationPlan&) = delete;
    AllocationPlan& operator=(const AllocationPlan&) = delete;

    void FailNone() { m_state = StateData(); }
    void FailNth(int n)
    {
        FailNone();
        m_state.countdown = n;
    }
    void FailSite(int site)
    {
        FailNone();
        m_state.site = site;
    }

    // Starts a new call: forgets which sites were refused.
    void BeginCall() { m_state.refused = 0; }
    bool Refused(ApAllocSite site) const { return (m_state.refused & (1u << site)) != 0; }

private:
    struct StateData
    {
        int countdown = 0; // > 0: that many more attempts, the last fails
        int site = -1;     // >= 0: every attempt at this site fails
        unsigned refused = 0;
    };
    static StateData& State()
    {
        static StateData state;
        return state;
    }
    static bool Predicate(ApAllocSite site)
    {
        StateData& state = State();
        bool fail = static_cast<int>(site) == state.site;
        if (state.countdown > 0 && --state.countdown == 0)
            fail = true;
        if (fail)
            state.refused |= 1u << site;
        return fail;
    }

    // The one state of the process: the predicate is a plain function.
    StateData& m_state = State();
};

} // namespace apfuzz

#endif
