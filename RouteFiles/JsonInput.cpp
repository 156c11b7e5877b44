#include "JsonInput.h"

#include "RouteAssembly.h"
#include "RouteFileError.h"

#include <cmath>
#include <vector>

namespace refhost::routefiles
{

namespace
{

constexpr size_t kMaxDepth = 512;

// Builds the document like nlohmann's own DOM parser, but counts values and
// depth as it goes (so that a huge or deeply nested input stops early rather
// than filling memory) and keeps the byte position of a syntax error.
class LimitedBuilder : public nlohmann::json_sax<Json>
{
public:
    LimitedBuilder(Json& root, size_t maxValues) : m_root(root), m_maxValues(maxValues) {}

    bool null() override { return Add(Json(nullptr)); }
    bool boolean(bool value) override { return Add(Json(value)); }
    bool number_integer(number_integer_t value) override { return Add(Json(value)); }
    bool number_unsigned(number_unsigned_t value) override { return Add(Json(value)); }
    bool number_float(number_float_t value, const string_t& /*text*/) override
    {
        return Add(Json(value));
    }
    bool string(string_t& value) override { return Add(Json(std::move(value))); }
    // JSON text holds no binary values.
    bool binary(binary_t& /*value*/) override { return false; }
    bool start_object(std::size_t /*elements*/) override { return Open(Json::object()); }
    bool start_array(std::size_t /*elements*/) override { return Open(Json::array()); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool key(string_t& value) override
    {
        m_key = std::move(value);
        return true;
    }

    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::detail::exception& error) override
    {
        // The position counts the characters read, the faulty one included
        // (or one past the end). A number too large is read whole before it
        // fails: it is shown at its start.
        const bool overflow = error.id == 406;
        const size_t back = overflow ? lastToken.size() : 1;
        m_errorPosition = position >= back ? position - back : 0;
        m_error = Clean(error.what());
        m_syntaxError = true;
        return false;
    }

    // Set after a failed parse: a syntax error has a position, a limit none.
    std::string m_error;
    bool m_syntaxError = false;
    size_t m_errorPosition = 0;

private:
    // "[json.exception.parse_error.101] parse error at line 1, column 2:
    // syntax error ..." -> "syntax error ...": the position is given apart.
    static std::string Clean(std::string text)
    {
        const size_t bracket = text.find("] ");
        if (text.rfind("[json.exception.", 0) == 0 && bracket != std::string::npos)
            text.erase(0, bracket + 2);
        if (text.rfind("parse error", 0) == 0)
        {
            const size_t colon = text.find(": ");
            if (colon != std::string::npos)
                text.erase(0, colon + 2);
        }
        return text;
    }

    Json* Place(Json&& value)
    {
        if (m_stack.empty())
        {
            m_root = std::move(value);
            return &m_root;
        }
        Json& parent = *m_stack.back();
        if (parent.is_array())
        {
            parent.get_ref<Json::array_t&>().push_back(std::move(value));
            return &parent.get_ref<Json::array_t&>().back();
        }
        Json& slot = parent.get_ref<Json::object_t&>()[m_key];
        slot = std::move(value);
        return &slot;
    }

    bool Count()
    {
        if (++m_values <= m_maxValues)
            return true;
        m_error = "more than " + std::to_string(m_maxValues) + " JSON values";
        return false;
    }

    bool Add(Json&& value)
    {
        if (!Count())
            return false;
        Place(std::move(value));
        return true;
    }

    bool Open(Json&& container)
    {
        if (!Count())
            return false;
        if (m_stack.size() >= kMaxDepth)
        {
            m_error = "nesting deeper than " + std::to_string(kMaxDepth) + " levels";
            return false;
        }
        m_stack.push_back(Place(std::move(container)));
        return true;
    }

    bool Close()
    {
        m_stack.pop_back();
        return true;
    }

