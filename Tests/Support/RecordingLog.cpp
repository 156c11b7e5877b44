#include "RecordingLog.h"

namespace aptest
{

RecordingLog& RecordingLog::Instance()
{
    static RecordingLog log;
    return log;
}

} // namespace aptest
