// The library's log lines as tests and fuzzers check them: a recorded line
// against the entry of g_ApLogTable it should be, so that a check names the
// message and never writes its texts out again.
#ifndef AP_TESTS_LOGLINES_H
#define AP_TESTS_LOGLINES_H

#include "EscapedText.h"
#include "Host/Logging.h"
#include "Render/LogTable.h"
#include "Support/RecordingLog.h"

#include <string>
#include <vector>

namespace aptest
{

// `format` split around its conversion ("%lf", "%s": a probe line has one);
// false, with the whole format as `before`, when it has none.
inline bool SplitAtConversion(const std::string& format, std::string& before, std::string& after)
{
    const size_t start = format.find('%');
    before = format.substr(0, start);
    after.clear();
    if (start == std::string::npos)
        return false;
    size_t end = start + 1;
    while (end < format.size() && format[end] == 'l')
        ++end;
    after = end < format.size() ? format.substr(end + 1) : std::string();
    return true;
}

// The text `message` is logged with: its format, with the conversion of a
// probe line replaced by `value` (the milliseconds or the memory text as the
// test expects them).
inline std::string LoggedText(ApLogMessage message, const std::string& value = std::string())
{
    std::string before;
    std::string after;
    SplitAtConversion(g_ApLogTable[message].format, before, after);
    return before + value + after;
}

// What tells `record` apart from the line `message` writes with `value`, as
// `field: "recorded", not "expected"; ` for each field; empty when nothing
// does.
inline std::string LogLineDifference(const LogRecord& record, ApLogMessage message,
                                     const std::string& value = std::string())
{
    const ApLogEntry& entry = g_ApLogTable[message];
    std::string difference;
    const auto differs =
        [&difference](const char* field, const std::string& recorded, const std::string& expected)
    {
        if (recorded != expected)
            difference += std::string(field) + ": \"" + Escaped(recorded) + "\", not \"" +
                          Escaped(expected) + "\"; ";
    };
    differs("category", record.category, AP_LOG_CATEGORY);
    differs("level", std::to_string(record.level), std::to_string(entry.level));
    differs("file", record.file, entry.source);
    differs("line", std::to_string(record.line), std::to_string(entry.number));
    differs("function", record.function, entry.function);
    differs("text", record.text, LoggedText(message, value));
    // The probe's lines alone come through log4cpp_Info.
    differs("through log4cpp_Info", record.info ? "yes" : "no",
            entry.level == AP_LOG_INFO ? "yes" : "no");
    return difference;
}

// The message whose line `record` is (a probe line with whatever value), or
// AP_MSG_COUNT when it is none of the table's.
inline ApLogMessage LoggedMessage(const LogRecord& record)
{
    for (int m = 0; m < AP_MSG_COUNT; ++m)
    {
        const auto message = static_cast<ApLogMessage>(m);
        std::string before;
        std::string after;
        std::string value;
        if (SplitAtConversion(g_ApLogTable[m].format, before, after))
        {
            const std::string& text = record.text;
            if (text.size() < before.size() + after.size() ||
                text.compare(0, before.size(), before) != 0 ||
                text.compare(text.size() - after.size(), after.size(), after) != 0)
                continue;
            value = text.substr(before.size(), text.size() - before.size() - after.size());
        }
        if (LogLineDifference(record, message, value).empty())
            return message;
    }
    return AP_MSG_COUNT;
}

// The messages of the lines recorded so far, in order.
inline std::vector<ApLogMessage> LoggedMessages()
{
    std::vector<ApLogMessage> messages;
    for (const LogRecord& record : RecordingLog::Instance().Records())
        messages.push_back(LoggedMessage(record));
    return messages;
}

} // namespace aptest

#endif
