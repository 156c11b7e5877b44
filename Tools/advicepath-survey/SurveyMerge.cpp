// Reports read back from their JSON and the shards of one run added up.
#include "JunctionClass.h"
#include "SurveyReport.h"

#include <algorithm>
#include <tuple>

namespace survey
{

namespace
{

template <typename T> bool Take(const nlohmann::json& json, const char* key, T& value)
{
    const auto found = json.find(key);
    if (found == json.end())
        return false;
    value = found->get<T>();
    return true;
}

tagLonLat PointOf(const std::string& text)
{
    tagLonLat point{};
    const std::size_t comma = text.find(',');
    point.lat = std::stod(text.substr(0, comma));
    point.lon = std::stod(text.substr(comma + 1));
    return point;
}

} // namespace

bool SurveyReport::FromJson(const nlohmann::json& json, std::string& error)
{
    if (!json.is_object() || !json.contains("checked") || !json.contains("classes") ||
        !json.contains("failures"))
    {
        error = "not a survey report (no checked, classes and failures)";
        return false;
    }
    // A report's parts as Json() writes them; a wrong type throws, and
    // the caller says which file.
    Take(json, "inputs", m_inputs);
    Take(json, "routes", m_routes);
    Take(json, "unroutable", m_unroutable);
    Take(json, "unannounced", m_unannounced);
    if (json.contains("arrowOverBend"))
        Take(json["arrowOverBend"], "largestDegrees", m_largestBend);
    Take(json, "metres", m_metres);
    Take(json, "guidedManeuvers", m_guided);
    if (json.contains("closestManeuvers"))
    {
        Take(json["closestManeuvers"], "metres", m_closestGap);
        Take(json["closestManeuvers"], "at", m_closestAt);
    }
    Take(json, "undriven", m_undriven);
    Take(json, "checked", m_checked);
    Take(json, "failed", m_failed);
    m_allJunctions = json.contains("junctions");
    Take(json, "junctions", m_totals.junctions);
    Take(json, "deadEnds", m_totals.deadEnds);
    Take(json, "turns", m_totals.turns);
    if (json.contains("run"))
        m_run = json["run"].dump();
    Take(json, "shards", m_shards);
    if (json.contains("timing"))
    {
        Take(json["timing"], "cpuSeconds", m_cpuSeconds);
        Take(json["timing"], "wallSeconds", m_wallSeconds);
    }
    for (const nlohmann::json& entry : json["classes"])
    {
        Row& row = m_rows[entry.at("class").get<std::string>()];
        Take(entry, "checked", row.checked);
        Take(entry, "failed", row.failed);
        for (int check = 0; check < kCheckCount; ++check)
            Take(entry, CheckName(check), row.byCheck[check]);
    }
    for (const nlohmann::json& entry : json["failures"])
    {
        FailureRecord failure;
        Take(entry, "input", failure.input);
        Take(entry, "aim", failure.aim);
        std::vector<std::string> points;
        Take(entry, "points", points);
        for (const std::string& point : points)
            failure.points.push_back(PointOf(point));
        Take(entry, "maneuver", failure.number);
        Take(entry, "instruction", failure.instruction);
        Take(entry, "class", failure.kind);
        Take(entry, "places", failure.places);
        Take(entry, "check", failure.check);
        Take(entry, "problem", failure.problem);
        if (entry.contains("findings"))
            for (const auto& [check, problem] : entry["findings"].items())
                failure.findings.emplace_back(check, problem.get<std::string>());
        Take(entry, "seconds", failure.seconds);
        Take(entry, "reproduce", failure.reproduce);
        Take(entry, "picture", failure.picture);
        Take(entry, "junction", failure.junction);
        Take(entry, "turn", failure.turn);
        m_failures.push_back(failure);
    }
    return true;
}

bool SurveyReport::Merge(const SurveyReport& other, std::string& error)
{
    if (other.m_allJunctions != m_allJunctions || other.m_run != m_run ||
        other.m_inputs != m_inputs)
    {
        error = "a report of other extracts or options";
        return false;
    }
    for (const std::string& shard : other.m_shards)
        if (std::find(m_shards.begin(), m_shards.end(), shard) != m_shards.end())
        {
            error = "shard " + shard + " is given twice";
            return false;
        }
    m_shards.insert(m_shards.end(), other.m_shards.begin(), other.m_shards.end());
    for (const auto& [name, row] : other.m_rows)
    {
        Row& mine = m_rows[name];
        mine.checked += row.checked;
        mine.failed += row.failed;
        for (int check = 0; check < kCheckCount; ++check)
            mine.byCheck[check] += row.byCheck[check];
    }
    m_failures.insert(m_failures.end(), other.m_failures.begin(), other.m_failures.end());
    // The whole run's order: by input, then junction and turn.
    std::stable_sort(m_failures.begin(), m_failures.end(),
                     [this](const FailureRecord& a, const FailureRecord& b)
                     {
                         const auto input = [this](const std::string& name)
                         { return std::find(m_inputs.begin(), m_inputs.end(), name); };
                         return std::make_tuple(input(a.input), a.junction, a.turn) <
                                std::make_tuple(input(b.input), b.junction, b.turn);
                     });
    m_routes += other.m_routes;
    m_unroutable += other.m_unroutable;
    m_unannounced += other.m_unannounced;
    m_metres = AddLengths(m_metres, other.m_metres);
    m_guided += other.m_guided;
    if (other.m_largestBend > m_largestBend)
        m_largestBend = other.m_largestBend;
    if (other.m_closestGap >= 0.0 && (m_closestGap < 0.0 || other.m_closestGap < m_closestGap))
    {
        m_closestGap = other.m_closestGap;
        m_closestAt = other.m_closestAt;
    }
    m_undriven += other.m_undriven;
    m_checked += other.m_checked;
    m_failed += other.m_failed;
    m_totals.junctions += other.m_totals.junctions;
    m_totals.deadEnds += other.m_totals.deadEnds;
    m_totals.turns += other.m_totals.turns;
    m_cpuSeconds += other.m_cpuSeconds;
    m_wallSeconds += other.m_wallSeconds;
    return true;
}

} // namespace survey
