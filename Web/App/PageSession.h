// What the browser page shows, on the C++ side: the route opened, the size
// table and colours in force, the drive (the device's frame loop, DriveReplay)
// on one library handle and the still pictures (the overview, the current
// manoeuvre at each level) on another, all drawn through the canvas map view
// on whichever canvas the page has selected. Answers in JSON for the page.
#ifndef WEB_APP_PAGESESSION_H
#define WEB_APP_PAGESESSION_H

#include "Colours.h"
#include "SizeTable.h"

#include "AdvicePathRenderEx.h"
#include "Drive/DriveReplay.h"
#include "Route/RouteModel.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace web
{

class PageSession
{
public:
    PageSession();
    ~PageSession();
    PageSession(const PageSession&) = delete;
    PageSession& operator=(const PageSession&) = delete;

    // Reads a route file's text (`name`: the file's name, for messages) and
    // starts its drive at 0 s. On a bad file the route shown so far stays and
    // `error` holds the message the command-line tools print for it.
    bool OpenRoute(std::string_view text, const std::string& name, std::string& error);
    bool HasRoute() const { return m_model.has_value(); }
    // The route: name, summary, length, duration and every manoeuvre
    // (instruction, banner, where it is and when its band shows).
    std::string RouteJson() const;

    // The size table and colours, in the files the command-line tools take
    // (--sizes FILE, --colors LIST); setting either redraws nothing itself
    // and keeps the old one on an error.
    std::string SizeTableJson() const;
    bool SetSizeTable(const std::string& text, const std::string& source, std::string& error);
    std::string ColourList() const;
    bool SetColours(const std::string& list, std::string& error);

    // The whole route on a canvas of `width` x `height` CSS pixels (the
    // origin-destination line too).
    void DrawOverview(int width, int height);
    // One repaint of the drive at `seconds` on a canvas of that size: what
    // the frame showed (FrameJson).
    std::string DriveFrame(double seconds, int width, int height);
    // The drive at manoeuvre `maneuver`: driven on from its announcement
    // until the camera shows the whole band (or the junction is reached),
    // and that frame drawn (DriveFrame).
    std::string JumpToManeuver(size_t maneuver, int width, int height);
    // Manoeuvre `maneuver` at size-table level `level`: the view centred on
    // its junction at the level's design resolution, as a device would show
    // it at that scale.
    void DrawManeuverAtLevel(size_t maneuver, int level, int width, int height);

private:
    void StartDrive(int width, int height);
    std::string FrameJson(const drive::FrameRecord& frame) const;
    bool ApplySizes();
    void ResetStill();

    std::optional<refhost::RouteModel> m_model;
    std::string m_name;
    std::unique_ptr<drive::RouteTimeline> m_timeline;
    tools::SizeTable m_sizes;
    AdvicePathClrSetting m_colours;
    AdvicePathRenderEx* m_drive = nullptr; // the frame loop's handle
    AdvicePathRenderEx* m_still = nullptr; // overview and contact sheet
    std::unique_ptr<drive::DriveReplay> m_replay;
    std::optional<size_t> m_stillManeuver; // the turn set on m_still
    refhost::PathView m_turnPath;          // what m_still's turn reads
};

} // namespace web

#endif
