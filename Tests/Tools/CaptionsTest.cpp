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

TEST(Captions, DirectionsStepsSpeakInTheirOwnWordsAndBanners)
{
    size_t captions = 0;
    size_t banners = 0;
    for (const fs::path& file : RouteFiles("osrm-"))
    {
        SCOPED_TRACE(file.filename().string());
        const json response = json::parse(Slurp(file));
        const Rendered run = Render(file);
        size_t maneuver = 0;
        for (const json& leg : response["routes"][0]["legs"])
        {
            const json& steps = leg["steps"];
            for (size_t si = 0; si < steps.size(); ++si)
            {
                if (steps[si]["maneuver"]["type"] == "depart")
                    continue;
                ASSERT_LT(maneuver, run.figures.size());
                const std::string& figure = run.figures[maneuver];
                const std::string words = steps[si]["maneuver"]["instruction"];
                EXPECT_NE(figure.find(Escaped(words)), std::string::npos) << figure;
                EXPECT_NE(figure.find("text from the route file"), std::string::npos);
                ++captions;
                // The banners along a step announce the manoeuvre at its end.
                const json* before = si > 0 ? &steps[si - 1] : nullptr;
                if (before && before->contains("bannerInstructions") &&
                    !(*before)["bannerInstructions"].empty())
                {
                    const std::string primary =
                        (*before)["bannerInstructions"].back()["primary"]["text"];
                    EXPECT_NE(
                        figure.find("<span class=\"primary\">" + Escaped(primary) + "</span>"),
                        std::string::npos)
                        << figure;
                    EXPECT_NE(run.PictureText(maneuver).find(primary), std::string::npos)
                        << "turn " << maneuver + 1 << ": " << primary;
                    ++banners;
                }
                ++maneuver;
            }
        }
        EXPECT_EQ(maneuver, run.figures.size());
    }
    std::printf("checked %zu captions and %zu banners of directions responses\n", captions,
                banners);
    // 191 steps of 21 legs, each leg with one departure; banners in four files.
    EXPECT_EQ(captions, 170u);
    EXPECT_EQ(banners, 62u);
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
        ASSERT_EQ(run.figures.size(), descriptions.size() + 1);
        for (size_t i = 0; i < descriptions.size(); ++i)
            EXPECT_NE(run.figures[i].find(Escaped(descriptions[i])), std::string::npos)
                << run.figures[i];
        captions += descriptions.size();
        // The file, its creator ("Graphhopper") and its track ("GraphHopper
        // Track") are no road's names.
        for (const std::string& figure : run.figures)
            EXPECT_EQ(figure.find("hopper"), std::string::npos) << figure;
    }
    EXPECT_EQ(captions, 27u + 4u);
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
