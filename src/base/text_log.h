// The diagnostic text log: one printf-style call from any thread or process. Each call appends
// to the log file under an in-process mutex plus an flock() on the TRELLOG lock file, so lines
// of several threads and processes never interleave. With an empty log path (the default, unless
// the environment variable CLIPWRIGHT_LOG names a file) nothing is written. A FIFO with no reader
// is not waited for (the line is lost); one with a reader gets whole lines. Numbers are
// written in the "C" locale.
#pragma once

#include <string>

namespace clipwright {

// Messages that begin with this tag are written with a time prefix and no line end.
inline constexpr const char* kLogLineTag = "#FILE_LINE#";
// A formatted message is cut to this many bytes.
inline constexpr size_t kLogMessageLimit = 8191;

// Callers pass texts they did not write themselves (paths, encoder output) as "%s" arguments,
// never as the format.
void LogMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Thread-safe; an empty path turns the log off.
void SetLogFilePath(const std::string& path);
std::string LogFilePath();

}  // namespace clipwright
