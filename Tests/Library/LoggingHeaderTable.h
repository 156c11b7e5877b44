// The log table that the host's logging header documents in a comment, read
// back from the header's text: one row per message (priority, message number,
// function text, then the quoted text, or the probe's two texts joined by
// ", then"), each followed by a description in free words.
#ifndef AP_TESTS_LOGGINGHEADERTABLE_H
#define AP_TESTS_LOGGINGHEADERTABLE_H

#include <ostream>
#include <string>
#include <vector>

namespace aptest
{

// One documented line; a probe row gives two, one per text.
struct DocumentedLogLine
{
    int level = 0;
    int number = 0;
    std::string function;
    std::string text;   // escapes resolved: "\n" is a line feed
    int headerLine = 0; // 1-based line of the row in the header
};

// Reads the rows that follow the comment line "prio  line ..." in `header`,
// up to the end of that comment. The texts of a row start on the row's line
// or on the lines after it; reading stops at the first word that is neither
// a quoted text nor ", then", so a description may quote texts of its own.
// False, with `error` naming `headerName`, the line and the problem, when
// there is no such comment or a row is malformed.
bool ReadDocumentedLogTable(const std::string& header, const std::string& headerName,
                            std::vector<DocumentedLogLine>& lines, std::string& error);

// "priority 300, number 47, Class::Function \"text \\n\"": a line as
// failure messages show it, escapes written out.
std::string DescribeLogLine(int level, int number, const std::string& function,
                            const std::string& text);

bool operator==(const DocumentedLogLine& a, const DocumentedLogLine& b);
// The row's header line and DescribeLogLine.
void PrintTo(const DocumentedLogLine& line, std::ostream* out);

} // namespace aptest

#endif
