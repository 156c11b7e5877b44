#include "IndexPage.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace tools
{

namespace
{

void WriteFigure(std::ostringstream& html, const PictureEntry& entry, const std::string& attributes)
{
    html << "<figure" << attributes << ">\n  <a href=\"" << EscapeHtml(entry.file)
         << "\"><img src=\"" << EscapeHtml(entry.file) << "\" alt=\"" << EscapeHtml(entry.title)
         << "\"></a>\n  <figcaption>";
    if (!entry.bannerPrimary.empty())
    {
        html << R"(<div class="banner"><span class="primary">)" << EscapeHtml(entry.bannerPrimary)
             << "</span>";
        if (!entry.bannerSecondary.empty())
            html << "<span class=\"secondary\">" << EscapeHtml(entry.bannerSecondary) << "</span>";
        html << "</div>";
    }
    html << "<strong class=\"instruction\">" << EscapeHtml(entry.title) << "</strong>";
    if (!entry.textOrigin.empty())
        html << " <span class=\"origin\">" << EscapeHtml(entry.textOrigin) << "</span>";
    if (!entry.roads.empty())
        html << "<br>" << EscapeHtml(entry.roads);
    if (!entry.continuation.empty())
        html << "<br><span class=\"continue\">" << EscapeHtml(entry.continuation) << "</span>";
    if (!entry.distances.empty())
        html << "<br><span class=\"dist\">" << EscapeHtml(entry.distances) << "</span>";
    if (!entry.note.empty())
        html << "<br><em>" << EscapeHtml(entry.note) << "</em>";
    html << "</figcaption>\n</figure>\n";
}

// One manoeuvre at a time: the arrow keys step, Escape shows the list again.
const char* kKeyboardScript = R"(<script>
(function () {
  var figures = Array.prototype.slice.call(document.querySelectorAll('figure.maneuver'));
  var current = -1;
  function show(index) {
    var last = current;
    current = index;
    document.body.classList.toggle('single', index >= 0);
    figures.forEach(function (figure, i) { figure.classList.toggle('current', i === index); });
    var shown = figures[index >= 0 ? index : last];
    if (shown) shown.scrollIntoView({block: 'nearest'});
  }
  document.addEventListener('keydown', function (event) {
    if (figures.length === 0 || event.altKey || event.ctrlKey || event.metaKey) return;
    if (event.key === 'ArrowRight') show(current < 0 ? 0 : Math.min(current + 1, figures.length - 1));
    else if (event.key === 'ArrowLeft') show(current < 0 ? figures.length - 1 : Math.max(current - 1, 0));
    else if (event.key === 'Escape' && current >= 0) show(-1);
    else return;
    event.preventDefault();
  });
})();
</script>
)";

} // namespace

std::string EscapeHtml(const std::string& text)
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

std::string PageHead(const std::string& title, const std::string& style)
{
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           EscapeHtml(title) +
           "</title>\n<style>\n"
           "body { font-family: sans-serif; margin: 2em; background: #fafafa; color: #222; }\n" +
           style + "</style>\n</head>\n";
}

std::string PageStart(const std::string& title, const std::string& style,
                      const std::string& heading, const std::string& summary)
{
    return PageHead(title, style) + "<body>\n<h1>" + EscapeHtml(heading) + "</h1>\n<p>" +
           EscapeHtml(summary);
}

std::string FormatDistance(double metres)
{
    char text[32];
    if (!std::isfinite(metres) || metres < 0.0)
        return "?";
    // A longer text would be cut at the buffer's end; no distance on Earth is.
    if (metres < 1000.0)
        (void)std::snprintf(text, sizeof(text), "%.0f m", metres);
    else if (metres < 10000.0)
        (void)std::snprintf(text, sizeof(text), "%.1f km", metres / 1000.0);
    else
        (void)std::snprintf(text, sizeof(text), "%.0f km", metres / 1000.0);
    return text;
}

std::string MakeIndexPage(const IndexContent& content)
{
    std::ostringstream html;
    html << PageStart(
                content.routeName,
                "figure { display: inline-block; margin: 0 1.5em 2em 0; vertical-align: top; }\n"
                "img { max-width: 100%; border: 1px solid #ccc; }\n"
                "figcaption { max-width: 40em; margin-top: 0.4em; }\n"
                ".dist, .origin, .keys { color: #666; }\n"
                ".origin { font-size: 85%; }\n"
                ".banner { background: #2b5d8a; color: #fff; padding: 0.4em 0.6em; "
                "margin-bottom: 0.4em; border-radius: 4px; }\n"
                ".banner .primary { display: block; font-size: 150%; font-weight: bold; }\n"
                ".banner .secondary { display: block; }\n"
                "body.single .list-only, body.single figure.maneuver:not(.current) "
                "{ display: none; }\n",
                content.routeName, content.summary)
         << "</p>\n"
         << "<div class=\"list-only\">\n<h2>Overview</h2>\n";
    WriteFigure(html, content.overview, " class=\"overview\"");
    html << "</div>\n<h2>Manoeuvres</h2>\n"
         << "<p class=\"keys\">Right and left arrow keys: one manoeuvre at a time, next and "
            "previous; Escape: back to the list.</p>\n";
    for (const PictureEntry& entry : content.turns)
        WriteFigure(html, entry,
                    " class=\"maneuver\"" + (entry.id.empty()
                                                 ? std::string()
                                                 : " id=\"" + EscapeHtml(entry.id) + "\""));
    html << CreditParagraph(content.credit) << kKeyboardScript << "</body>\n</html>\n";
    return html.str();
}

std::string CreditParagraph(const std::string& credit)
{
    if (credit.empty())
        return {};
    return "<p class=\"credit\">" + EscapeHtml(credit) + "</p>\n";
}

} // namespace tools