    Json& m_root;
    size_t m_maxValues;
    size_t m_values = 0;
    std::vector<Json*> m_stack;
    std::string m_key;
};

[[noreturn]] void Mismatch(const std::string& path, const char* expected, const Json& found)
{
    Fail(path + ": expected " + expected + ", found " + Describe(found));
}

[[noreturn]] void NotAPosition(const std::string& path, const Json& value)
{
    std::string found = Describe(value);
    if (value.is_array())
        found = value.size() < 2 ? "an array of " + std::to_string(value.size()) + " values"
                                 : "an array whose first two values are not both numbers";
    Fail(path + ": expected [longitude, latitude], found " + found);
}

} // namespace

Json ParseJson(std::string_view text, size_t maxValues)
{
    Json root;
    LimitedBuilder builder(root, maxValues);
    // A limit stops the parse where the SAX interface gives no position: the
    // message stands without one.
    const bool ok = Json::sax_parse(text.begin(), text.end(), &builder);
    if (ok)
        return root;
    if (builder.m_syntaxError)
        throw RouteFileError(LineColumn(text, builder.m_errorPosition),
                             "invalid JSON: " + builder.m_error);
    Fail(builder.m_error.empty() ? std::string("invalid JSON") : builder.m_error);
}

std::string Member(const std::string& path, const char* key)
{
    return path.empty() ? std::string(key) : path + "." + key;
}

std::string Element(const std::string& path, size_t index)
{
    return path + "[" + std::to_string(index) + "]";
}

std::string Describe(const Json& value)
{
    switch (value.type())
    {
    case Json::value_t::null:
        return "null";
    case Json::value_t::object:
        return "an object";
    case Json::value_t::array:
        return "an array";
    case Json::value_t::string:
        return "a string";
    case Json::value_t::boolean:
        return "a boolean";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
        return "a number";
    default:
        return "an unexpected value";
    }
}

const Json* Find(const Json& object, const char* key)
{
    if (!object.is_object())
        return nullptr;
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

const Json& Require(const Json& object, const std::string& path, const char* key)
{
    const Json* member = Find(object, key);
    if (!member)
        Fail(Member(path, key) + ": missing");
    return *member;
}

const Json& RequireArray(const Json& object, const std::string& path, const char* key)
{
    const Json& member = Require(object, path, key);
    if (!member.is_array())
        Mismatch(Member(path, key), "an array", member);
    return member;
}

std::string OptionalString(const Json& object, const std::string& path, const char* key)
{
    const Json* member = Find(object, key);
    if (!member || member->is_null())
        return {};
    if (!member->is_string())
        Mismatch(Member(path, key), "a string", *member);
    return member->get<std::string>();
}

double OptionalNumber(const Json& object, const std::string& path, const char* key, double fallback)
{
    const Json* member = Find(object, key);
    if (!member || member->is_null())
        return fallback;
    if (!member->is_number())
        Mismatch(Member(path, key), "a number", *member);
    return member->get<double>();
}

long long OptionalInteger(const Json& object, const std::string& path, const char* key,
                          long long fallback)
{
    const Json* member = Find(object, key);
    if (!member || member->is_null())
        return fallback;
    if (member->is_number_integer())
        return member->get<long long>();
    if (member->is_number_float())
    {
        const double value = member->get<double>();
        if (std::floor(value) == value && std::fabs(value) < 1e15)
            return static_cast<long long>(value);
    }
    Mismatch(Member(path, key), "an integer", *member);
}

tagLonLat ReadPosition(const Json& value, const std::string& arrayPath, size_t index)
{
    if (value.is_array() && value.size() >= 2 && value[0].is_number() && value[1].is_number())
    {
        const tagLonLat point = {value[0].get<double>(), value[1].get<double>()};
        if (IsValidPosition(point))
            return point;
        CheckPoint(point, Element(arrayPath, index));
    }
    NotAPosition(Element(arrayPath, index), value);
}

tagLonLat ReadPosition(const Json& value, const std::string& path)
{
    if (value.is_array() && value.size() >= 2 && value[0].is_number() && value[1].is_number())
    {
        const tagLonLat point = {value[0].get<double>(), value[1].get<double>()};
        CheckPoint(point, path);
        return point;
    }
    NotAPosition(path, value);
}

} // namespace refhost::routefiles
