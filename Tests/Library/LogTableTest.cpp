// The log table against the texts hosts' log tooling matches, written out here
// once, and the writer that hands an entry to the logging library unchanged.
#include "LibraryFixture.h"

#include "Render/LogTable.h"

namespace aptest
{
namespace
{

struct FixedLine
{
    ApLogMessage message;
    int level;
    int number;
    const char* source;
    const char* function;
    const char* format;
};

const char* const kRender = R"(..\source\Render\AdvicePathRender)";
const char* const kCross = R"(..\source\Render\CrossPathEdges)";

const FixedLine kFixedLines[] = {
    {AP_MSG_SIZE_TABLE_NULL, 300, 47, kRender, "AdvicePathRender::SetSize",
     "AdvicePathSizeSetting is NULL \n"},
    {AP_MSG_SIZE_TABLE_NOT_ALLOCATED, 0, 54, kRender, "AdvicePathRender::SetSize",
     "new AdvicePathSizeSetting failed \n"},
    {AP_MSG_SCALE_NO_MAP_VIEW, 0, 279, kRender, "AdvicePathRender::AutoSetCurScale",
     "mp_MapView is NULL \n"},
    {AP_MSG_SCALE_TO_DEFAULT, 800, 288, kRender, "AdvicePathRender::AutoSetCurScale",
     "m_CurScale > = m_SizeSetCnt && m_SizeSetCnt > AP_SCALE_DEFAULT \n"},
    {AP_MSG_SCALE_TO_LAST, 800, 293, kRender, "AdvicePathRender::AutoSetCurScale",
     "m_CurScale > = m_SizeSetCnt  && m_SizeSetCnt < AP_SCALE_DEFAULT -1 \n"},
    {AP_MSG_PATH_NO_FIRST_POSITION, 300, 162, kRender, "AdvicePathRender::DrawPath",
     "mp_Path->GetFirstPosition() failed \n"},
    {AP_MSG_RED_LINE_NO_ENDS, 300, 114, kRender, "AdvicePathRender::DrawRedLine",
     "Routeglow NO OrgPoint or DestPoint"},
    {AP_MSG_TURN_NULL_PATH, 0, 307, kRender, "AdvicePathRender::SetTurnInfo", "path is NULL \n"},
    {AP_MSG_TURN_HIDDEN, 800, 197, kRender, "AdvicePathRender::DrawTurn",
     "m_isClearBigArrow is ture Or mp_MapView is NULL \n"},
    {AP_MSG_TURN_BAND_FAILED, 300, 231, kRender, "AdvicePathRender::DrawTurn",
     "GenerateCrossEdges failed \n"},
    {AP_MSG_TURN_ARROW_FAILED, 300, 238, kRender, "AdvicePathRender::DrawTurn",
     "GenerateCrossEdges failed \n"},
    {AP_MSG_CROSS_NO_FIRST_POSITION, 300, 62, kCross, "CCrossPathEdges::SetCrossInfo",
     "mp_Path->GetFirstPosition() failed \n"},
    {AP_MSG_CROSS_NO_FIRST_GUIDE, 300, 68, kCross, "CCrossPathEdges::SetCrossInfo",
     "mp_Path->GetGuid() failed \n"},
    {AP_MSG_CROSS_TURN_END, 800, 163, kCross, "CCrossPathEdges::GenerateCrossEdges",
     "NAV_TURN_END \n"},
    {AP_MSG_CROSS_NO_FROM_EDGES, 300, 197, kCross, "CCrossPathEdges::GenerateCrossEdges",
     "m_FromEdges.Size = 0  \n"},
    {AP_MSG_CROSS_APPEND_FAILED, 300, 325, kCross, "CCrossPathEdges::GenerateCrossEdges",
     "m_EdgeVec.Append() failed\n"},
    {AP_MSG_PROBE_SET_SIZE_TIME, 600, 67, kRender, "AdvicePathRender::SetSize",
     "timerSetSize::%lfms"},
    {AP_MSG_PROBE_SET_SIZE_MEMORY, 600, 67, kRender, "AdvicePathRender::SetSize",
     "memcnterSetSize::%s"},
    {AP_MSG_PROBE_SET_TURN_INFO_TIME, 600, 328, kRender, "AdvicePathRender::SetTurnInfo",
     "timerSetTurnInfo::%lfms"},
    {AP_MSG_PROBE_SET_TURN_INFO_MEMORY, 600, 328, kRender, "AdvicePathRender::SetTurnInfo",
     "memcnterSetTurnInfo::%s"},
    {AP_MSG_PROBE_DRAW_TURN_TIME, 600, 268, kRender, "AdvicePathRender::DrawTurn",
     "timerDrawTurn::%lfms"},
    {AP_MSG_PROBE_DRAW_TURN_MEMORY, 600, 268, kRender, "AdvicePathRender::DrawTurn",
     "memcnterDrawTurn::%s"},
};

TEST(LogTableTest, EveryEntryHoldsItsFixedTexts)
{
    ASSERT_EQ(sizeof(kFixedLines) / sizeof(kFixedLines[0]), static_cast<size_t>(AP_MSG_COUNT));
    for (const FixedLine& fixed : kFixedLines)
    {
        const ApLogEntry& entry = g_ApLogTable[fixed.message];
        SCOPED_TRACE(fixed.message);
        EXPECT_EQ(entry.level, fixed.level);
        EXPECT_STREQ(entry.source, fixed.source);
        EXPECT_EQ(entry.number, fixed.number);
        EXPECT_STREQ(entry.function, fixed.function);
        EXPECT_STREQ(entry.format, fixed.format);
    }
    EXPECT_STREQ(AP_LOG_CATEGORY, "pathRender");
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
        const ApLogEntry& entry = g_ApLogTable[message];
        RecordingLog::Instance().Clear();
        ApLog(message);
        ASSERT_EQ(Log().size(), 1u);
        const LogRecord& line = Log()[0];
        SCOPED_TRACE(m);
        EXPECT_EQ(line.category, "pathRender");
        EXPECT_EQ(line.level, entry.level);
        EXPECT_EQ(line.file, entry.source);
        EXPECT_EQ(line.line, entry.number);
        EXPECT_EQ(line.function, entry.function);
        EXPECT_EQ(line.text, entry.format);
        EXPECT_FALSE(line.info);
    }
}

} // namespace
} // namespace aptest
