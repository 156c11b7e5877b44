// Where the bench host's log lines go: the reference host's logging, with the
// null device in place of standard error.
#include "BenchHost.h"

#include "Logging/HostLogging.h"

#include <log4cpp/Category.hh>
#include <log4cpp/FileAppender.hh>
#include <log4cpp/PatternLayout.hh>

namespace bench
{

void RouteLogLinesToNullDevice()
{
    static bool routed = false;
    if (routed)
        return;
    routed = true;
    // An appender of the host's own on the root category before the first
    // line: the reference logging then installs no standard-error appender.
    // FileAppender writes each line with one write(2), as the unbuffered
    // standard-error stream of the default destination does.
    auto* layout = new log4cpp::PatternLayout();
    layout->setConversionPattern(refhost::logging::kDefaultPattern);
    auto* appender = new log4cpp::FileAppender("bench-null", "/dev/null");
    appender->setLayout(layout);
    log4cpp::Category::getRoot().addAppender(appender);
}

void SetLoggingShipped()
{
    refhost::logging::SetThreshold(refhost::logging::kInfo);
}

void SetLoggingOff()
{
    refhost::logging::SetThreshold(refhost::logging::kOff);
}

} // namespace bench
