// Whether two records hold the same bytes. The library copies its records
// whole (the guide records, the points of an edge), and the tests that check
// it compare them so: every double's bits, and padding, count.
#ifndef AP_TESTS_SUPPORT_SAMEBYTES_H
#define AP_TESTS_SUPPORT_SAMEBYTES_H

#include <cstddef>
#include <cstring>

namespace aptest
{

// The first `count` records of `a` and of `b`.
template <typename T> bool SameBytes(const T* a, const T* b, size_t count)
{
    // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison): the bytes are what is compared
    return std::memcmp(a, b, sizeof(T) * count) == 0;
}

template <typename T> bool SameBytes(const T& a, const T& b)
{
    return SameBytes(&a, &b, 1);
}

} // namespace aptest

#endif
