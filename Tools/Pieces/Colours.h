// Colours on the command line: the map view's 0x00BBGGRR values, or web
// colours #RRGGBB.
#ifndef TOOLS_PIECES_COLOURS_H
#define TOOLS_PIECES_COLOURS_H

#include "AdvicePathRenderEx.h"

#include <string>

namespace tools
{

// The tool's own colours: a blue route cased in dark blue, a white band with
// a near-black border. (The library's defaults are the device's.)
AdvicePathClrSetting DefaultColours();

// One colour: "#RRGGBB" (web order, converted), or a number in the map view's
// order 0x00BBGGRR ("0x2B8AE0", decimal also accepted). False on anything else.
bool ParseColour(const std::string& text, unsigned int& colour);

// Four colours separated by commas: route fill, route border, band and arrow
// fill, band and arrow border. False with `error` on a bad list.
bool ParseColourList(const std::string& text, AdvicePathClrSetting& colours, std::string& error);

// The four colours as ParseColourList reads them, each as #RRGGBB.
std::string FormatColourList(const AdvicePathClrSetting& colours);

// The colours of a --colors option: the tool's own (DefaultColours) when
// `text` is empty, else its list (ParseColourList).
bool ColoursOption(const std::string& text, AdvicePathClrSetting& colours, std::string& error);

} // namespace tools

#endif
