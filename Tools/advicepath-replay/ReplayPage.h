// index.html of a replay: the animation with the list of manoeuvres beside
// it. A plain static page (no script), which plays from the file system.
#ifndef TOOLS_ADVICEPATH_REPLAY_REPLAYPAGE_H
#define TOOLS_ADVICEPATH_REPLAY_REPLAYPAGE_H

#include <string>
#include <vector>

namespace tools
{

struct ReplayPageEntry
{
    std::string title;    // "Turn left onto Page Street"
    std::string distance; // "at 1.2 km"
    std::string shown;    // "band from 0:12 to 0:15 of the animation", or why none
};

struct ReplayPageContent
{
    std::string routeName; // the route file
    std::string summary;   // "4.3 km, 19:45 of driving, 6 manoeuvres"
    std::string timing;    // frames, rate and speed-ups
    std::string animation; // the animation's file, relative to the page
    int width = 0;         // its size in CSS pixels
    int height = 0;
    std::vector<ReplayPageEntry> maneuvers;
    std::string credit; // the map data's attribution, or empty
};

// The whole page, self-contained (inline style), UTF-8; texts are escaped.
std::string MakeReplayPage(const ReplayPageContent& content);

} // namespace tools

#endif
