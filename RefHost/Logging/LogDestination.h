// Handing formatted lines to log4cpp's appenders, and the default destination.
#ifndef REFHOST_LOGGING_LOGDESTINATION_H
#define REFHOST_LOGGING_LOGDESTINATION_H

#include <string>

namespace refhost::logging
{

// The category the library writes to.
constexpr const char* kLibraryCategory = "pathRender";

// Writes `message` at `priority` to the appenders of `category` and, while
// additive, of its ancestors, whatever log4cpp's priorities say. An appender
// that throws is skipped; nothing throws out of here.
void Emit(const char* category, int priority, const std::string& message) noexcept;

// Called before the first line: installs the standard-error appender on the
// root category unless the library's category already reaches an appender.
void EnsureDestination();

// Forgets the default appender before a properties file replaces the
// configuration (the file's rootCategory removes it anyway), and re-checks the
// destination after a failed file.
void DropDefaultDestination();
void DestinationAfterConfiguration(bool configured);

// Installs the standard-error appender on the root category.
void InstallDefaultDestination();

} // namespace refhost::logging

#endif
