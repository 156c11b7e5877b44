#include "SurveyReport.h"

#include "JunctionClass.h"
#include "RoutePlanner.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace survey
{

namespace
{

// The row of manoeuvres whose road bends under the arrow: never a failure by
// itself, counted to show how often the arrow's chord leaves the road.
const char* const kArrowOverBend = "arrow over a bend";

const std::vector<std::string>& BendNames()
{
    static const std::vector<std::string> names = {kArrowOverBend};
    return names;
}

std::string Joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

std::string Line(const std::string& name, std::size_t checked, std::size_t failed,
                 const std::size_t* byCheck)
{
    char text[160];
    static_cast<void>(std::snprintf(text, sizeof text, "%-28s %8zu %7zu %6zu %6zu %6zu %6zu %6zu\n",
                                    name.c_str(), checked, failed, byCheck[0], byCheck[1],
                                    byCheck[2], byCheck[3], byCheck[4]));
    return text;
}

} // namespace

std::string ReproduceCommand(const SurveyedRoute& route, std::size_t number,
                             const std::string& check)
{
    const bool drive = check == CheckName(kDriveCheck);
    if (route.junction >= 0)
        return "advicepath-survey --all-junctions " + route.input + " --junction " +
               std::to_string(route.junction + 1) + " -o out/survey/repro";
    std::string command = drive ? "advicepath-replay " : "advicepath-render ";
    if (route.computed)
    {
        command += "--map " + route.input + " --between";
        for (const tagLonLat& point : route.points)
            command += " " + LatLonText(point);
    }
    else
    {
        command += route.input;
    }
    const std::string k = std::to_string(number);
    command += drive ? " --from " + k + " --to " + k : " --maneuver " + k;
    return command + " -o out/survey/repro";
}

void SurveyReport::Count(const std::string& name, const ManeuverReport& report)
{
    Row& row = m_rows[name];
    ++row.checked;
    if (!report.Failed())
        return;
    ++row.failed;
    for (int check = 0; check < kCheckCount; ++check)
        if (!report.findings[static_cast<std::size_t>(check)].Passed())
            ++row.byCheck[check];
}

double AddLengths(double metres, double more)
{
    return static_cast<double>(std::llround(metres * 1000.0) + std::llround(more * 1000.0)) /
           1000.0;
}

std::vector<FailureRecord> SurveyReport::Add(const SurveyedRoute& route)
{
    ++m_routes;
    NoteInput(route.input);
    m_metres = AddLengths(m_metres, route.metres);
    m_guided += route.guided;
    if (route.closestGap >= 0.0 && (m_closestGap < 0.0 || route.closestGap < m_closestGap))
    {
        m_closestGap = route.closestGap;
        m_closestAt = route.input + ", manoeuvre " + std::to_string(route.closestNumber);
    }
    std::vector<FailureRecord> added;
    for (const ManeuverReport& report : route.maneuvers)
    {
        if (!report.announced)
        {
            ++m_unannounced;
            continue;
        }
        ++m_checked;
        m_undriven += route.driven ? 0 : 1;
        Count(report.kind, report);
        if (report.bendDegrees >= 0.0)
        {
            Count(kArrowOverBend, report);
            m_largestBend = std::max(m_largestBend, report.bendDegrees);
        }
        for (const std::string& place : report.places)
            Count(place, report);
        if (!report.Failed())
            continue;
        ++m_failed;
        FailureRecord failure;
        failure.input = route.input;
        failure.aim = route.aim;
        failure.points = route.points;
        failure.number = report.maneuver + 1;
        failure.instruction = report.instruction;
        failure.kind = report.kind;
        failure.places = report.places;
        failure.check = CheckName(report.failedCheck);
        failure.problem = report.findings[static_cast<std::size_t>(report.failedCheck)].problem;
        for (int check = 0; check < kCheckCount; ++check)
            if (!report.findings[static_cast<std::size_t>(check)].Passed())
                failure.findings.emplace_back(
                    CheckName(check), report.findings[static_cast<std::size_t>(check)].problem);
        if (report.failure)
            failure.seconds = report.failure->seconds;
        failure.reproduce = ReproduceCommand(route, failure.number, failure.check);
        failure.junction = route.junction;
        failure.turn = route.turn;
        m_failures.push_back(failure);
        added.push_back(failure);
    }
    return added;
}

void SurveyReport::NoteInput(const std::string& input)
{
    if (std::find(m_inputs.begin(), m_inputs.end(), input) == m_inputs.end())
        m_inputs.push_back(input);
}

void SurveyReport::AddJunctions(const JunctionTotals& totals)
{
    m_allJunctions = true;
    m_totals.junctions += totals.junctions;
    m_totals.deadEnds += totals.deadEnds;
    m_totals.turns += totals.turns;
}

void SurveyReport::SetRun(const nlohmann::json& run, const std::string& shard)
{
    m_run = run.dump();
    m_shards = {shard};
}

void SurveyReport::SetTiming(double cpuSeconds, double wallSeconds)
{
    m_cpuSeconds = cpuSeconds;
    m_wallSeconds = wallSeconds;
}

void SurveyReport::SetPicture(std::size_t failure, const std::string& file)
{
    m_failures.at(failure).picture = file;
}

std::string SurveyReport::Text() const
{
    std::string text;
    char head[160];
    static_cast<void>(std::snprintf(head, sizeof head, "%-28s %8s %7s %6s %6s %6s %6s %6s\n",
                                    "junction class", "checked", "failed", "band", "arrow", "turn",
                                    "drive", "calls"));
    text += head;
    const std::size_t none[kCheckCount] = {};
    for (const std::vector<std::string>* names : {&KindNames(), &PlaceNames(), &BendNames()})
    {
        for (const std::string& name : *names)
        {
            const auto row = m_rows.find(name);
            text += row == m_rows.end()
                        ? Line(name, 0, 0, none)
                        : Line(name, row->second.checked, row->second.failed, row->second.byCheck);
        }
    }
    for (const FailureRecord& failure : m_failures)
    {
        const std::string where = failure.junction >= 0
                                      ? " junction " + std::to_string(failure.junction + 1) +
                                            " turn " + std::to_string(failure.turn + 1)
                                      : " manoeuvre " + std::to_string(failure.number);
        text += "FAILED " + failure.input + where + " (" + failure.kind +
                (failure.places.empty() ? "" : "; " + Joined(failure.places, ", ")) + ", \"" +
                failure.instruction + "\"): " + failure.check + ": " + failure.problem + "\n  " +
                failure.reproduce + (failure.picture.empty() ? "" : "\n  " + failure.picture) +
                "\n";
    }
    if (m_allJunctions)
        text += std::to_string(m_totals.junctions) + " junctions and " +
                std::to_string(m_totals.deadEnds) + " dead ends with " +
                std::to_string(m_totals.turns) + " turns" +
                (m_totals.junctions == 0 ? " (no junction of car roads)" : "") + "; ";
    text +=
        std::to_string(m_routes) + " routes from " + std::to_string(m_inputs.size()) + " inputs";
    if (m_unroutable > 0)
        text += " (" + std::to_string(m_unroutable) + " more planned found no route)";
    if (m_unannounced > 0)
        text += "; " + std::to_string(m_unannounced) +
                " manoeuvres not announced (no stretch before their junction)";
    if (m_largestBend >= 0.0)
    {
        char bend[96];
        static_cast<void>(std::snprintf(bend, sizeof bend,
                                        "; arrow over a bend: at most %.1f degrees between the "
                                        "arrow and the road at its tip",
                                        m_largestBend));
        text += bend;
    }
    if (m_metres > 0.0)
    {
        char density[160];
        static_cast<void>(std::snprintf(
            density, sizeof density, "\n%.1f km, %zu manoeuvres before the arrivals: %.2f per km",
            m_metres / 1000.0, m_guided, static_cast<double>(m_guided) / (m_metres / 1000.0)));
        text += density;
        if (m_closestGap >= 0.0)
            text += "; closest two " +
                    std::to_string(static_cast<long>(std::lround(m_closestGap))) + " m apart (" +
                    m_closestAt + ")";
    }
    if (m_undriven > 0)
        text += "; " + std::to_string(m_undriven) +
                " manoeuvres without the drive checks (their route begins too near the junction)";
    text += "\n" + std::to_string(m_checked) + " manoeuvres checked, " + std::to_string(m_failed) +
            " failed\n";
    return text;
}

namespace
{

// One failure as the report's JSON lists it.
nlohmann::json FailureJson(const FailureRecord& failure)
{
    nlohmann::json points = nlohmann::json::array();
    for (const tagLonLat& point : failure.points)
        points.push_back(LatLonText(point));
    nlohmann::json entry = {{"input", failure.input},
                            {"maneuver", failure.number},
                            {"instruction", failure.instruction},
                            {"class", failure.kind},
                            {"places", failure.places},
                            {"check", failure.check},
                            {"problem", failure.problem},
                            {"reproduce", failure.reproduce}};
    nlohmann::json findings = nlohmann::json::object();
    for (const auto& [check, problem] : failure.findings)
        findings[check] = problem;
    entry["findings"] = findings;
    if (!failure.aim.empty())
    {
        entry["aim"] = failure.aim;
        entry["points"] = points;
    }
    if (failure.seconds >= 0.0)
        entry["seconds"] = failure.seconds;
    if (!failure.picture.empty())
        entry["picture"] = failure.picture;
    if (failure.junction >= 0)
    {
        entry["junction"] = failure.junction;
        entry["turn"] = failure.turn;
    }
    return entry;
}

} // namespace

nlohmann::json SurveyReport::Json() const
{
    nlohmann::json classes = nlohmann::json::array();
    for (const std::vector<std::string>* names : {&KindNames(), &PlaceNames(), &BendNames()})
        for (const std::string& name : *names)
        {
            const auto row = m_rows.find(name);
            const Row counted = row == m_rows.end() ? Row() : row->second;
            nlohmann::json entry = {
                {"class", name}, {"checked", counted.checked}, {"failed", counted.failed}};
            for (int check = 0; check < kCheckCount; ++check)
                entry[CheckName(check)] = counted.byCheck[check];
            classes.push_back(entry);
        }
    nlohmann::json failures = nlohmann::json::array();
    for (const FailureRecord& failure : m_failures)
        failures.push_back(FailureJson(failure));
    const auto bent = m_rows.find(kArrowOverBend);
    const Row bendRow = bent == m_rows.end() ? Row() : bent->second;
    nlohmann::json json = {{"inputs", m_inputs},
                           {"routes", m_routes},
                           {"unroutable", m_unroutable},
                           {"unannounced", m_unannounced},
                           {"arrowOverBend",
                            {{"checked", bendRow.checked},
                             {"failed", bendRow.failed},
                             {"largestDegrees", std::max(m_largestBend, 0.0)}}},
                           {"metres", m_metres},
                           {"guidedManeuvers", m_guided},
                           {"closestManeuvers", {{"metres", m_closestGap}, {"at", m_closestAt}}},
                           {"undriven", m_undriven},
                           {"classes", classes},
                           {"failures", failures},
                           {"checked", m_checked},
                           {"failed", m_failed}};
    if (m_allJunctions)
    {
        json["junctions"] = m_totals.junctions;
        json["deadEnds"] = m_totals.deadEnds;
        json["turns"] = m_totals.turns;
        json["run"] = m_run.empty() ? nlohmann::json() : nlohmann::json::parse(m_run);
        std::vector<std::string> shards = m_shards;
        std::sort(shards.begin(), shards.end());
        json["shards"] = shards;
    }
    json["timing"] = {{"cpuSeconds", m_cpuSeconds}, {"wallSeconds", m_wallSeconds}};
    return json;
}

} // namespace survey
