// Small pieces for reading Routino's text and HTML outputs: lines, fields,
// numbers in the C locale, HTML character references.
#ifndef ADVICEPATH_ROUTING_TEXTFIELDS_H
#define ADVICEPATH_ROUTING_TEXTFIELDS_H

#include "LonLat.h"

#include <string>
#include <string_view>
#include <vector>

namespace refhost::routing
{

// The lines of `text` without their line ends ("\n" or "\r\n").
std::vector<std::string_view> Lines(std::string_view text);

bool IsBlank(std::string_view text);

// `text` without leading and trailing blanks (spaces, tabs, line ends).
std::string_view Trimmed(std::string_view text);

// The fields between the separators, each trimmed.
std::vector<std::string> SplitTrimmed(std::string_view text, char separator);

// A whole field as a finite decimal number ("-0.127877", "96"); false for
// anything else (also for an empty field).
bool ParseNumber(std::string_view text, double& value);

// The text with HTML character references decoded ("&#39;", "&#xF2;",
// "&amp;", "&lt;", "&gt;", "&quot;", "&apos;"; code points as UTF-8) and
// tags ("<span class='h'>") removed.
std::string HtmlText(std::string_view html);

// A number in the C locale with `decimals` digits after the point.
std::string FormatFixed(double value, int decimals);

// "(42.506294, 1.521597)": latitude first, as people write places.
std::string DescribePoint(const tagLonLat& point);

} // namespace refhost::routing

#endif
