// The size table and colours as the browser page exports them: what the
// writers give, the tools' readers take back unchanged.
#include "Colours.h"
#include "RouteModelInput.h"
#include "SizeTable.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

bool SameRecords(const tools::SizeTable& a, const tools::SizeTable& b)
{
    if (a.maxTurnLevel != b.maxTurnLevel || a.levels.size() != b.levels.size())
        return false;
    return std::memcmp(a.levels.data(), b.levels.data(),
                       a.levels.size() * sizeof(AdvicePathSizeSetting)) == 0;
}

TEST(SettingsFiles, SizeTablesComeBackAsWritten)
{
    const tools::SizeTable table = tools::DefaultSizeTable();
    // Two levels, a negative field, the largest field and no turn at all.
    tools::SizeTable edited = table;
    edited.levels.resize(2);
    edited.levels[1].m_EdgeWidth = -7;
    edited.levels[0].m_ArrowLength = 2147483647;
    edited.maxTurnLevel = -1;
    for (const tools::SizeTable& written : {table, edited})
    {
        tools::SizeTable read;
        std::string error;
        ASSERT_TRUE(
            tools::ParseSizeTable(tools::WriteSizeTable(written), "sizes.json", read, error))
            << error;
        EXPECT_TRUE(SameRecords(written, read));
    }
}

TEST(SettingsFiles, ColourListsInWebOrder)
{
    // The tools' own colours: fill rgb(43, 138, 224), border rgb(20, 60, 120),
    // a white band with a border of rgb(30, 30, 30).
    EXPECT_EQ(tools::FormatColourList(tools::DefaultColours()), "#2B8AE0,#143C78,#FFFFFF,#1E1E1E");
    const AdvicePathClrSetting odd(0x00010203u, 0x00FF0000u, 0x0000FF00u, 0x000000FFu);
    AdvicePathClrSetting read;
    std::string error;
    ASSERT_TRUE(tools::ParseColourList(tools::FormatColourList(odd), read, error)) << error;
    EXPECT_EQ(read.m_PathClr, odd.m_PathClr);
    EXPECT_EQ(read.m_PathBorderClr, odd.m_PathBorderClr);
    EXPECT_EQ(read.m_ArrowClr, odd.m_ArrowClr);
    EXPECT_EQ(read.m_ArrowBorderClr, odd.m_ArrowBorderClr);
}

TEST(SettingsFiles, RoutesFromTextNameTheirSource)
{
    std::optional<refhost::RouteModel> model;
    std::string message;
    EXPECT_FALSE(tools::ModelOfRead(
        refhost::ParseRoute("{\"routes\": 3}", refhost::RouteFormat::Auto, {}, "dropped.json"),
        "dropped.json", model, message));
    EXPECT_FALSE(model.has_value());
    EXPECT_EQ(message.rfind("dropped.json", 0), 0u) << message;
}

} // namespace
