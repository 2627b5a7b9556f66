// Text trelcore writes to standard error: whole lines, each in a single write() so that a reader
// of the merged output never sees half a line. Safe to call from any thread.
#pragma once

#include <string>
#include <string_view>

#include "contract/trelcore_contract.h"

namespace trel {

// A path or title made printable on one line, as the application expects it in error lines.
using contract::printable;

// Writes all of `text` to standard error, retrying after interruptions and short writes.
void write_stderr(std::string_view text);

// The same on standard output, for --help and --version. False when not all of it was written
// (a closed or full output), so the caller can fail instead of claiming success.
bool write_stdout(std::string_view text);

// Writes "trelcore: <subject>: <reason>\n" with the subject made printable.
void report_error(std::string_view subject, std::string_view reason);

}  // namespace trel
