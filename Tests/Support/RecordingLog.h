// Log lines as a test sees them: category, level, file, line, function and the
// formatted text.
#ifndef AP_TESTS_RECORDINGLOG_H
#define AP_TESTS_RECORDINGLOG_H

#include <string>
#include <vector>

namespace aptest
{

struct LogRecord
{
    std::string category;
    int level = 0; // the probe's lines (log4cpp_Info) carry 600
    std::string file;
    int line = 0;
    std::string function;
    std::string text;
    bool info = false; // written through log4cpp_Info
};

class RecordingLog
{
public:
    static RecordingLog& Instance();

    void Add(LogRecord record) { m_records.push_back(std::move(record)); }
    const std::vector<LogRecord>& Records() const { return m_records; }
    void Clear() { m_records.clear(); }

private:
    std::vector<LogRecord> m_records;
};

} // namespace aptest

#endif
