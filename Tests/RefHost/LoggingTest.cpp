// The reference host's logging: the threshold, the line format, configuration
// from a properties file and its failures, and the stopwatch.
#include "Logging.h"
#include "Logging/HostLogging.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <log4cpp/Category.hh>
#include <log4cpp/LayoutAppender.hh>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>

namespace logging = refhost::logging;
using ::testing::HasSubstr;

namespace
{

const char* const kFile = R"(..\source\Render\AdvicePathRender)";

class LoggingTest : public ::testing::Test
{
protected:
    void SetUp() override { m_threshold = logging::GetThreshold(); }
    void TearDown() override
    {
        logging::SetThreshold(m_threshold);
        logging::RestoreDefaultDestination();
    }

    // One line at each of the library's levels and one information line.
    static void LogEveryLevel()
    {
        log4cpp_category_log("pathRender", 0, kFile, 54, "AdvicePathRender::SetSize",
                             "new AdvicePathSizeSetting failed \n");
        log4cpp_category_log("pathRender", 300, kFile, 47, "AdvicePathRender::SetSize",
                             "AdvicePathSizeSetting is NULL \n");
        log4cpp_Info("pathRender", kFile, 67, "AdvicePathRender::SetSize", "timerSetSize::%lfms",
                     1.5);
        log4cpp_category_log(
            "pathRender", 800, kFile, 293, "AdvicePathRender::AutoSetCurScale",
            "m_CurScale > = m_SizeSetCnt  && m_SizeSetCnt < AP_SCALE_DEFAULT -1 \n");
    }

private:
    int m_threshold = 0;
};

// A directory of its own under the system's temporary directory, removed at
// the end.
class TemporaryDirectory
{
public:
    TemporaryDirectory()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "refhost-logging-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TemporaryDirectory() { std::filesystem::remove_all(m_path); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path);
    out << text;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// An appender that fails on every line.
class ThrowingAppender : public log4cpp::LayoutAppender
{
public:
    ThrowingAppender() : log4cpp::LayoutAppender("refhost-test-throwing") {}
    void close() override {}

protected:
    void _append(const log4cpp::LoggingEvent& /*event*/) override
    {
        throw std::runtime_error("disk full");
    }
};

} // namespace

TEST_F(LoggingTest, DefaultThresholdWritesInformationAndMoreSevere)
{
    logging::LineCapture capture;
    EXPECT_EQ(logging::GetThreshold(), logging::kInfo);
    LogEveryLevel();
    const auto lines = capture.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_THAT(lines[0], HasSubstr(" FATAL "));
    EXPECT_THAT(lines[1], HasSubstr(" ERROR "));
    EXPECT_THAT(lines[2], HasSubstr(" INFO "));
}

// log4cpp itself never passes priority 800; the host's verbose setting must.
TEST_F(LoggingTest, VerboseThresholdShowsTheNotSetLines)
{
    logging::LineCapture capture;
    logging::SetThreshold(logging::kNotSet);
    LogEveryLevel();
    const auto lines = capture.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_THAT(lines[3], HasSubstr(" NOTSET "));
}

TEST_F(LoggingTest, StricterThresholdsDropLessSevereLines)
{
    logging::LineCapture capture;
    logging::SetThreshold(logging::kError);
    LogEveryLevel();
    EXPECT_EQ(capture.Lines().size(), 2u);

    capture.Clear();
    logging::SetThreshold(logging::kFatal);
    LogEveryLevel();
    EXPECT_EQ(capture.Lines().size(), 1u);

    capture.Clear();
    logging::SetThreshold(logging::kOff);
    LogEveryLevel();
    EXPECT_TRUE(capture.Lines().empty());
}

TEST_F(LoggingTest, LineCarriesLevelCategoryFileLineFunctionAndText)
{
    logging::LineCapture capture;
    logging::SetThreshold(logging::kNotSet);
    log4cpp_category_log("pathRender", 800, kFile, 288, "AdvicePathRender::AutoSetCurScale",
                         "m_CurScale > = m_SizeSetCnt && m_SizeSetCnt > AP_SCALE_DEFAULT \n");
    log4cpp_Info("pathRender", R"(..\source\Render\CrossPathEdges)", 268,
                 "AdvicePathRender::DrawTurn", "memcnterDrawTurn::%s", "PhsMem:4KB VirMem:0KB");
    const auto lines = capture.Lines();
    ASSERT_EQ(lines.size(), 2u);
    // The text keeps its blank but loses the line feed: the layout ends the line.
    const std::string expected = " NOTSET pathRender ..\\source\\Render\\AdvicePathRender:288 "
                                 "AdvicePathRender::AutoSetCurScale - m_CurScale > = "
                                 "m_SizeSetCnt && m_SizeSetCnt > AP_SCALE_DEFAULT ";
    ASSERT_GE(lines[0].size(), expected.size());
    EXPECT_EQ(lines[0].substr(lines[0].size() - expected.size()), expected);
    EXPECT_THAT(lines[1], HasSubstr(" INFO pathRender ..\\source\\Render\\CrossPathEdges:268 "
                                    "AdvicePathRender::DrawTurn - "
                                    "memcnterDrawTurn::PhsMem:4KB VirMem:0KB"));
}

TEST_F(LoggingTest, FormatsNumbersAndLongMessagesCompletely)
{
    logging::LineCapture capture;
    log4cpp_Info("pathRender", kFile, 67, "AdvicePathRender::SetSize", "timerSetSize::%lfms",
                 12.25);
    const std::string longText(3000, 'x');
    log4cpp_category_log("pathRender", 300, kFile, 1, "F", "%s|end", longText.c_str());
    const auto lines = capture.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_THAT(lines[0], HasSubstr("- timerSetSize::12.250000ms"));
    EXPECT_THAT(lines[1], HasSubstr("- " + longText + "|end"));
}

TEST_F(LoggingTest, ParseLevelNamesAndNumbers)
{
    EXPECT_EQ(logging::ParseLevel("fatal"), 0);
    EXPECT_EQ(logging::ParseLevel("ERROR"), 300);
    EXPECT_EQ(logging::ParseLevel("Warn"), 400);
    EXPECT_EQ(logging::ParseLevel("info"), 600);
    EXPECT_EQ(logging::ParseLevel("debug"), 700);
    EXPECT_EQ(logging::ParseLevel("all"), 800);
    EXPECT_EQ(logging::ParseLevel("notset"), 800);
    EXPECT_EQ(logging::ParseLevel("off"), logging::kOff);
    EXPECT_EQ(logging::ParseLevel("800"), 800);
    EXPECT_EQ(logging::ParseLevel(""), std::nullopt);
    EXPECT_EQ(logging::ParseLevel("verbose"), std::nullopt);
    EXPECT_EQ(logging::ParseLevel("80x"), std::nullopt);
    EXPECT_EQ(logging::ParseLevel("infos"), std::nullopt);
}

TEST_F(LoggingTest, DefaultDestinationIsStandardError)
{
    logging::SetThreshold(logging::kNotSet);
    ::testing::internal::CaptureStderr();
    log4cpp_category_log("pathRender", 800, kFile, 293, "AdvicePathRender::AutoSetCurScale",
                         "to the console \n");
    const std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(written, HasSubstr("NOTSET pathRender ..\\source\\Render\\AdvicePathRender:293 "
                                   "AdvicePathRender::AutoSetCurScale - to the console \n"));
}

TEST_F(LoggingTest, PropertiesFileDecidesWhereLinesGo)
{
    TemporaryDirectory directory;
    const auto logPath = directory.Path() / "render.log";
    const auto properties = directory.Path() / "log.properties";
    WriteFile(properties, "log4cpp.rootCategory=DEBUG, F\n"
                          "log4cpp.appender.F=FileAppender\n"
                          "log4cpp.appender.F.fileName=" +
                              logPath.string() +
                              "\n"
                              "log4cpp.appender.F.layout=PatternLayout\n"
                              "log4cpp.appender.F.layout.ConversionPattern=%p|%c|%m%n\n");
    std::string message;
    ASSERT_TRUE(logging::ConfigureFromFile(properties.string(), &message)) << message;

    // The file's DEBUG on the root does not hide the library's level-800 lines:
    // the host's threshold alone filters.
    logging::SetThreshold(logging::kNotSet);
    ::testing::internal::CaptureStderr();
    log4cpp_category_log("pathRender", 800, kFile, 288, "AdvicePathRender::AutoSetCurScale",
                         "clamped \n");
    log4cpp_category_log("pathRender", 0, kFile, 279, "AdvicePathRender::AutoSetCurScale",
                         "mp_MapView is NULL \n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(ReadFile(logPath), "NOTSET|pathRender|..\\source\\Render\\AdvicePathRender:288 "
                                 "AdvicePathRender::AutoSetCurScale - clamped \n"
                                 "FATAL|pathRender|..\\source\\Render\\AdvicePathRender:279 "
                                 "AdvicePathRender::AutoSetCurScale - mp_MapView is NULL \n");
}

TEST_F(LoggingTest, BadPropertiesFilesAreReportedAndLinesStillReachStandardError)
{
    TemporaryDirectory directory;
    std::string message;
    const auto missing = directory.Path() / "missing.properties";
    EXPECT_FALSE(logging::ConfigureFromFile(missing.string(), &message));
    EXPECT_THAT(message, HasSubstr(missing.string()));

    const auto unknownType = directory.Path() / "unknown.properties";
    WriteFile(unknownType, "log4cpp.rootCategory=INFO, A\nlog4cpp.appender.A=NoSuchAppender\n");
    EXPECT_FALSE(logging::ConfigureFromFile(unknownType.string(), &message));
    EXPECT_THAT(message, HasSubstr("NoSuchAppender"));

    const auto noRoot = directory.Path() / "noroot.properties";
    WriteFile(noRoot, "not a properties line\n");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(logging::ConfigureFromFile(noRoot.string()));
    log4cpp_category_log("pathRender", 300, kFile, 47, "AdvicePathRender::SetSize",
                         "AdvicePathSizeSetting is NULL \n");
    const std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(written, HasSubstr("log configuration " + noRoot.string()));
    EXPECT_THAT(written, HasSubstr("ERROR pathRender ..\\source\\Render\\AdvicePathRender:47 "
                                   "AdvicePathRender::SetSize - AdvicePathSizeSetting is NULL"));
}

// The library is built without exceptions: a failing appender must neither
// throw into it nor keep the line from the other appenders.
TEST_F(LoggingTest, FailingAppenderThrowsNothingIntoTheLibrary)
{
    logging::LineCapture capture;
    ThrowingAppender throwing;
    log4cpp::Category& category = log4cpp::Category::getInstance("pathRender");
    category.addAppender(throwing);
    EXPECT_NO_THROW(log4cpp_category_log("pathRender", 0, kFile, 54, "AdvicePathRender::SetSize",
                                         "new AdvicePathSizeSetting failed \n"));
    EXPECT_NO_THROW(log4cpp_Info("pathRender", kFile, 67, "AdvicePathRender::SetSize",
                                 "timerSetSize::%lfms", 0.5));
    category.removeAppender(&throwing);
    EXPECT_EQ(capture.Lines().size(), 2u);
}

TEST_F(LoggingTest, TimerMeasuresBetweenStartAndEnd)
{
    Timer unused;
    EXPECT_EQ(unused.GetTime(), 0.0);

    Timer onlyStarted;
    onlyStarted.StartTime();
    EXPECT_EQ(onlyStarted.GetTime(), 0.0);

    Timer onlyEnded;
    onlyEnded.EndTime();
    EXPECT_EQ(onlyEnded.GetTime(), 0.0);

    Timer timer;
    timer.StartTime();
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    timer.EndTime();
    // sleep_for waits at least as long as asked; no upper bound is asserted.
    EXPECT_GE(timer.GetTime(), 3.0);

    // A restart forgets the old end.
    timer.StartTime();
    EXPECT_EQ(timer.GetTime(), 0.0);
}
