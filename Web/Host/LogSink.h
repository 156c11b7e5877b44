// Where the browser host's log lines go: the browser's console in the page,
// standard error in a native build of the same host.
#ifndef WEB_HOST_LOGSINK_H
#define WEB_HOST_LOGSINK_H

namespace web
{

// One finished line (no line feed at its end) at the library's priority
// `level` (Logging.h: 0 fatal, 300 error, 600 information, 800 repeats).
void WriteLogLine(int level, const char* line);

// Lines at priorities above `level` are dropped before they are formatted;
// the default keeps failures only (300), as a device keeps its log quiet.
void SetLogThreshold(int level);
int LogThreshold();

} // namespace web

#endif
