// GoogleTest's view of the library's log lines (LogLines.h): an assertion
// that a recorded line is a given message, and messages printed with their
// entries.
#ifndef AP_TESTS_LOGLINECHECKS_H
#define AP_TESTS_LOGLINECHECKS_H

#include "LogLines.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// "message 7 (AdvicePathRender::SetTurnInfo:307 "path is NULL \n")" in
// failure messages. In the global namespace, ApLogMessage's own.
inline void PrintTo(ApLogMessage message, std::ostream* out)
{
    if (message < 0 || message >= AP_MSG_COUNT)
    {
        *out << "no message of the table";
        return;
    }
    *out << "message " << static_cast<int>(message);
    const ApLogEntry& entry = g_ApLogTable[message];
    *out << " (" << entry.function << ":" << entry.number << " \"" << aptest::Escaped(entry.format)
         << "\")";
}

namespace aptest
{

// Whether `record` is the line `message` writes (LogLineDifference), a probe
// line with `value` in place of its conversion.
inline ::testing::AssertionResult LoggedAs(const LogRecord& record, ApLogMessage message,
                                           const std::string& value = std::string())
{
    const std::string difference = LogLineDifference(record, message, value);
    if (difference.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the line is not " << ::testing::PrintToString(message) << ": " << difference;
}

} // namespace aptest

#endif
