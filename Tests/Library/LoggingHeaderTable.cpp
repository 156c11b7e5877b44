#include "LoggingHeaderTable.h"
#include "EscapedText.h"

#include <algorithm>
#include <cctype>

namespace aptest
{
namespace
{

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

size_t SkipBlanks(const std::string& s, size_t pos)
{
    while (pos < s.size() && IsBlank(s[pos]))
        ++pos;
    return pos;
}

size_t SkipSpace(const std::string& s, size_t pos)
{
    while (pos < s.size() && IsSpace(s[pos]))
        ++pos;
    return pos;
}

// A decimal number of at most nine digits at `pos`, followed by a blank.
bool ReadColumnNumber(const std::string& s, size_t& pos, int& value)
{
    const size_t start = pos;
    value = 0;
    while (pos < s.size() && pos - start < 9 && std::isdigit(static_cast<unsigned char>(s[pos])))
        value = value * 10 + (s[pos++] - '0');
    return pos > start && pos < s.size() && IsBlank(s[pos]);
}

// The head of a row, "prio  line  function", at the start of a comment line's
// content; `rest` is where the function text ends.
bool ReadRowHead(const std::string& content, DocumentedLogLine& row, size_t& rest)
{
    size_t pos = SkipBlanks(content, 0);
    if (!ReadColumnNumber(content, pos, row.level))
        return false;
    pos = SkipBlanks(content, pos);
    if (!ReadColumnNumber(content, pos, row.number))
        return false;
    pos = SkipBlanks(content, pos);
    size_t end = pos;
    while (end < content.size() && !IsBlank(content[end]))
        ++end;
    if (end == pos || content[pos] == '"')
        return false;
    row.function = content.substr(pos, end - pos);
    rest = end;
    return true;
}

// The heading of the documented table: "prio" and "line" as its first words.
bool IsTableHeading(const std::string& content)
{
    const size_t prio = SkipBlanks(content, 0);
    if (content.compare(prio, 4, "prio") != 0)
        return false;
    const size_t line = SkipBlanks(content, prio + 4);
    return line > prio + 4 && content.compare(line, 4, "line") == 0;
}

// The quoted text that opens at `pos`, escapes resolved; `pos` ends after the
// closing quote. A text ends on its own line.
bool ReadQuoted(const std::string& s, size_t& pos, std::string& text, std::string& problem)
{
    text.clear();
    for (++pos; pos < s.size() && s[pos] != '\n'; ++pos)
    {
        const char c = s[pos];
        if (c == '"')
        {
            ++pos;
            return true;
        }
        if (c != '\\')
        {
            text += c;
            continue;
        }
        if (++pos >= s.size() || s[pos] == '\n')
            break;
        const char escaped = s[pos];
        switch (escaped)
        {
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case '\\':
        case '"':
            text += escaped;
            break;
        default:
            problem = std::string("unknown escape \\") + escaped;
            return false;
        }
    }
    problem = "a text is not closed on its line";
    return false;
}

// ", then" after a text, and the space after it; `pos` moves past it when it
// is there.
bool ReadThen(const std::string& s, size_t& pos)
{
    size_t p = SkipSpace(s, pos);
    if (p >= s.size() || s[p] != ',')
        return false;
    p = SkipSpace(s, p + 1);
    if (s.compare(p, 4, "then") != 0 || (p + 4 < s.size() && !IsSpace(s[p + 4])))
        return false;
    pos = SkipSpace(s, p + 4);
    return true;
}

// The texts of `row` from `rest` (the row's line after the function text and
// the lines up to the next row, joined by line feeds). On failure `pos` is
// where the problem lies.
bool ReadRowTexts(const std::string& rest, const DocumentedLogLine& row,
                  std::vector<DocumentedLogLine>& lines, size_t& pos, std::string& problem)
{
    pos = SkipSpace(rest, 0);
    if (pos >= rest.size() || rest[pos] != '"')
    {
        problem = "no quoted text after " + row.function;
        return false;
    }
    for (;;)
    {
        DocumentedLogLine line = row;
        if (!ReadQuoted(rest, pos, line.text, problem))
            return false;
        lines.push_back(line);
        if (!ReadThen(rest, pos))
            return true;
        if (pos >= rest.size() || rest[pos] != '"')
        {
            problem = "no quoted text after \", then\"";
            return false;
        }
    }
}

struct CommentLine
{
    int number; // 1-based line of the header
    std::string content;
};

// The comment lines that follow the table's heading, up to the end of the
// comment; false when there is no heading.
bool TableComment(const std::string& header, std::vector<CommentLine>& comment)
{
    bool inTable = false;
    size_t start = 0;
    for (int number = 1; start < header.size(); ++number)
    {
        size_t end = header.find('\n', start);
        if (end == std::string::npos)
            end = header.size();
        std::string line = header.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const bool isComment = line.compare(0, 2, "//") == 0;
        if (inTable && !isComment)
            break;
        if (inTable)
            comment.push_back(CommentLine{number, line.substr(2)});
        else if (isComment && IsTableHeading(line.substr(2)))
            inTable = true;
    }
    return inTable;
}

} // namespace

bool ReadDocumentedLogTable(const std::string& header, const std::string& headerName,
                            std::vector<DocumentedLogLine>& lines, std::string& error)
{
    lines.clear();
    std::vector<CommentLine> comment;
    if (!TableComment(header, comment))
    {
        error = headerName + ": no documented log table (a comment line \"prio  line ...\")";
        return false;
    }
    for (size_t i = 0; i < comment.size(); ++i)
    {
        DocumentedLogLine row;
        size_t restStart = 0;
        if (!ReadRowHead(comment[i].content, row, restStart))
            continue; // a section heading, or the description of the row before
        row.headerLine = comment[i].number;
        std::string rest = comment[i].content.substr(restStart);
        DocumentedLogLine next;
        size_t unused = 0;
        for (size_t k = i + 1; k < comment.size() && !ReadRowHead(comment[k].content, next, unused);
             ++k)
            rest += '\n' + comment[k].content;

        size_t pos = 0;
        std::string problem;
        if (!ReadRowTexts(rest, row, lines, pos, problem))
        {
            const auto feeds =
                std::count(rest.begin(), rest.begin() + static_cast<long>(pos), '\n');
            error = headerName;
            error += ":" + std::to_string(row.headerLine + static_cast<int>(feeds)) + ": ";
            error += problem;
            return false;
        }
    }
    if (lines.empty())
    {
        error = headerName + ": the documented log table has no rows";
        return false;
    }
    return true;
}

std::string DescribeLogLine(int level, int number, const std::string& function,
                            const std::string& text)
{
    return "priority " + std::to_string(level) + ", number " + std::to_string(number) + ", " +
           function + " \"" + Escaped(text) + "\"";
}

bool operator==(const DocumentedLogLine& a, const DocumentedLogLine& b)
{
    return a.level == b.level && a.number == b.number && a.function == b.function &&
           a.text == b.text && a.headerLine == b.headerLine;
}

void PrintTo(const DocumentedLogLine& line, std::ostream* out)
{
    *out << "line " << line.headerLine << ": "
         << DescribeLogLine(line.level, line.number, line.function, line.text);
}

} // namespace aptest
