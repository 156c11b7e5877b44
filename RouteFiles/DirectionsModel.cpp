#include "DirectionsModel.h"

#include "Polyline.h"
#include "RouteAssembly.h"
#include "RouteFileError.h"

#include <algorithm>
#include <cmath>

namespace refhost::routefiles
{

namespace
{

const Json& RequireObject(const Json& value, const std::string& path)
{
    if (!value.is_object())
        Fail(path + ": expected an object, found " + Describe(value));
    return value;
}

class RawReader
{
public:
    explicit RawReader(size_t maxPoints) : m_maxPoints(maxPoints) {}

    RawGeometry Geometry(const Json& value, const std::string& path)
    {
        RawGeometry geometry;
        geometry.path = path;
        if (value.is_string())
        {
            geometry.encoded = true;
            geometry.text = value.get<std::string>();
            return geometry;
        }
        const Json* type = Find(value, "type");
        const Json* coordinates = Find(value, "coordinates");
        if (!type || !type->is_string() || type->get<std::string>() != "LineString" ||
            !coordinates || !coordinates->is_array())
            Fail(path + ": expected a string or a LineString, found " + Describe(value));
        const std::string coordinatesPath = Member(path, "coordinates");
        m_points += coordinates->size();
        CheckPointLimit(m_points, m_maxPoints);
        geometry.points.reserve(coordinates->size());
        for (size_t i = 0; i < coordinates->size(); ++i)
            geometry.points.push_back(ReadPosition((*coordinates)[i], coordinatesPath, i));
        return geometry;
    }

    static RawIntersection Intersection(const Json& value, const std::string& path)
    {
        RequireObject(value, path);
        RawIntersection intersection;
        if (const Json* location = Find(value, "location"))
            intersection.location = ReadPosition(*location, Member(path, "location"));
        intersection.in = OptionalInteger(value, path, "in", -1);
        intersection.out = OptionalInteger(value, path, "out", -1);
        if (const Json* bearings = Find(value, "bearings"))
            intersection.bearings = Bearings(*bearings, Member(path, "bearings"));
        if (const Json* entry = Find(value, "entry"))
        {
            intersection.entry = EntryFlags(*entry, Member(path, "entry"));
            for (size_t i = 0; i < intersection.entry.size(); ++i)
                if (intersection.entry[i] && static_cast<long long>(i) != intersection.in)
                    ++intersection.allowedWays;
        }
        return intersection;
    }

    RawStep Step(const Json& value, const std::string& path)
    {
        RequireObject(value, path);
        RawStep step;
        step.path = path;
        const std::string maneuverPath = Member(path, "maneuver");
        const Json& maneuver = RequireObject(Require(value, path, "maneuver"), maneuverPath);
        const Json& type = Require(maneuver, maneuverPath, "type");
        if (!type.is_string())
            Fail(Member(maneuverPath, "type") + ": expected a string, found " + Describe(type));
        step.type = type.get<std::string>();
        step.modifier = OptionalString(maneuver, maneuverPath, "modifier");
        step.exit = OptionalInteger(maneuver, maneuverPath, "exit", 0);
        if (step.exit < 0 || step.exit > 1000)
            Fail(Member(maneuverPath, "exit") + ": " + std::to_string(step.exit) +
                 " is no exit number");
        if (const Json* location = Find(maneuver, "location"))
            step.location = ReadPosition(*location, Member(maneuverPath, "location"));
        step.bearingBefore = Bearing(maneuver, maneuverPath, "bearing_before");
        step.bearingAfter = Bearing(maneuver, maneuverPath, "bearing_after");
        step.name = OptionalString(value, path, "name");
        step.ref = OptionalString(value, path, "ref");
        step.rotaryName = OptionalString(value, path, "rotary_name");
        step.exits = OptionalString(value, path, "exits");
        step.destinations = OptionalString(value, path, "destinations");
        step.instruction = OptionalString(maneuver, maneuverPath, "instruction");
        ReadLastBanner(value, path, step);
        step.duration = NonNegative(value, path, "duration");
        step.geometry = Geometry(Require(value, path, "geometry"), Member(path, "geometry"));
        if (const Json* intersections = Find(value, "intersections"))
        {
            const std::string listPath = Member(path, "intersections");
            if (!intersections->is_array())
                Fail(listPath + ": expected an array, found " + Describe(*intersections));
            for (size_t i = 0; i < intersections->size(); ++i)
                step.intersections.push_back(
                    Intersection((*intersections)[i], Element(listPath, i)));
        }
        return step;
    }

