#include "IndexPage.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace tools
{

namespace
{

std::string Escape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
    {
        switch (c)
        {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void WriteFigure(std::ostringstream& html, const PictureEntry& entry)
{
    html << "<figure>\n  <a href=\"" << Escape(entry.file) << "\"><img src=\"" << Escape(entry.file)
         << "\" alt=\"" << Escape(entry.title) << "\"></a>\n  <figcaption><strong>"
         << Escape(entry.title) << "</strong>";
    if (!entry.roads.empty())
        html << "<br>" << Escape(entry.roads);
    if (!entry.distances.empty())
        html << "<br><span class=\"dist\">" << Escape(entry.distances) << "</span>";
    if (!entry.note.empty())
        html << "<br><em>" << Escape(entry.note) << "</em>";
    html << "</figcaption>\n</figure>\n";
}

} // namespace

std::string EscapeHtml(const std::string& text)
{
    return Escape(text);
}

std::string FormatDistance(double metres)
{
    char text[32];
    if (!std::isfinite(metres) || metres < 0.0)
        return "?";
    if (metres < 1000.0)
        std::snprintf(text, sizeof(text), "%.0f m", metres);
    else if (metres < 10000.0)
        std::snprintf(text, sizeof(text), "%.1f km", metres / 1000.0);
    else
        std::snprintf(text, sizeof(text), "%.0f km", metres / 1000.0);
    return text;
}

std::string MakeIndexPage(const IndexContent& content)
{
    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<title>" << Escape(content.routeName) << "</title>\n"
         << "<style>\n"
         << "body { font-family: sans-serif; margin: 2em; background: #fafafa; color: #222; }\n"
         << "figure { display: inline-block; margin: 0 1.5em 2em 0; vertical-align: top; }\n"
         << "img { max-width: 100%; border: 1px solid #ccc; }\n"
         << "figcaption { max-width: 40em; margin-top: 0.4em; }\n"
         << ".dist { color: #666; }\n"
         << "</style>\n</head>\n<body>\n"
         << "<h1>" << Escape(content.routeName) << "</h1>\n"
         << "<p>" << Escape(content.summary) << "</p>\n"
         << "<h2>Overview</h2>\n";
    WriteFigure(html, content.overview);
    html << "<h2>Manoeuvres</h2>\n";
    for (const PictureEntry& entry : content.turns)
        WriteFigure(html, entry);
    html << "</body>\n</html>\n";
    return html.str();
}

} // namespace tools
