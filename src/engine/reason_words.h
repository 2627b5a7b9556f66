// The words of a failure reason in the user's language. The encoder and the output check write
// their reasons in English, for the log; the summaries show them through the catalog: a reason
// that starts with one of the known phrases is rewritten from its string, keeping the FFmpeg
// libraries' own detail in parentheses; any other text (an encoder line we do not know) is shown
// as written.
#pragma once

#include <string>
#include <string_view>

#include "engine/worker_ui.h"

namespace clipwright {

// What the output check finds wrong with an output the encoder called done (English, for the log).
inline constexpr std::string_view kOutputMissing = "no output file was written";
inline constexpr std::string_view kOutputEmpty = "the output file is empty";
inline constexpr std::string_view kOutputUnreadable = "the output is not a readable media file";
// Followed by "<written> s instead of <expected> s", each with two decimals.
inline constexpr std::string_view kOutputLasts = "the output lasts ";

// reason in the current language; ui gives the strings. Thread: any the ui may be asked from.
std::string ReasonInOurWords(WorkerUi& ui, const std::string& reason);

}  // namespace clipwright