    static RawAnnotation Annotation(const Json& leg, const std::string& legPath)
    {
        RawAnnotation annotation;
        const Json* value = Find(leg, "annotation");
        if (!value || value->is_null())
            return annotation;
        const std::string path = Member(legPath, "annotation");
        RequireObject(*value, path);
        annotation.duration = Numbers(*value, path, "duration");
        annotation.speed = Numbers(*value, path, "speed");
        annotation.distance = Numbers(*value, path, "distance");
        return annotation;
    }

private:
    static std::vector<double> Bearings(const Json& bearings, const std::string& path)
    {
        if (!bearings.is_array())
            Fail(path + ": expected an array, found " + Describe(bearings));
        std::vector<double> read;
        for (size_t i = 0; i < bearings.size(); ++i)
        {
            const Json& bearing = bearings[i];
            if (!bearing.is_number() || !(bearing.get<double>() >= 0.0) ||
                bearing.get<double>() > 360.0)
                Fail(Element(path, i) + ": expected a bearing (0..360), found " +
                     (bearing.is_number() ? std::to_string(bearing.get<double>())
                                          : Describe(bearing)));
            read.push_back(bearing.get<double>());
        }
        return read;
    }

    // An intersection's entry list: whether a car may enter each of its roads.
    static std::vector<bool> EntryFlags(const Json& entry, const std::string& path)
    {
        if (!entry.is_array())
            Fail(path + ": expected an array, found " + Describe(entry));
        std::vector<bool> flags;
        for (size_t i = 0; i < entry.size(); ++i)
        {
            const Json& allowed = entry[i];
            if (!allowed.is_boolean())
                Fail(Element(path, i) + ": expected a boolean, found " + Describe(allowed));
            flags.push_back(allowed.get<bool>());
        }
        return flags;
    }

    static void ReadLastBanner(const Json& step, const std::string& path, RawStep& into)
    {
        const Json* banners = Find(step, "bannerInstructions");
        if (!banners || banners->is_null())
            return;
        const std::string listPath = Member(path, "bannerInstructions");
        if (!banners->is_array())
            Fail(listPath + ": expected an array, found " + Describe(*banners));
        if (banners->empty())
            return;
        const std::string lastPath = Element(listPath, banners->size() - 1);
        const Json& last = RequireObject(banners->back(), lastPath);
        auto text = [&](const char* line)
        {
            const Json* part = Find(last, line);
            if (!part || part->is_null())
                return std::string();
            const std::string partPath = Member(lastPath, line);
            return OptionalString(RequireObject(*part, partPath), partPath, "text");
        };
        into.bannerPrimary = text("primary");
        into.bannerSecondary = text("secondary");
    }

    static double NonNegative(const Json& object, const std::string& path, const char* key)
    {
        const double number = OptionalNumber(object, path, key, std::nan(""));
        if (number < 0.0)
            Fail(Member(path, key) + ": negative");
        return number;
    }

    // An optional list of non-negative numbers.
    static std::vector<double> Numbers(const Json& object, const std::string& path, const char* key)
    {
        std::vector<double> numbers;
        const Json* list = Find(object, key);
        if (!list || list->is_null())
            return numbers;
        const std::string listPath = Member(path, key);
        if (!list->is_array())
            Fail(listPath + ": expected an array, found " + Describe(*list));
        numbers.reserve(list->size());
        for (size_t i = 0; i < list->size(); ++i)
        {
            const Json& number = (*list)[i];
            if (!number.is_number())
                Fail(Element(listPath, i) + ": expected a number, found " + Describe(number));
            if (!(number.get<double>() >= 0.0))
                Fail(Element(listPath, i) + ": negative");
            numbers.push_back(number.get<double>());
        }
        return numbers;
    }

