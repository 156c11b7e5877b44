// The log table's lines as hosts see them: one category, the source text of
// the part that writes them, and the writer that hands an entry to the
// logging library unchanged. The entries' numbers, levels, functions and
// texts are checked against the host header's documentation
// (LoggingHeaderTest).
#include "LibraryFixture.h"
#include "LogLineChecks.h"

#include "Render/LogTable.h"

#include <string>

namespace aptest
{
namespace
{

TEST(LogTableTest, EveryLineNamesTheCategoryAndThePartThatWritesIt)
{
    EXPECT_STREQ(AP_LOG_CATEGORY, "pathRender");
    for (const ApLogEntry& entry : g_ApLogTable)
    {
        SCOPED_TRACE(entry.function);
        // The junction builder writes its own lines; the renderer the others,
        // the probe's included.
        const bool junctionBuilder = std::string(entry.function).rfind("CCrossPathEdges::", 0) == 0;
        EXPECT_STREQ(entry.source, junctionBuilder ? "..\\source\\Render\\CrossPathEdges"
                                                   : "..\\source\\Render\\AdvicePathRender");
    }
}

class LogWriterTest : public LibraryTest
{
};

TEST_F(LogWriterTest, EveryMessageReachesTheLogAsItsEntry)
{
    // The messages come first in the table, the probe's lines after them.
    for (int m = 0; m < AP_MSG_PROBE_SET_SIZE_TIME; ++m)
    {
        const auto message = static_cast<ApLogMessage>(m);
        RecordingLog::Instance().Clear();
        ApLog(message);
        ASSERT_EQ(Log().size(), 1u);
        EXPECT_TRUE(LoggedAs(Log()[0], message));
    }
}

} // namespace
} // namespace aptest
