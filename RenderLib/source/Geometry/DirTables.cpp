#include "DirTables.h"

#include <math.h>

namespace
{
// Entry i belongs to i quarter degrees; entry 360 stands for 90 degrees, where
// the tangent is replaced by a large finite value so the search always ends.
const int kTableEntries = 361;
// The double nearest to pi / 720: one quarter degree in radians.
const double kQuarterDegreeRadians = 0.004363323129985824;
const double kTangentOfRightAngle = 1e6;
const unsigned short kFullTurn = 1440;

double g_Tangent[kTableEntries];
double g_Sine[kTableEntries];
double g_Cosine[kTableEntries];
int g_TablesBuilt = 0;
} // namespace

void InitDirTables()
{
    if (g_TablesBuilt)
        return;
    for (unsigned short i = 0; i < 360; ++i)
    {
        double angle = static_cast<double>(i) * kQuarterDegreeRadians;
        g_Tangent[i] = tan(angle);
        g_Sine[i] = sin(angle);
        g_Cosine[i] = cos(angle);
    }
    g_Tangent[360] = kTangentOfRightAngle;
    g_Sine[360] = 1.0;
    g_Cosine[360] = 0.0;
    g_TablesBuilt = 1;
}

namespace
{
// Four table entries per loop step: the right-angle entry is one past 90
// whole steps, so a step never reads beyond it.
static_assert((kTableEntries - 1) % 4 == 0, "the search steps cover entries 0 .. 359 exactly");

// The linear search from east: the index of the first tangent entry above r,
// or 361 when r reaches the right-angle entry (or is NaN). The entries are
// compared one at a time from entry 0, unrolled four to a loop step. When r is
// below the right-angle entry, that entry ends the search at the latest, so
// the search needs no bound of its own; testing that first (against the
// entry's value) answers r at or beyond it, and NaN, without a search.
int FirstEntryAbove(double r)
{
    if (!(kTangentOfRightAngle > r))
        return kTableEntries;
    int i = 0;
    while (i < kTableEntries - 1)
    {
        if (g_Tangent[i] > r)
            return i;
        if (g_Tangent[i + 1] > r)
            return i + 1;
        if (g_Tangent[i + 2] > r)
            return i + 2;
        if (g_Tangent[i + 3] > r)
            return i + 3;
        i += 4;
    }
    return kTableEntries - 1;
}
} // namespace

unsigned short GetDirection(double x1, double y1, double x2, double y2)
{
    InitDirTables();
    double dx = x2 - x1;
    double dy = y2 - y1;
    if (dx == 0.0)
    {
        if (dy == 0.0)
            return 0;
        if (dy > 0.0)
            return 360;
        if (dy < 0.0)
            return 1080;
    }
    if (dy == 0.0)
    {
        if (dx > 0.0)
            return 0;
        if (dx < 0.0)
            return 720;
    }
    double r = dy / dx;
    if (r < 0.0)
        r = r * -1.0;

    const int i = FirstEntryAbove(r);

    int direction;
    if (dx > 0.0 && dy > 0.0)
        direction = i - 1;
    else if (dx < 0.0 && dy > 0.0)
        direction = 721 - i;
    else if (dx > 0.0 && dy < 0.0)
        direction = 1441 - i;
    else
        direction = i + 719;
    return static_cast<unsigned short>(direction);
}

namespace
{
unsigned short ReduceToFullTurn(unsigned short a)
{
    while (a >= kFullTurn)
        a = static_cast<unsigned short>(a - kFullTurn);
    return a;
}
} // namespace

double DirSin(unsigned short a)
{
    InitDirTables();
    a = ReduceToFullTurn(a);
    if (a <= 360)
        return g_Sine[a];
    if (a <= 720)
        return g_Cosine[a - 360];
    if (a <= 1080)
        return -g_Sine[a - 720];
    return -g_Cosine[a - 1080];
}

double DirCos(unsigned short a)
{
    InitDirTables();
    a = ReduceToFullTurn(a);
    if (a <= 360)
        return g_Cosine[a];
    if (a <= 720)
        return -g_Sine[a - 360];
    if (a <= 1080)
        return -g_Cosine[a - 720];
    return g_Sine[a - 1080];
}
