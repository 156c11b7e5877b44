#include "SizeTable.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

namespace tools
{

namespace
{

struct LevelRow
{
    int pathWidth, pathBorderWidth, edgeWidth, edgeBorderWidth;
    int toLength, fromLength, tolerance, arrowLength, arrowWidth;
};

// Widths in pixels; lengths in metres. Each level is designed for one
// resolution inside its range (the reference map view's level L spans 0.5 * 2^L
// to 2^L metres per pixel): 0.35 m/px at level 0, 2^L / sqrt(2) above. At that
// resolution the band runs about 80 px (level 0) to 30 px (level 3) on each
// side of the junction — about 30 m before and after it in a street close-up,
// 70 m and 110 m at the next levels —, the band's shaft is about 0.7 of the
// route line, and the arrow head's base (twice the arrow width) about twice
// the band's cased width, so that it reads as an arrow and not as a bump. Beyond level 3 the turn
// is hidden; lengths double per level.
const LevelRow kCloseRows[] = {
    {14, 18, 10, 14, 30, 30, 3, 12, 5},     // 0: below 1 m/px, designed for 0.35
    {12, 16, 9, 13, 70, 70, 7, 45, 20},     // 1: 1-2 m/px, for 1.41
    {11, 15, 8, 12, 110, 110, 11, 80, 37},  // 2: 2-4 m/px, for 2.83 (streets)
    {10, 14, 7, 11, 170, 170, 17, 150, 68}, // 3: 4-8 m/px, for 5.66
};
const int kLevelCount = 19; // 18: the whole world in one picture

const int kArrowFillOpacity = 100; // percent: an opaque arrow head
const int kArrowOutlineWidth = 2;  // pixels

struct FieldName
{
    const char* name;
    int AdvicePathSizeSetting::*field;
};

const FieldName kFields[] = {
    {"pathWidth", &AdvicePathSizeSetting::m_PathWidth},
    {"pathBorderWidth", &AdvicePathSizeSetting::m_PathBorderWidth},
    {"edgeWidth", &AdvicePathSizeSetting::m_EdgeWidth},
    {"edgeBorderWidth", &AdvicePathSizeSetting::m_EdgeBorderWidth},
    {"arrowFillParam", &AdvicePathSizeSetting::m_ArrowFillParam},
    {"arrowBorderParam", &AdvicePathSizeSetting::m_ArrowBorderParam},
    {"toLength", &AdvicePathSizeSetting::m_ToLength},
    {"fromLength", &AdvicePathSizeSetting::m_FromLength},
    {"lengthTolerance", &AdvicePathSizeSetting::m_LengthTolerance},
    {"arrowLength", &AdvicePathSizeSetting::m_ArrowLength},
    {"arrowWidth", &AdvicePathSizeSetting::m_ArrowWidth},
};

bool ReadRecord(const nlohmann::json& record, size_t level, const std::string& source,
                AdvicePathSizeSetting& out, std::string& error)
{
    std::string where = source + ": levels[" + std::to_string(level) + "]";
    if (!record.is_object())
    {
        error = where + ": expected an object with the eleven size fields";
        return false;
    }
    for (const FieldName& field : kFields)
    {
        auto found = record.find(field.name);
        if (found == record.end())
        {
            error = where + ": missing field \"" + field.name + "\"";
            return false;
        }
        if (!found->is_number_integer())
        {
            error = where + "." + field.name + ": expected an integer";
            return false;
        }
        int64_t value = found->get<int64_t>();
        if (found->is_number_unsigned() &&
            found->get<uint64_t>() > static_cast<uint64_t>(INT32_MAX))
            value = static_cast<int64_t>(INT32_MAX) + 1;
        if (value < INT32_MIN || value > INT32_MAX)
        {
            error = where + "." + field.name + ": " + found->dump() + " does not fit 32 bits";
            return false;
        }
        out.*(field.field) = static_cast<int>(value);
    }
    for (auto it = record.begin(); it != record.end(); ++it)
    {
        bool known = false;
        for (const FieldName& field : kFields)
            known = known || it.key() == field.name;
        if (!known)
        {
            error = where + ": unknown field \"" + it.key() + "\"";
            return false;
        }
    }
    return true;
}

std::string LineColumn(const std::string& text, size_t byteOffset)
{
    size_t line = 1;
    size_t column = 1;
    for (size_t i = 0; i < text.size() && i + 1 < byteOffset; ++i)
    {
        if (text[i] == '\n')
        {
            ++line;
            column = 1;
        }
        else
        {
            ++column;
        }
    }
    return std::to_string(line) + ":" + std::to_string(column);
}

} // namespace

SizeTable DefaultSizeTable()
{
    SizeTable table;
    LevelRow row = kCloseRows[0];
    for (int level = 0; level < kLevelCount; ++level)
    {
        if (level < 4)
        {
            row = kCloseRows[level];
        }
        else
        {
            // Farther out: lengths double with the level, widths thin out.
            row.pathWidth = level < 8 ? 9 - (level - 4) / 2 : 6 - (level - 8) / 4;
            row.pathBorderWidth = row.pathWidth + 3;
            row.edgeWidth = row.pathWidth * 7 / 10;
            row.edgeBorderWidth = row.edgeWidth + 3;
            row.toLength *= 2;
            row.fromLength *= 2;
            row.tolerance *= 2;
            row.arrowLength *= 2;
            row.arrowWidth *= 2;
        }
        AdvicePathSizeSetting s;
        s.m_PathWidth = row.pathWidth;
        s.m_PathBorderWidth = row.pathBorderWidth;
        s.m_EdgeWidth = row.edgeWidth;
        s.m_EdgeBorderWidth = row.edgeBorderWidth;
        s.m_ArrowFillParam = kArrowFillOpacity;
        s.m_ArrowBorderParam = kArrowOutlineWidth;
        s.m_ToLength = row.toLength;
        s.m_FromLength = row.fromLength;
        s.m_LengthTolerance = row.tolerance;
        s.m_ArrowLength = row.arrowLength;
        s.m_ArrowWidth = row.arrowWidth;
        table.levels.push_back(s);
    }
    table.maxTurnLevel = 3;
    return table;
}

bool ParseSizeTable(const std::string& text, const std::string& source, SizeTable& table,
                    std::string& error)
{
    nlohmann::json document;
    try
    {
        document = nlohmann::json::parse(text);
    }
    catch (const nlohmann::json::parse_error& e)
    {
        error = source + ":" + LineColumn(text, e.byte) + ": not valid JSON";
        return false;
    }
    const nlohmann::json* levels = &document;
    SizeTable result;
    if (document.is_object())
    {
        auto found = document.find("levels");
        if (found == document.end() || !found->is_array())
        {
            error = source + ": expected \"levels\": an array of size records";
            return false;
        }
        levels = &*found;
    }
    else if (!document.is_array())
    {
        error = source + ": expected an object with \"levels\" or an array of size records";
        return false;
    }
    if (levels->empty())
    {
        error = source + ": the size table has no levels";
        return false;
    }
    for (size_t i = 0; i < levels->size(); ++i)
    {
        AdvicePathSizeSetting record;
        if (!ReadRecord((*levels)[i], i, source, record, error))
            return false;
        result.levels.push_back(record);
    }
    result.maxTurnLevel = static_cast<int>(result.levels.size()) - 1;
    if (document.is_object())
    {
        auto found = document.find("maxTurnLevel");
        if (found != document.end())
        {
            if (!found->is_number_integer() || found->get<int64_t>() < -1 ||
                found->get<int64_t>() > INT32_MAX)
            {
                error = source + ": \"maxTurnLevel\" must be an integer of -1 or more";
                return false;
            }
            result.maxTurnLevel = static_cast<int>(found->get<int64_t>());
        }
    }
    table = std::move(result);
    return true;
}

std::string WriteSizeTable(const SizeTable& table)
{
    std::string text =
        "{\n  \"maxTurnLevel\": " + std::to_string(table.maxTurnLevel) + ",\n  \"levels\": [\n";
    for (size_t level = 0; level < table.levels.size(); ++level)
    {
        nlohmann::ordered_json record;
        for (const FieldName& field : kFields)
            record[field.name] = table.levels[level].*(field.field);
        text += "    " + record.dump() + (level + 1 < table.levels.size() ? ",\n" : "\n");
    }
    return text + "  ]\n}\n";
}

bool ReadSizeTable(const std::string& path, SizeTable& table, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        error = path + ": cannot open: " + std::strerror(errno);
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseSizeTable(text.str(), path, table, error);
}

} // namespace tools
