// Probing: one source per run (`trelcore -i SOURCE`), or many in one process
// (`trelcore --probe-server`), which spares the application a program start (and the loading of
// the codec libraries) for every file it adds.
//
// The server's protocol, on its standard input and error:
//   - it first writes kProbeServerReady;
//   - it then reads requests, each a path ended by a zero byte (a path can hold any other byte:
//     spaces, quotes, line feeds, non-UTF-8), and answers each with exactly the text that
//     `trelcore -i PATH` writes, followed by the line kProbeAnswerEnd + STATUS + "\n", where
//     STATUS is the exit status the one-shot run would have had;
//   - it ends with status 0 at the end of its input, or when SIGTERM or SIGINT arrives.
// The record separator (0x1e) that starts both marker lines never stands in probe text: paths
// in error lines are written through printable(), which escapes every control character.
#pragma once

#include <string>
#include <string_view>

#include "contract/trelcore_contract.h"

namespace trel {

inline constexpr std::string_view kProbeServerReady = contract::ready_line;
inline constexpr std::string_view kProbeAnswerEnd = contract::answer_end;

// Probes one source and writes the report, or the error line, to standard error. The exit
// status of the one-shot run: 0 when reported, 1 when the source could not be read.
int probe_source(const std::string& path);

// Serves requests read from input_fd until its end or a stop signal. Returns the exit status.
int run_probe_server(int input_fd);

}  // namespace trel
