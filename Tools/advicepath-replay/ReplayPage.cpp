#include "ReplayPage.h"

#include "IndexPage.h"

#include <sstream>

namespace tools
{

std::string MakeReplayPage(const ReplayPageContent& content)
{
    std::ostringstream html;
    html << PageStart(
                content.routeName + " (drive)",
                ".drive { display: flex; flex-wrap: wrap; gap: 2em; align-items: flex-start; }\n"
                ".drive img { flex: none; border: 1px solid #ccc; max-width: 100%; "
                "height: auto; }\n"
                ".drive ol { flex: 1 1 16em; margin: 0; padding-left: 1.5em; max-width: 32em; }\n"
                ".drive li { margin-bottom: 0.6em; }\n"
                ".note { color: #666; }\n",
                content.routeName, content.summary)
         << "<br><span class=\"note\">" << EscapeHtml(content.timing) << "</span></p>\n"
         << "<div class=\"drive\">\n"
         << "<img src=\"" << EscapeHtml(content.animation) << "\" width=\"" << content.width
         << "\" height=\"" << content.height << "\" alt=\"The route driven with the library "
         << "drawing the route line and the band of each manoeuvre\">\n"
         << "<ol>\n";
    for (const ReplayPageEntry& entry : content.maneuvers)
    {
        html << "<li><strong>" << EscapeHtml(entry.title) << "</strong>";
        html << "<br><span class=\"note\">" << EscapeHtml(entry.distance);
        if (!entry.shown.empty())
            html << " \xC2\xB7 " << EscapeHtml(entry.shown);
        html << "</span></li>\n";
    }
    html << "</ol>\n</div>\n" << CreditParagraph(content.credit) << "</body>\n</html>\n";
    return html.str();
}

} // namespace tools
