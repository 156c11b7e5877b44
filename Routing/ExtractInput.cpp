#include "ExtractInput.h"

#include "OpenFile.h"
#include "RoutingFailure.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace refhost::routing
{

namespace
{

constexpr size_t kHeadBytes = 64;
// An XML head longer than this without a first element is not an extract.
constexpr size_t kMaxXmlHead = size_t(1) << 20;

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The text after a UTF-8 byte order mark and leading white space.
std::string_view AfterBlanks(std::string_view text)
{
    if (StartsWith(text, "\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const size_t first = text.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

bool LooksLikeOsmXml(std::string_view head)
{
    const std::string_view text = AfterBlanks(head);
    return StartsWith(text, "<?xml") || StartsWith(text, "<osm");
}

struct GzCloser
{
    void operator()(gzFile_s* file) const { static_cast<void>(gzclose(file)); }
};

std::string ReadHead(const std::string& path)
{
    const OpenFile file = Open(path, "rb");
    if (!file)
        Fail(path + ": cannot open: " + std::strerror(errno));
    std::array<char, kHeadBytes> head{};
    const size_t count = std::fread(head.data(), 1, head.size(), file.get());
    if (std::ferror(file.get()))
        Fail(path + ": cannot read: " + std::strerror(errno != 0 ? errno : EIO));
    return {head.data(), count};
}

void LinkAs(const std::string& extractPath, const std::string& linkPath)
{
    std::error_code error;
    const std::filesystem::path target = std::filesystem::absolute(extractPath, error);
    if (!error)
        std::filesystem::create_symlink(target, linkPath, error);
    if (error)
        Fail(extractPath + ": cannot link it for the database builder: " + error.message());
}

using Buffer = std::array<char, 1 << 16>;

// The next piece of the (decompressed) extract into `buffer`; 0 at its end.
// Throws on a read error or a compressed stream cut short, which reads to
// its end and then reports Z_BUF_ERROR.
size_t ReadPiece(gzFile_s* in, Buffer& buffer, const std::string& extractPath)
{
    const int count = gzread(in, buffer.data(), static_cast<unsigned>(buffer.size()));
    int code = Z_OK;
    const char* message = gzerror(in, &code);
    if (count < 0 || code != Z_OK)
        Fail(extractPath + ": cannot read: " +
             (code == Z_BUF_ERROR ? std::string("the compressed data ends early (truncated)")
                                  : std::string(message)));
    return static_cast<size_t>(count);
}

// Whether the head holds the first element of data, or is as long as a head
// gets.
bool HeadIsComplete(const std::string& head)
{
    for (const char* element : {"<bounds", "<node", "<way", "<relation"})
        if (head.find(element) != std::string::npos)
            return true;
    return head.size() >= kMaxXmlHead;
}

std::string CleanHead(const std::string& head, const std::string& extractPath)
{
    if (!LooksLikeOsmXml(head))
        Fail(extractPath + ": not an OpenStreetMap extract (its content is not OSM XML)");
    return WithoutExportNotes(head);
}

void WriteAll(std::FILE* out, std::string_view bytes, const std::string& copyPath)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
        Fail(copyPath + ": cannot write: " + std::strerror(errno));
}

// Writes the (decompressed) XML without the export notes; throws on a read
// error, a stream cut short or content that is not OSM XML.
void CopyXml(const std::string& extractPath, const std::string& copyPath)
{
    const std::unique_ptr<gzFile_s, GzCloser> in(gzopen(extractPath.c_str(), "rb"));
    if (!in)
        Fail(extractPath + ": cannot open: " + std::strerror(errno != 0 ? errno : ENOMEM));
    const OpenFile out = Open(copyPath, "wb");
    if (!out)
        Fail(copyPath + ": cannot write: " + std::strerror(errno));

    std::string head;
    bool headWritten = false;
    Buffer buffer{};
    while (const size_t count = ReadPiece(in.get(), buffer, extractPath))
    {
        const std::string_view piece(buffer.data(), count);
        if (headWritten)
        {
            WriteAll(out.get(), piece, copyPath);
            continue;
        }
        head.append(piece);
        if (HeadIsComplete(head))
        {
            WriteAll(out.get(), CleanHead(head, extractPath), copyPath);
            headWritten = true;
        }
    }
    if (!headWritten)
        WriteAll(out.get(), CleanHead(head, extractPath), copyPath);
    if (std::fflush(out.get()) != 0)
        Fail(copyPath + ": cannot write: " + std::strerror(errno));
}

// Removes the element that starts at `start` (its end: `endMark` found after
// it), keeping its line breaks so that line numbers stay those of the file.
bool RemoveElement(std::string& text, size_t start, std::string_view endMark)
{
    const size_t end = text.find(endMark, start);
    if (end == std::string::npos)
        return false;
    const size_t stop = end + endMark.size();
    std::string kept;
    for (size_t i = start; i < stop; ++i)
        if (text[i] == '\n')
            kept.push_back('\n');
    text.replace(start, stop - start, kept);
    return true;
}

} // namespace

ExtractFormat DetectExtractFormat(std::string_view head)
{
    if (head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0x1F &&
        static_cast<unsigned char>(head[1]) == 0x8B)
        return ExtractFormat::GzipXml;
    if (StartsWith(head, "BZh"))
        return ExtractFormat::Bzip2Xml;
    // A PBF file opens with the size of its first BlobHeader (4 bytes, big
    // endian) and that header's type field: tag 0x0A, length 9, "OSMHeader".
    if (head.size() >= 15 && head[4] == '\x0A' && head[5] == '\x09' &&
        head.substr(6, 9) == "OSMHeader")
        return ExtractFormat::Pbf;
    if (LooksLikeOsmXml(head))
        return ExtractFormat::Xml;
    return ExtractFormat::Unknown;
}

const char* FormatName(ExtractFormat format)
{
    switch (format)
    {
    case ExtractFormat::Pbf:
        return "OSM PBF";
    case ExtractFormat::Xml:
        return "OSM XML";
    case ExtractFormat::GzipXml:
        return "gzip-compressed OSM XML";
    case ExtractFormat::Bzip2Xml:
        return "bzip2-compressed OSM XML";
    default:
        return "unknown";
    }
}

std::string WithoutExportNotes(std::string_view head)
{
    std::string text(head);
    size_t firstData = std::string::npos;
    for (const char* element : {"<bounds", "<node", "<way", "<relation"})
        firstData = std::min(firstData, text.find(element));
    for (size_t at = 0; (at = text.find('<', at)) != std::string::npos && at < firstData;)
    {
        const std::string_view rest = std::string_view(text).substr(at);
        const bool note = StartsWith(rest, "<note>") || StartsWith(rest, "<note ");
        const bool meta = StartsWith(rest, "<meta ") || StartsWith(rest, "<meta/");
        const size_t before = text.size();
        if ((note && RemoveElement(text, at, "</note>")) || (meta && RemoveElement(text, at, ">")))
        {
            if (firstData != std::string::npos)
                firstData -= before - text.size();
            continue;
        }
        ++at;
    }
    return text;
}

std::string PrepareExtract(const std::string& extractPath, const std::string& folder)
{
    const ExtractFormat format = DetectExtractFormat(ReadHead(extractPath));
    switch (format)
    {
    case ExtractFormat::Pbf:
    {
        std::string link = folder + "/extract.osm.pbf";
        LinkAs(extractPath, link);
        return link;
    }
    case ExtractFormat::Bzip2Xml:
    {
        std::string link = folder + "/extract.osm.bz2";
        LinkAs(extractPath, link);
        return link;
    }
    case ExtractFormat::Xml:
    case ExtractFormat::GzipXml:
    {
        std::string copy = folder + "/extract.osm";
        CopyXml(extractPath, copy);
        return copy;
    }
    default:
        Fail(extractPath + ": not an OpenStreetMap extract (expected OSM PBF, or OSM XML, plain "
                           "or compressed with gzip or bzip2)");
    }
}

} // namespace refhost::routing
