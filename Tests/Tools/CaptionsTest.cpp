// The captions of advicepath-render's pages and pictures against the route
// files themselves: the expected texts are read here from the JSON and the
// GPX directly, the page is the tool's index.html, the picture's text comes
// out of its PDF (pdftotext).
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;
using nlohmann::json;

const fs::path kRoutes = fs::path(AP_DATA_DIR) / "routes";

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text as the page writes it.
std::string Escaped(const std::string& text)
{
    static const std::map<char, std::string> kEntities = {
        {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&#39;"}};
    std::string out;
    for (const char c : text)
    {
        const auto entity = kEntities.find(c);
        out += entity == kEntities.end() ? std::string(1, c) : entity->second;
    }
    return out;
}

std::vector<fs::path> RouteFiles(const std::string& prefix)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kRoutes))
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// One run of the tool on a route file, pictures as PDF: the figure of each
// manoeuvre on its page, in order.
struct Rendered
{
    fs::path folder;
    std::vector<std::string> figures;

    // The figures that tell the way on after their manoeuvre.
    size_t Continued() const
    {
        return std::count_if(
            figures.begin(), figures.end(),
            [](const std::string& figure)
            { return figure.find("<span class=\"continue\">Continue ") != std::string::npos; });
    }

    std::string PictureText(size_t maneuver) const
    {
        char name[32];
        (void)std::snprintf(name, sizeof name, "turn-%03zu.pdf", maneuver + 1);
        const fs::path text = folder / (std::string(name) + ".txt");
        const std::string command =
            "pdftotext -enc UTF-8 '" + (folder / name).string() + "' '" + text.string() + "'";
        // The tools run as a user runs them, through the shell.
        return std::system(command.c_str()) == 0 // NOLINT(cert-env33-c)
                   ? Slurp(text)
                   : "(pdftotext failed)";
    }
};

Rendered Render(const fs::path& route)
{
    Rendered run;
    run.folder = fs::path(AP_WORK_DIR) / route.stem();
    fs::remove_all(run.folder);
    const std::string command = std::string("'") + AP_RENDER_TOOL + "' '" + route.string() +
                                "' -o '" + run.folder.string() + "' --format pdf --quiet";
    EXPECT_EQ(std::system(command.c_str()), 0) << command; // NOLINT(cert-env33-c)
    const std::string page = Slurp(run.folder / "index.html");
    for (size_t at = page.find("<figure class=\"maneuver\""); at != std::string::npos;
         at = page.find("<figure class=\"maneuver\"", at + 1))
        run.figures.push_back(page.substr(at, page.find("</figure>", at) - at));
    return run;
}

// Whether figure `number` (from 1) is captioned with `words` of the file:
// alone, or first of a roundabout's entry and exit words.
bool CaptionedWith(const std::string& figure, size_t number, const std::string& words)
{
    const std::string start =
        "<strong class=\"instruction\">" + std::to_string(number) + ". " + Escaped(words);
    const size_t at = figure.find(start);
    return at != std::string::npos && (figure.compare(at + start.size(), 9, "</strong>") == 0 ||
                                       figure.compare(at + start.size(), 4, " \xC2\xB7 ") == 0);
}

// The banners along a step (`before`) announce the manoeuvre at its end:
// picture `maneuver`'s caption and the picture show the last one's primary
// line. 1 when there was one to check.
size_t ChecksBanner(const json* before, const Rendered& run, size_t maneuver)
{
    if (before == nullptr || !before->contains("bannerInstructions") ||
        (*before)["bannerInstructions"].empty())
        return 0;
    const std::string primary = (*before)["bannerInstructions"].back()["primary"]["text"];
    const std::string& figure = run.figures[maneuver];
    EXPECT_NE(figure.find("<span class=\"primary\">" + Escaped(primary) + "</span>"),
              std::string::npos)
        << figure;
    EXPECT_NE(run.PictureText(maneuver).find(primary), std::string::npos)
        << "turn " << maneuver + 1 << ": " << primary;
    return 1;
}

