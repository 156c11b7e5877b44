// Quarter-degree directions. A direction index counts quarter degrees
// counter-clockwise from east (+x, growing longitude): 0 east, 360 north,
// 720 west, 1080 south. After the tables are built, no trigonometric function
// is called again.
#ifndef ADVICEPATH_GEOMETRY_DIRTABLES_H
#define ADVICEPATH_GEOMETRY_DIRTABLES_H

// Fills the tangent, sine and cosine tables (361 entries each) on the first
// call; later calls return at once. Not thread-safe: every call comes from the
// host's drawing thread.
void InitDirTables();

// The direction from (x1, y1) towards (x2, y2) in plain plane coordinates,
// cut down to a whole quarter degree: 0 to 1440, where 1440 (only in the fourth
// quadrant) means the same as 0. Identical points give 0.
unsigned short GetDirection(double x1, double y1, double x2, double y2);

// Sine and cosine of direction `a` (any 16-bit value; reduced modulo 1440).
double DirSin(unsigned short a);
double DirCos(unsigned short a);

#endif
