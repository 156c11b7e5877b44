#include "FileDigest.h"

#include "OpenFile.h"

#include <nettle/sha2.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace refhost::routing
{

namespace
{

std::string Hex(const sha256_ctx& finished)
{
    sha256_ctx context = finished;
    std::array<uint8_t, SHA256_DIGEST_SIZE> digest{};
    sha256_digest(&context, digest.size(), digest.data());
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * digest.size());
    for (const uint8_t byte : digest)
    {
        hex.push_back(kDigits[byte >> 4U]);
        hex.push_back(kDigits[byte & 15U]);
    }
    return hex;
}

} // namespace

std::string Sha256OfFile(const std::string& path, std::string& error)
{
    const OpenFile file = Open(path, "rb");
    if (!file)
    {
        error = std::strerror(errno);
        return {};
    }
    sha256_ctx context{};
    sha256_init(&context);
    std::array<uint8_t, 1 << 16> buffer{};
    size_t count = 0;
    errno = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0)
        sha256_update(&context, count, buffer.data());
    if (std::ferror(file.get()))
    {
        error = std::strerror(errno != 0 ? errno : EIO);
        return {};
    }
    return Hex(context);
}

std::string Sha256OfText(std::string_view bytes)
{
    sha256_ctx context{};
    sha256_init(&context);
    sha256_update(&context, bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()));
    return Hex(context);
}

} // namespace refhost::routing
