#include "Logging/HostLogging.h"

#include "LogDestination.h"

#include <log4cpp/Category.hh>
#include <log4cpp/PropertyConfigurator.hh>

#include <atomic>
#include <cctype>
#include <charconv>
#include <iostream>
#include <memory>

namespace refhost::logging
{

namespace
{

std::atomic<int> g_threshold{kInfo};

bool EqualsIgnoringCase(std::string_view text, std::string_view name)
{
    if (text.size() != name.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (std::tolower(static_cast<unsigned char>(text[i])) != name[i])
            return false;
    }
    return true;
}

} // namespace

void SetThreshold(int priority)
{
    g_threshold.store(priority, std::memory_order_relaxed);
}

int GetThreshold()
{
    return g_threshold.load(std::memory_order_relaxed);
}

std::optional<int> ParseLevel(std::string_view text)
{
    struct Named
    {
        std::string_view name;
        int priority;
    };
    static constexpr Named kNames[] = {{"off", kOff},    {"fatal", kFatal},  {"error", kError},
                                       {"warn", kWarn},  {"info", kInfo},    {"debug", kDebug},
                                       {"all", kNotSet}, {"notset", kNotSet}};
    for (const Named& named : kNames)
    {
        if (EqualsIgnoringCase(text, named.name))
            return named.priority;
    }
    int number = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, number);
    if (!text.empty() && result.ec == std::errc() && result.ptr == end)
        return number;
    return std::nullopt;
}

bool ConfigureFromFile(const std::string& path, std::string* message)
{
    std::string reason;
    DropDefaultDestination();
    try
    {
        log4cpp::PropertyConfigurator::configure(path);
        DestinationAfterConfiguration(true);
        return true;
    }
    catch (const std::exception& failure)
    {
        reason = failure.what();
    }
    catch (...)
    {
        reason = "unknown failure";
    }
    DestinationAfterConfiguration(false);
    reason = "log configuration " + path + ": " + reason;
    if (message != nullptr)
        *message = reason;
    else
        std::cerr << reason << '\n';
    return false;
}

void RestoreDefaultDestination()
{
    DropDefaultDestination();
    // The vector is ours to delete, the categories stay log4cpp's.
    const std::unique_ptr<std::vector<log4cpp::Category*>> categories(
        log4cpp::Category::getCurrentCategories());
    if (categories)
    {
        for (log4cpp::Category* category : *categories)
        {
            category->removeAllAppenders();
            category->setAdditivity(true);
        }
    }
    InstallDefaultDestination();
}

} // namespace refhost::logging
