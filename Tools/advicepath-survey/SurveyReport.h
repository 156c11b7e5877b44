// The survey's tally: manoeuvres checked and failed by class of junction and
// by check, and one line per failed manoeuvre with the command that shows
// it again; as a table and as JSON.
#ifndef TOOLS_SURVEY_SURVEYREPORT_H
#define TOOLS_SURVEY_SURVEYREPORT_H

#include "RouteSurvey.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace survey
{

// One route surveyed.
struct SurveyedRoute
{
    std::string input;             // the extract or route file, as given
    bool computed = false;         // routed over an extract (else read from the file)
    std::string aim;               // RoutePlanner.h; empty for a route file
    std::vector<tagLonLat> points; // the points routed through
    std::vector<ManeuverReport> maneuvers;
    // How densely the route is guided: its length, its manoeuvres before the
    // arrival, and the closest two consecutive ones of them (the second
    // not the arrival; negative when there are fewer than two), metres.
    double metres = 0.0;
    std::size_t guided = 0;
    double closestGap = -1.0;
    std::size_t closestNumber = 0; // the second of the closest two, from 1
    // With --all-junctions: the junction's place in the visit order and the
    // turn's at the junction; negative otherwise.
    long junction = -1;
    long turn = -1;
    // Whether the drive checks apply: false where the route begins too near
    // its junction for a drive to come up to it as a device does.
    bool driven = true;
};

struct FailureRecord
{
    std::string input;
    std::string aim;
    std::vector<tagLonLat> points;
    std::size_t number = 0; // the manoeuvre, from 1 as the tools count
    std::string instruction;
    std::string kind;
    std::vector<std::string> places;
    std::string check;                                         // the check that failed first
    std::string problem;                                       // ... and what it found
    std::vector<std::pair<std::string, std::string>> findings; // every check that failed
    double seconds = -1.0; // drive time of the failing frame; negative: none
    std::string reproduce;
    std::string picture; // file name in the output folder, when written
    long junction = -1;  // SurveyedRoute
    long turn = -1;
};

// What a run of --all-junctions covered.
struct JunctionTotals
{
    std::size_t junctions = 0;
    std::size_t deadEnds = 0;
    std::size_t turns = 0;
};

// `metres + more`, both taken in whole millimetres: a sum that does not
// depend on the order it is taken in, so that shards merge to the whole run.
double AddLengths(double metres, double more);

class SurveyReport
{
public:
    // Tallies a route's manoeuvres; returns the failures it adds.
    std::vector<FailureRecord> Add(const SurveyedRoute& route);
    void NoteUnroutable() { ++m_unroutable; }
    void NoteInput(const std::string& input);
    // With --all-junctions: what was visited, and the run (extracts and
    // options, the same for every shard of it) and its shard.
    void AddJunctions(const JunctionTotals& totals);
    void SetRun(const nlohmann::json& run, const std::string& shard);
    // CPU and wall seconds of the survey (left out of comparisons).
    void SetTiming(double cpuSeconds, double wallSeconds);
    void SetPicture(std::size_t failure, const std::string& file);

    std::size_t Checked() const { return m_checked; }
    std::size_t Failed() const { return m_failed; }
    const std::vector<FailureRecord>& Failures() const { return m_failures; }

    // The table, the failure lines and the last line "N manoeuvres checked,
    // F failed".
    std::string Text() const;
    nlohmann::json Json() const;

    // Reads a report as Json() wrote it into this one, made afresh; false
    // with `error` when it is not one.
    bool FromJson(const nlohmann::json& json, std::string& error);
    // Adds another shard's report of the same run; false with `error` when
    // it is of another run or a shard already added.
    bool Merge(const SurveyReport& other, std::string& error);

private:
    struct Row
    {
        std::size_t checked = 0;
        std::size_t failed = 0;
        std::size_t byCheck[kCheckCount] = {};
    };
    void Count(const std::string& name, const ManeuverReport& report);

    std::map<std::string, Row> m_rows;
    std::vector<FailureRecord> m_failures;
    std::vector<std::string> m_inputs;
    std::size_t m_routes = 0;
    std::size_t m_unroutable = 0;
    std::size_t m_checked = 0;
    std::size_t m_failed = 0;
    std::size_t m_unannounced = 0;
    double m_largestBend = -1.0; // degrees, of the "arrow over a bend" row
    double m_metres = 0.0;
    std::size_t m_guided = 0;
    double m_closestGap = -1.0;
    std::string m_closestAt; // "input, manoeuvre N"
    std::size_t m_undriven = 0;
    bool m_allJunctions = false;
    JunctionTotals m_totals;
    std::string m_run; // the run's JSON, as text
    std::vector<std::string> m_shards;
    double m_cpuSeconds = 0.0;
    double m_wallSeconds = 0.0;
};

// The command that shows a failure again: advicepath-render for the band,
// the arrow and the turn, advicepath-replay for the drive.
std::string ReproduceCommand(const SurveyedRoute& route, std::size_t number,
                             const std::string& check);

} // namespace survey

#endif
