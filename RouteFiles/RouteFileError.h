// The one way the readers report a bad input: a RouteFileError thrown inside
// the readers and turned into RouteReadResult::error at the public entry
// points, which catch everything.
#ifndef ROUTEFILES_ROUTEFILEERROR_H
#define ROUTEFILES_ROUTEFILEERROR_H

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace refhost::routefiles
{

class RouteFileError : public std::runtime_error
{
public:
    // `position` is "line:column" or empty; `message` says what is wrong,
    // starting with the JSON path or element it concerns where there is one.
    RouteFileError(std::string position, const std::string& message)
        : std::runtime_error(message), m_position(std::move(position))
    {
    }
    explicit RouteFileError(const std::string& message) : std::runtime_error(message) {}

    const std::string& Position() const { return m_position; }

private:
    std::string m_position;
};

[[noreturn]] inline void Fail(const std::string& message)
{
    throw RouteFileError(message);
}

// "line:column" (both from 1) of the byte at `offset` of `text`; an offset at
// or past the end names the place just after the last byte. Columns count
// bytes.
std::string LineColumn(std::string_view text, size_t offset);

} // namespace refhost::routefiles

#endif
