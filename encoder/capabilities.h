// trelcore --can-make KIND: whether the FFmpeg libraries trelcore runs on can make an output
// type that needs an optional component, so the application can ask without loading them itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trel {

// One thing a kind needs from the libraries, looked up by FFmpeg's names.
struct Requirement {
    enum class Kind { muxer, demuxer, encoder, decoder };
    Kind kind;
    std::string name;  // a format ("asf") or a codec descriptor's name ("wmv2")
};

// The requirements of a kind the application asks about: "wmv" (ASF writing with the WMV and WMA
// encoders) or "ogm" (the Ogg demuxer with the Vorbis and Theora decoders). Empty for any other.
std::vector<Requirement> requirements_of(std::string_view kind);

// Whether every requirement is met by the libraries linked; false for an empty list.
bool can_make(const std::vector<Requirement>& requirements);

// The answer to `trelcore --can-make KIND`: the exit status (0 yes, 1 no, 2 unknown kind) and
// the line printed with it ("yes\n" or "no\n" on standard output, an error on standard error).
struct CapabilityAnswer {
    int status = 2;
    std::string out;
    std::string err;
};
CapabilityAnswer answer_can_make(std::string_view kind);

// When args (argv, program name first) are a capability query, answers it on the standard
// streams and gives the exit status; otherwise nothing.
std::optional<int> run_capability_query(const std::vector<std::string>& args);

}  // namespace trel
