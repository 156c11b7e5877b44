// Which way a car may drive along an OpenStreetMap way, and whether the way
// is a ring driven one way (a roundabout), from its highway, oneway and
// junction tags. The road map, the survey's road graph and the router front
// all ask here, so that they agree on every way.
//
//     const roadmap::Oneway oneway = roadmap::OnewayOf("motorway_link", "", "");
//     roadmap::MayDrive(oneway, true);  // true: along the way's points
//     roadmap::MayDrive(oneway, false); // false: against them
#ifndef ROADMAP_ONEWAYRULE_H
#define ROADMAP_ONEWAYRULE_H

#include <cstdint>
#include <string_view>

namespace roadmap
{

// Which way traffic may go along the way's points.
enum class Oneway : uint8_t
{
    Both,
    Forward,  // from the first point to the last
    Backward, // from the last point to the first
};

// The direction of a way from its tags' values ("" for a tag it lacks).
// oneway "yes", "true", "1" is forward, "-1", "reverse" backward, "no",
// "false", "0" both ways. Without one of these values, a roundabout
// (junction "roundabout" or "circular"), a motorway and a motorway_link
// are one-way forward, every other way goes both ways.
Oneway OnewayOf(std::string_view highway, std::string_view oneway, std::string_view junction);

// Whether a car may drive a way of direction `oneway` along its points
// (`alongPoints`) or against them.
bool MayDrive(Oneway oneway, bool alongPoints);

// Whether the junction tag marks a roundabout: "roundabout" or "circular".
bool IsRoundaboutJunction(std::string_view junction);

// Whether a way is a ring a car drives one way: a roundabout by its junction
// tag, or a closed way (first node = last node) that is one-way and has no
// junction tag.
bool IsRoundaboutRing(std::string_view junction, Oneway oneway, bool closed);

} // namespace roadmap

#endif
