// A line of the map view's caption band and how it is set.
#ifndef REFHOST_MAPVIEW_CAPTIONLINE_H
#define REFHOST_MAPVIEW_CAPTIONLINE_H

#include <string>

namespace refhost::mapview
{

// One line of the caption band.
struct CaptionLine
{
    enum class Style
    {
        Banner, // large and bold: a banner's primary line
        Names,  // bold: road names
        Plain,  // an instruction, a banner's secondary line
    };
    std::string text; // UTF-8, not empty
    Style style = Style::Plain;
};

} // namespace refhost::mapview

#endif
