#include "RecordingLog.h"

namespace aptest
{

RecordingLog& RecordingLog::Instance()
{
    static RecordingLog log;
    return log;
}

std::vector<LogRecord> RecordingLog::WithText(const std::string& text) const
{
    std::vector<LogRecord> found;
    for (const LogRecord& record : m_records)
        if (record.text == text)
            found.push_back(record);
    return found;
}

std::vector<LogRecord> RecordingLog::AtLine(int line) const
{
    std::vector<LogRecord> found;
    for (const LogRecord& record : m_records)
        if (record.line == line)
            found.push_back(record);
    return found;
}

} // namespace aptest
