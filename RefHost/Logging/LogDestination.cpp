#include "LogDestination.h"

#include "Logging/HostLogging.h"

#include <log4cpp/Appender.hh>
#include <log4cpp/Category.hh>
#include <log4cpp/LoggingEvent.hh>
#include <log4cpp/NDC.hh>
#include <log4cpp/OstreamAppender.hh>
#include <log4cpp/PatternLayout.hh>

#include <iostream>
#include <mutex>

namespace refhost::logging
{

namespace
{

constexpr const char* kDefaultAppenderName = "refhost-stderr";

struct DestinationState
{
    std::mutex mutex;
    bool decided = false;
    // Owned by the root category; only compared, never dereferenced after a
    // configuration may have deleted it.
    log4cpp::Appender* defaultAppender = nullptr;
};

DestinationState& State()
{
    static DestinationState state;
    return state;
}

bool ReachesAnAppender(const log4cpp::Category& category)
{
    for (const log4cpp::Category* c = &category; c != nullptr;
         c = c->getAdditivity() ? c->getParent() : nullptr)
    {
        if (!c->getAllAppenders().empty())
            return true;
    }
    return false;
}

// With the state's mutex held.
void InstallDefaultLocked(DestinationState& state)
{
    auto layout = std::make_unique<log4cpp::PatternLayout>();
    layout->setConversionPattern(kDefaultPattern);
    auto appender = std::make_unique<log4cpp::OstreamAppender>(kDefaultAppenderName, &std::cerr);
    appender->setLayout(layout.release());
    state.defaultAppender = appender.get();
    log4cpp::Category::getRoot().addAppender(appender.release());
    state.decided = true;
}

} // namespace

void Emit(const char* category, int priority, const std::string& message) noexcept
{
    try
    {
        EnsureDestination();
        log4cpp::Category& origin = log4cpp::Category::getInstance(category);
        const log4cpp::LoggingEvent event(category, message, log4cpp::NDC::get(), priority);
        for (log4cpp::Category* c = &origin; c != nullptr;
             c = c->getAdditivity() ? c->getParent() : nullptr)
        {
            for (log4cpp::Appender* appender : c->getAllAppenders())
            {
                try
                {
                    appender->doAppend(event);
                }
                catch (...)
                {
                    // One failing appender must not keep the line from the others.
                }
            }
        }
    }
    catch (...)
    {
    }
}

void EnsureDestination()
{
    DestinationState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.decided)
        return;
    if (ReachesAnAppender(log4cpp::Category::getInstance(kLibraryCategory)))
        state.decided = true;
    else
        InstallDefaultLocked(state);
}

void DropDefaultDestination()
{
    DestinationState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    log4cpp::Category& root = log4cpp::Category::getRoot();
    if (state.defaultAppender != nullptr &&
        root.getAppender(kDefaultAppenderName) == state.defaultAppender)
        root.removeAppender(state.defaultAppender);
    state.defaultAppender = nullptr;
    state.decided = true;
}

void DestinationAfterConfiguration(bool configured)
{
    DestinationState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    // A file that configured log4cpp decides alone, even to drop the lines.
    if (configured)
        return;
    if (!ReachesAnAppender(log4cpp::Category::getInstance(kLibraryCategory)))
        InstallDefaultLocked(state);
}

void InstallDefaultDestination()
{
    DestinationState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    InstallDefaultLocked(state);
}

} // namespace refhost::logging
