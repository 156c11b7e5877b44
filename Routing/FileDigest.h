// The SHA-256 digest of a file's bytes, which names the routing database of
// an extract: the same content finds the same database whatever the file is
// called or wherever it lies.
#ifndef ADVICEPATH_ROUTING_FILEDIGEST_H
#define ADVICEPATH_ROUTING_FILEDIGEST_H

#include <string>
#include <string_view>

namespace refhost::routing
{

// 64 lower-case hexadecimal digits, or "" with the reason in `error` when the
// file cannot be read to its end.
std::string Sha256OfFile(const std::string& path, std::string& error);

// The same digest of bytes in memory.
std::string Sha256OfText(std::string_view bytes);

} // namespace refhost::routing

#endif
