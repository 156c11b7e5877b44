// An OpenStreetMap extract made ready for the database builder, which tells
// formats by the file name's ending and whose XML reader refuses the
// <note> and <meta> elements that Overpass exports carry.
#ifndef ADVICEPATH_ROUTING_EXTRACTINPUT_H
#define ADVICEPATH_ROUTING_EXTRACTINPUT_H

#include <string>
#include <string_view>

namespace refhost::routing
{

enum class ExtractFormat
{
    Unknown,
    Pbf,      // OSM PBF: a BlobHeader of type "OSMHeader" first
    Xml,      // OSM XML, "<?xml" or "<osm" first
    GzipXml,  // gzip-compressed (the content is checked as XML when read)
    Bzip2Xml, // bzip2-compressed
};

// The format told from the first bytes of a file (at least 64 of them when
// the file has that many).
ExtractFormat DetectExtractFormat(std::string_view head);

// "PBF", "OSM XML", ...
const char* FormatName(ExtractFormat format);

// Puts the extract at `extractPath` into `folder` as the builder's input and
// returns its path there: PBF and bzip2 files as a symbolic link named by
// their format, OSM XML (plain or gzip) as a plain XML copy without the
// elements the builder refuses. Throws RoutingFailure, naming the extract,
// when it is missing, unreadable, not an OpenStreetMap extract, or a
// compressed stream that ends early.
std::string PrepareExtract(const std::string& extractPath, const std::string& folder);

// The head of an OSM XML document with the top-level <note>...</note> and
// <meta .../> elements taken out (only before the first <bounds, <node, <way
// or <relation; the rest is never touched). Exposed for the tests.
std::string WithoutExportNotes(std::string_view head);

} // namespace refhost::routing

#endif
