// The log table that the host's logging header documents, against the table
// the library logs from: every entry documented with its priority, number,
// function and text, and every documented row an entry. The header's text is
// compiled in (Tests/Library/CMakeLists.txt).
#include "LoggingHeaderTable.h"
#include "Render/LogTable.h"

#include "HostLoggingHeaderText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace aptest
{
namespace
{

bool Documents(const DocumentedLogLine& line, const ApLogEntry& entry)
{
    return line.level == entry.level && line.number == entry.number &&
           line.function == entry.function && line.text == entry.format;
}

TEST(LoggingHeaderTest, DocumentedTableIsTheLibrarysTable)
{
    std::vector<DocumentedLogLine> documented;
    std::string error;
    ASSERT_TRUE(
        ReadDocumentedLogTable(kHostLoggingHeaderText, kHostLoggingHeaderName, documented, error))
        << error;

    // Each documented row stands for one entry: two entries with the same
    // texts (231 and 238 differ by number only) need two rows.
    std::vector<bool> matched(documented.size(), false);
    for (int m = 0; m < AP_MSG_COUNT; ++m)
    {
        const ApLogEntry& entry = g_ApLogTable[m];
        bool found = false;
        for (size_t d = 0; d < documented.size() && !found; ++d)
        {
            if (!matched[d] && Documents(documented[d], entry))
                matched[d] = found = true;
        }
        if (found)
            continue;
        std::string near;
        for (const DocumentedLogLine& line : documented)
        {
            if (line.number == entry.number)
                near += "\n  documented at " + ::testing::PrintToString(line);
        }
        ADD_FAILURE() << "g_ApLogTable[" << m << "] ("
                      << DescribeLogLine(entry.level, entry.number, entry.function, entry.format)
                      << ") is not documented in " << kHostLoggingHeaderName << near;
    }
    for (size_t d = 0; d < documented.size(); ++d)
    {
        if (!matched[d])
            ADD_FAILURE() << kHostLoggingHeaderName << " documents "
                          << ::testing::PrintToString(documented[d])
                          << ", which is no entry of g_ApLogTable (or documents it twice)";
    }
}

TEST(LoggingHeaderTest, RowsReadAcrossLinesUpToTheirDescription)
{
    // Rows before the heading and after the comment are not the table's.
    const std::string header = R"sample(//   300   1     Before::Table "not read"
//   prio  line  function text, then the text
//   Section:
//   300   47    A::B "first \n"
//               a description that "quotes" a text
//   800   288   A::C
//               "next line\\ \"quoted\""
//               (no line feed) "not a text"
//   600   67    A::D "time::%lfms", then
//               "memory::%s"
//               "PhsMem" quoted in the description
//   0     7     A::E "last"  ,  then "second" (two blanks)

//   300   2     After::Table "not read"
)sample";
    std::vector<DocumentedLogLine> lines;
    std::string error;
    ASSERT_TRUE(ReadDocumentedLogTable(header, "Sample.h", lines, error)) << error;
    const std::vector<DocumentedLogLine> expected = {
        {300, 47, "A::B", "first \n", 4},    {800, 288, "A::C", R"(next line\ "quoted")", 6},
        {600, 67, "A::D", "time::%lfms", 9}, {600, 67, "A::D", "memory::%s", 9},
        {0, 7, "A::E", "last", 12},          {0, 7, "A::E", "second", 12},
    };
    EXPECT_EQ(lines, expected);
}

TEST(LoggingHeaderTest, MalformedTablesAreRefusedWithTheirLine)
{
    const std::string heading = "//   prio  line  function text\n";
    const struct
    {
        std::string header;
        std::string error;
    } cases[] = {
        {"// no table here\n", "Sample.h: no documented log table"},
        {heading + "//   only words\n", "Sample.h: the documented log table has no rows"},
        {heading + "//   300   47    A::B (no text)\n", "Sample.h:2: no quoted text after A::B"},
        {heading + "//   300   47    A::B \"open\n//   \"closed\"\n",
         "Sample.h:2: a text is not closed on its line"},
        {heading + "//   600   67    A::D \"a\", then\n//   words\n",
         "Sample.h:3: no quoted text after \", then\""},
        {heading + "//   300   47    A::B\n//   \"bad \\q\"\n", "Sample.h:3: unknown escape \\q"},
    };
    for (const auto& c : cases)
    {
        std::vector<DocumentedLogLine> lines;
        std::string error;
        EXPECT_FALSE(ReadDocumentedLogTable(c.header, "Sample.h", lines, error)) << c.header;
        EXPECT_EQ(error.substr(0, c.error.size()), c.error) << error;
    }
}

} // namespace
} // namespace aptest
