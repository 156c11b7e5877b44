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
    {AP_LOG_ERROR, 47, kRenderSource, "AdvicePathRender::SetSize",
     "AdvicePathSizeSetting is NULL \n"},
    {AP_LOG_FATAL, 54, kRenderSource, "AdvicePathRender::SetSize",
     "new AdvicePathSizeSetting failed \n"},
    {AP_LOG_FATAL, 279, kRenderSource, "AdvicePathRender::AutoSetCurScale",
     "mp_MapView is NULL \n"},
    {AP_LOG_NOTSET, 288, kRenderSource, "AdvicePathRender::AutoSetCurScale",
     "m_CurScale > = m_SizeSetCnt && m_SizeSetCnt > AP_SCALE_DEFAULT \n"},
    {AP_LOG_NOTSET, 293, kRenderSource, "AdvicePathRender::AutoSetCurScale",
     "m_CurScale > = m_SizeSetCnt  && m_SizeSetCnt < AP_SCALE_DEFAULT -1 \n"},
    {AP_LOG_ERROR, 162, kRenderSource, "AdvicePathRender::DrawPath",
     "mp_Path->GetFirstPosition() failed \n"},
    {AP_LOG_ERROR, 114, kRenderSource, "AdvicePathRender::DrawRedLine",
     "Routeglow NO OrgPoint or DestPoint"},
    {AP_LOG_FATAL, 307, kRenderSource, "AdvicePathRender::SetTurnInfo", "path is NULL \n"},
    {AP_LOG_NOTSET, 197, kRenderSource, "AdvicePathRender::DrawTurn",
     "m_isClearBigArrow is ture Or mp_MapView is NULL \n"},
    {AP_LOG_ERROR, 231, kRenderSource, "AdvicePathRender::DrawTurn",
     "GenerateCrossEdges failed \n"},
    {AP_LOG_ERROR, 238, kRenderSource, "AdvicePathRender::DrawTurn",
     "GenerateCrossEdges failed \n"},
    {AP_LOG_ERROR, 62, kCrossSource, "CCrossPathEdges::SetCrossInfo",
     "mp_Path->GetFirstPosition() failed \n"},
    {AP_LOG_ERROR, 68, kCrossSource, "CCrossPathEdges::SetCrossInfo",
     "mp_Path->GetGuid() failed \n"},
    {AP_LOG_NOTSET, 163, kCrossSource, "CCrossPathEdges::GenerateCrossEdges", "NAV_TURN_END \n"},
    {AP_LOG_ERROR, 197, kCrossSource, "CCrossPathEdges::GenerateCrossEdges",
     "m_FromEdges.Size = 0  \n"},
    {AP_LOG_ERROR, 325, kCrossSource, "CCrossPathEdges::GenerateCrossEdges",
     "m_EdgeVec.Append() failed\n"},
    {AP_LOG_INFO, 67, kRenderSource, "AdvicePathRender::SetSize", "timerSetSize::%lfms"},
    {AP_LOG_INFO, 67, kRenderSource, "AdvicePathRender::SetSize", "memcnterSetSize::%s"},
    {AP_LOG_INFO, 328, kRenderSource, "AdvicePathRender::SetTurnInfo", "timerSetTurnInfo::%lfms"},
    {AP_LOG_INFO, 328, kRenderSource, "AdvicePathRender::SetTurnInfo", "memcnterSetTurnInfo::%s"},
    {AP_LOG_INFO, 268, kRenderSource, "AdvicePathRender::DrawTurn", "timerDrawTurn::%lfms"},
    {AP_LOG_INFO, 268, kRenderSource, "AdvicePathRender::DrawTurn", "memcnterDrawTurn::%s"},
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