    static double Bearing(const Json& maneuver, const std::string& path, const char* key)
    {
        const double bearing = OptionalNumber(maneuver, path, key, std::nan(""));
        if (std::isfinite(bearing) && (bearing < 0.0 || bearing > 360.0))
            Fail(Member(path, key) + ": " + std::to_string(bearing) + " is no bearing (0..360)");
        return bearing;
    }

    size_t m_maxPoints;
    size_t m_points = 0;
};

double DecodedLength(const RawRoute& route, int precision)
{
    double length = 0.0;
    std::vector<tagLonLat> points;
    std::string error;
    for (const std::vector<RawStep>& leg : route.legs)
    {
        for (const RawStep& step : leg)
        {
            if (!step.geometry.encoded)
                continue;
            if (!DecodePolyline(step.geometry.text, precision, points, error))
                return std::nan("");
            length += PolylineMetres(points);
        }
    }
    return length;
}

bool AllDecode(const RawRoute& route, int precision)
{
    std::vector<tagLonLat> points;
    std::string error;
    for (const std::vector<RawStep>& leg : route.legs)
        for (const RawStep& step : leg)
            if (step.geometry.encoded &&
                !DecodePolyline(step.geometry.text, precision, points, error))
                return false;
    return !route.hasOverview || !route.overview.encoded ||
           DecodePolyline(route.overview.text, precision, points, error);
}

// Metres from the first decoded point to `anchor`; infinity when the text does
// not decode at `precision` or is empty.
double AnchorDistance(const std::string& text, int precision, const tagLonLat& anchor)
{
    std::vector<tagLonLat> points;
    std::string error;
    if (!DecodePolyline(text, precision, points, error) || points.empty())
        return HUGE_VAL;
    return ApproxMetres(points.front(), anchor);
}

// The precision that puts a step's first point on its maneuver.location,
// which is written in plain degrees; 0 when no step tells. `anyEncoded`
// becomes true when some step's geometry is encoded.
int PrecisionFromAnchors(const RawRoute& route, bool& anyEncoded)
{
    for (const std::vector<RawStep>& leg : route.legs)
    {
        for (const RawStep& step : leg)
        {
            if (!step.geometry.encoded)
                continue;
            anyEncoded = true;
            if (!IsValidPosition(step.location) || step.geometry.text.empty())
                continue;
            const double off5 = AnchorDistance(step.geometry.text, 5, step.location);
            const double off6 = AnchorDistance(step.geometry.text, 6, step.location);
            if (std::min(off5, off6) < 1000.0)
                return off5 <= off6 ? 5 : 6;
        }
    }
    return 0;
}

// The precision whose decoded length is nearer the route's distance (the
// wrong one scales the lengths by ten either way); 0 when that cannot tell.
int PrecisionFromLength(const RawRoute& route)
{
    if (!(std::isfinite(route.distance) && route.distance > 0.0 && route.stepCount > 0))
        return 0;
    const double length5 = DecodedLength(route, 5);
    const double length6 = DecodedLength(route, 6);
    const bool ok5 = std::isfinite(length5) && length5 > 0.0;
    const bool ok6 = std::isfinite(length6) && length6 > 0.0;
    if (ok5 && ok6)
        return std::fabs(std::log(length5 / route.distance)) <=
                       std::fabs(std::log(length6 / route.distance))
                   ? 5
                   : 6;
    if (ok5 != ok6)
        return ok5 ? 5 : 6;
    return 0;
}

} // namespace

RawRoute ReadRawRoute(const Json& root, size_t maxPoints)
{
    if (!root.is_object())
        Fail("expected a JSON object at the top level, found " + Describe(root));
    const Json* routes = Find(root, "routes");
    if (!routes || (routes->is_array() && routes->empty()))
    {
        std::string why = routes ? std::string("routes: empty, the response holds no route")
                                 : std::string("routes: missing, the response holds no route");
        const Json* code = Find(root, "code");
        if (code && code->is_string())
            why += " (code \"" + code->get<std::string>() + "\")";
        Fail(why);
    }
    if (!routes->is_array())
        Fail("routes: expected an array, found " + Describe(*routes));

    RawReader reader(maxPoints);
    RawRoute raw;
    const std::string routePath = "routes[0]";
    const Json& route = RequireObject((*routes)[0], routePath);
    raw.distance = OptionalNumber(route, routePath, "distance", std::nan(""));
    if (std::isfinite(raw.distance) && raw.distance < 0.0)
        Fail(Member(routePath, "distance") + ": negative");
    if (const Json* overview = Find(route, "geometry"))
    {
        if (!overview->is_null())
        {
            raw.hasOverview = true;
            raw.overview = reader.Geometry(*overview, Member(routePath, "geometry"));
        }
    }
    const std::string legsPath = Member(routePath, "legs");
    const Json& legs = RequireArray(route, routePath, "legs");
    for (size_t li = 0; li < legs.size(); ++li)
    {
        const std::string legPath = Element(legsPath, li);
        const Json& leg = RequireObject(legs[li], legPath);
        raw.legs.emplace_back();
        raw.annotations.push_back(RawReader::Annotation(leg, legPath));
        const Json* steps = Find(leg, "steps");
        if (!steps || steps->is_null())
            continue;
        const std::string stepsPath = Member(legPath, "steps");
        if (!steps->is_array())
            Fail(stepsPath + ": expected an array, found " + Describe(*steps));
        for (size_t si = 0; si < steps->size(); ++si)
            raw.legs.back().push_back(reader.Step((*steps)[si], Element(stepsPath, si)));
        raw.stepCount += steps->size();
    }
    return raw;
}

int ChoosePolylinePrecision(const RawRoute& route, int requested)
{
    if (requested == 5 || requested == 6)
        return requested;
    if (requested != 0)
        Fail("polyline precision " + std::to_string(requested) + " asked for; it must be 5 or 6");

    bool anyEncoded = route.hasOverview && route.overview.encoded;
    if (const int anchored = PrecisionFromAnchors(route, anyEncoded); anchored != 0)
        return anchored;
    if (!anyEncoded)
        return 0;
    if (const int byLength = PrecisionFromLength(route); byLength != 0)
        return byLength;
    // Polyline6 read as polyline5 lands far outside the globe; the reverse
    // still looks valid, so 5 is the choice unless only 6 decodes.
    return !AllDecode(route, 5) && AllDecode(route, 6) ? 6 : 5;
}

void DecodeGeometries(RawRoute& route, int precision, size_t maxPoints)
{
    size_t points = 0;
    auto decode = [&](RawGeometry& geometry)
    {
        if (geometry.encoded)
        {
            // Each point ends in two values, each value in one character
            // below '_': the count is known before the memory is taken.
            size_t valueEnds = 0;
            for (const char c : geometry.text)
                valueEnds += static_cast<unsigned char>(c) < 63 + 0x20 ? 1 : 0;
            CheckPointLimit(points + valueEnds / 2, maxPoints);
            std::string error;
            if (!DecodePolyline(geometry.text, precision, geometry.points, error))
                Fail(geometry.path + ": " + error + " (as a polyline of precision " +
                     std::to_string(precision) + ")");
            std::string().swap(geometry.text);
        }
        points += geometry.points.size();
        CheckPointLimit(points, maxPoints);
    };
    for (std::vector<RawStep>& leg : route.legs)
        for (RawStep& step : leg)
            decode(step.geometry);
    // The overview may be simplified: it stands in only for missing steps.
    if (route.hasOverview && route.stepCount == 0)
        decode(route.overview);
}

} // namespace refhost::routefiles
