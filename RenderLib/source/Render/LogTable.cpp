#include "LogTable.h"

#include "../Host/Logging.h"

namespace
{
const char kRenderSource[] = "..\\source\\Render\\AdvicePathRender";
const char kCrossSource[] = "..\\source\\Render\\CrossPathEdges";
} // namespace

// Hosts' log tooling matches these texts as they stand, odd spellings and
// spacing included.
const ApLogEntry g_ApLogTable[AP_MSG_COUNT] = {
    {AP_LOG_ERROR, kRenderSource, 47, "AdvicePathRender::SetSize",
     "AdvicePathSizeSetting is NULL \n"},
    {AP_LOG_FATAL, kRenderSource, 54, "AdvicePathRender::SetSize",
     "new AdvicePathSizeSetting failed \n"},
    {AP_LOG_FATAL, kRenderSource, 279, "AdvicePathRender::AutoSetCurScale",
     "mp_MapView is NULL \n"},
    {AP_LOG_NOTSET, kRenderSource, 288, "AdvicePathRender::AutoSetCurScale",
     "m_CurScale > = m_SizeSetCnt && m_SizeSetCnt > AP_SCALE_DEFAULT \n"},
    {AP_LOG_NOTSET, kRenderSource, 293, "AdvicePathRender::AutoSetCurScale",
     "m_CurScale > = m_SizeSetCnt  && m_SizeSetCnt < AP_SCALE_DEFAULT -1 \n"},
    {AP_LOG_ERROR, kRenderSource, 162, "AdvicePathRender::DrawPath",
     "mp_Path->GetFirstPosition() failed \n"},
    {AP_LOG_ERROR, kRenderSource, 114, "AdvicePathRender::DrawRedLine",
     "Routeglow NO OrgPoint or DestPoint"},
    {AP_LOG_FATAL, kRenderSource, 307, "AdvicePathRender::SetTurnInfo", "path is NULL \n"},
    {AP_LOG_NOTSET, kRenderSource, 197, "AdvicePathRender::DrawTurn",
     "m_isClearBigArrow is ture Or mp_MapView is NULL \n"},
    {AP_LOG_ERROR, kRenderSource, 231, "AdvicePathRender::DrawTurn",
     "GenerateCrossEdges failed \n"},
    {AP_LOG_ERROR, kRenderSource, 238, "AdvicePathRender::DrawTurn",
     "GenerateCrossEdges failed \n"},
    {AP_LOG_ERROR, kCrossSource, 62, "CCrossPathEdges::SetCrossInfo",
     "mp_Path->GetFirstPosition() failed \n"},
    {AP_LOG_ERROR, kCrossSource, 68, "CCrossPathEdges::SetCrossInfo",
     "mp_Path->GetGuid() failed \n"},
    {AP_LOG_NOTSET, kCrossSource, 163, "CCrossPathEdges::GenerateCrossEdges", "NAV_TURN_END \n"},
    {AP_LOG_ERROR, kCrossSource, 197, "CCrossPathEdges::GenerateCrossEdges",
     "m_FromEdges.Size = 0  \n"},
    {AP_LOG_ERROR, kCrossSource, 325, "CCrossPathEdges::GenerateCrossEdges",
     "m_EdgeVec.Append() failed\n"},
    {AP_LOG_INFO, kRenderSource, 67, "AdvicePathRender::SetSize", "timerSetSize::%lfms"},
    {AP_LOG_INFO, kRenderSource, 67, "AdvicePathRender::SetSize", "memcnterSetSize::%s"},
    {AP_LOG_INFO, kRenderSource, 328, "AdvicePathRender::SetTurnInfo", "timerSetTurnInfo::%lfms"},
    {AP_LOG_INFO, kRenderSource, 328, "AdvicePathRender::SetTurnInfo", "memcnterSetTurnInfo::%s"},
    {AP_LOG_INFO, kRenderSource, 268, "AdvicePathRender::DrawTurn", "timerDrawTurn::%lfms"},
    {AP_LOG_INFO, kRenderSource, 268, "AdvicePathRender::DrawTurn", "memcnterDrawTurn::%s"},
};

void ApLog(ApLogMessage message)
{
    const ApLogEntry& entry = g_ApLogTable[message];
    // The message text is the format itself, as hosts have always received
    // it; these texts have no conversions.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
#endif
    log4cpp_category_log(AP_LOG_CATEGORY, entry.level, entry.source, entry.number, entry.function,
                         entry.format);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
}
