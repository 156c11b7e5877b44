#include "Logging/HostLogging.h"

#include <log4cpp/Category.hh>
#include <log4cpp/LayoutAppender.hh>
#include <log4cpp/PatternLayout.hh>

#include <atomic>
#include <mutex>

namespace refhost::logging
{

namespace
{

// Keeps each formatted line in memory.
class CaptureAppender : public log4cpp::LayoutAppender
{
public:
    explicit CaptureAppender(const std::string& name) : log4cpp::LayoutAppender(name)
    {
        auto layout = std::make_unique<log4cpp::PatternLayout>();
        layout->setConversionPattern(kDefaultPattern);
        setLayout(layout.release());
    }

    void close() override {}

    std::vector<std::string> Lines() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lines;
    }

    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lines.clear();
    }

protected:
    void _append(const log4cpp::LoggingEvent& event) override
    {
        std::string line = _getLayout().format(event);
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lines.push_back(std::move(line));
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

// log4cpp keeps appenders in a registry by name: every capture gets its own.
std::string NextCaptureName()
{
    static std::atomic<unsigned> counter{0};
    return "refhost-capture-" + std::to_string(counter.fetch_add(1));
}

} // namespace

struct LineCapture::State
{
    log4cpp::Category* category = nullptr;
    bool additivity = true;
    std::unique_ptr<CaptureAppender> appender;
};

LineCapture::LineCapture(const std::string& category) : m_state(std::make_unique<State>())
{
    m_state->category = &log4cpp::Category::getInstance(category);
    m_state->additivity = m_state->category->getAdditivity();
    m_state->appender = std::make_unique<CaptureAppender>(NextCaptureName());
    // Not owned by the category: the capture deletes it.
    m_state->category->addAppender(*m_state->appender);
    m_state->category->setAdditivity(false);
}

LineCapture::~LineCapture()
{
    m_state->category->removeAppender(m_state->appender.get());
    m_state->category->setAdditivity(m_state->additivity);
}

std::vector<std::string> LineCapture::Lines() const
{
    return m_state->appender->Lines();
}

void LineCapture::Clear()
{
    m_state->appender->Clear();
}

} // namespace refhost::logging
