// index.html: every picture of a run with its manoeuvre's instruction, banner,
// road names, the way on after it and distances. The arrow keys step through
// the manoeuvres one at a time, Escape returns to the list.
#ifndef TOOLS_PIECES_INDEXPAGE_H
#define TOOLS_PIECES_INDEXPAGE_H

#include <string>
#include <vector>

namespace tools
{

struct PictureEntry
{
    std::string file;            // relative to the page
    std::string id;              // the figure's id ("m3" for manoeuvre 3); may be empty
    std::string title;           // "3. Turn left onto Page Street"
    std::string textOrigin;      // where the title's text comes from; may be empty
    std::string bannerPrimary;   // a device's banner, large; may be empty
    std::string bannerSecondary; // below it; may be empty
    std::string roads;           // "Taylor Street → Page Street"
    std::string continuation;    // "Continue on Page Street for 2.3 km"; may be empty
    std::string distances;       // "at 1.2 km · next in 350 m"
    std::string note;            // e.g. why no band shows; may be empty
};

struct IndexContent
{
    std::string routeName; // the route file
    std::string summary;   // "4.3 km, 6 manoeuvres"
    PictureEntry overview;
    std::vector<PictureEntry> turns; // the manoeuvres
    std::string credit;              // the map data's attribution, or empty
};

// The whole page, self-contained (inline style and script), UTF-8; texts are
// escaped.
std::string MakeIndexPage(const IndexContent& content);

// `text` with & < > " ' written as character references, for HTML.
std::string EscapeHtml(const std::string& text);

// The start of a page up to its body: the doctype, the UTF-8 charset, the
// escaped `title` and the pages' common body style followed by `style`
// (CSS rules, each ending in a line feed).
std::string PageHead(const std::string& title, const std::string& style);

// PageHead, then the body's start: `heading` as the page's title line and
// `summary` as the paragraph below it, both escaped; the paragraph is left
// open for more.
std::string PageStart(const std::string& title, const std::string& style,
                      const std::string& heading, const std::string& summary);

// The attribution of the map data under the pictures (--map), written at the
// foot of every page drawn over it.
constexpr const char* kMapDataCredit =
    "Map data \xC2\xA9 OpenStreetMap contributors, Open Database License (ODbL)";

// The foot of a page: `credit` as a paragraph, nothing when it is empty.
std::string CreditParagraph(const std::string& credit);

// "850 m", "4.3 km", "12 km".
std::string FormatDistance(double metres);

} // namespace tools

#endif