TEST(Captions, DirectionsStepsSpeakInTheirOwnWordsAndBanners)
{
    size_t captions = 0;
    size_t banners = 0;
    size_t continued = 0;
    for (const fs::path& file : RouteFiles("osrm-"))
    {
        SCOPED_TRACE(file.filename().string());
        const json response = json::parse(Slurp(file));
        const Rendered run = Render(file);
        continued += run.Continued();
        // The steps that are manoeuvres, each with the step before it.
        std::vector<std::pair<const json*, const json*>> steps;
        for (const json& leg : response["routes"][0]["legs"])
            for (size_t si = 0; si < leg["steps"].size(); ++si)
                if (leg["steps"][si]["maneuver"]["type"] != "depart")
                    steps.emplace_back(&leg["steps"][si], si > 0 ? &leg["steps"][si - 1] : nullptr);
        // A picture in the file's words is that of a step, in step order;
        // the guidance rules leave out steps and word what they join.
        size_t step = 0;
        for (size_t maneuver = 0; maneuver < run.figures.size(); ++maneuver)
        {
            const std::string& figure = run.figures[maneuver];
            if (figure.find("text from the route file") == std::string::npos)
                continue;
            while (step < steps.size() &&
                   !CaptionedWith(figure, maneuver + 1,
                                  (*steps[step].first)["maneuver"]["instruction"]))
                ++step;
            ASSERT_LT(step, steps.size()) << figure;
            ++captions;
            banners += ChecksBanner(steps[step++].second, run, maneuver);
        }
    }
    std::printf("checked %zu captions and %zu banners of directions responses\n", captions,
                banners);
    // Of 170 steps that are no departure, with 62 banners before them.
    EXPECT_GT(captions, 100u);
    EXPECT_GT(banners, 40u);
    // Of 145 manoeuvres, 73 with 500 m or more to the next.
    EXPECT_GT(continued, 50u);
}

TEST(Captions, GpxRoutePointsGiveTheInstructionsAndNoRoadIsNamedAfterTheFile)
{
    size_t captions = 0;
    for (const fs::path& file : RouteFiles("graphhopper-"))
    {
        SCOPED_TRACE(file.filename().string());
        pugi::xml_document gpx;
        ASSERT_TRUE(gpx.load_file(file.c_str()));
        // The departure's point gives no manoeuvre; neither does the last
        // point, which has no description in these files.
        std::vector<std::string> descriptions;
        const pugi::xpath_node_set points = gpx.select_nodes("/gpx/rte/rtept");
        for (size_t i = 1; i + 1 < points.size(); ++i)
            if (const char* desc = points[i].node().child_value("desc"); *desc != '\0')
                descriptions.emplace_back(desc);
        ASSERT_FALSE(descriptions.empty());

        const Rendered run = Render(file);
        // Each picture in the file's words is that of a route point, in order.
        size_t point = 0;
        for (size_t i = 0; i < run.figures.size(); ++i)
        {
            if (run.figures[i].find("text from the route file") == std::string::npos)
                continue;
            while (point < descriptions.size() &&
                   !CaptionedWith(run.figures[i], i + 1, descriptions[point]))
                ++point;
            ASSERT_LT(point++, descriptions.size()) << run.figures[i];
            ++captions;
        }
        // The file, its creator ("Graphhopper") and its track ("GraphHopper
        // Track") are no road's names.
        for (const std::string& figure : run.figures)
            EXPECT_EQ(figure.find("hopper"), std::string::npos) << figure;
    }
    // Of 27 + 4 route points, those that are manoeuvres a driver is told.
    EXPECT_GT(captions, 10u);
}

TEST(Captions, RecordedDrivesAreCaptionedWithGeneratedText)
{
    for (const fs::path& file : RouteFiles("drive-"))
    {
        SCOPED_TRACE(file.filename().string());
        const Rendered run = Render(file);
        ASSERT_GE(run.figures.size(), 2u);
        for (const std::string& figure : run.figures)
        {
            EXPECT_NE(figure.find("generated text"), std::string::npos) << figure;
            EXPECT_EQ(figure.find("class=\"banner\""), std::string::npos) << figure;
        }
    }
}

} // namespace
