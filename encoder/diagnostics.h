// Text trelcore writes to standard error: whole lines, each in a single write() so that a reader
// of the merged output never sees half a line. Safe to call from any thread.
#pragma once

#include <string>
#include <string_view>

namespace trel {

// A path or title made printable on one line: control characters become \n, \r, \t or \xHH,
// backslashes are doubled; other bytes (UTF-8 included) stay as they are.
std::string printable(std::string_view text);

// Writes all of `text` to standard error, retrying after interruptions and short writes.
void write_stderr(std::string_view text);

// The same on standard output, for --help and --version. False when not all of it was written
// (a closed or full output), so the caller can fail instead of claiming success.
bool write_stdout(std::string_view text);

// Writes "trelcore: <subject>: <reason>\n" with the subject made printable.
void report_error(std::string_view subject, std::string_view reason);

}  // namespace trel
