// Asking the encoder what it can make ("trelcore --can-make KIND"). Blocks the calling thread;
// any thread.
#pragma once

#include <string>

#include "engine/probe.h"

namespace clipwright {

// What the encoder said to "--can-make KIND".
enum class CanMakeAnswer {
    kYes,             // status 0 with the line "yes"
    kNo,              // status 1 with the line "no"
    kEncoderMissing,  // the encoder program is not where command lines look for it
    kNoAnswer,        // it ran but said neither in time (crashed, too old, garbled, hung)
};
// Asks the encoder (EncoderName(), found as every command line finds it) and waits up to
// timeoutMs for its answer. Blocks the calling thread; safe from any thread.
CanMakeAnswer AskEncoderCanMake(const std::string& kind, int timeoutMs = kProbeTimeoutMs);

}  // namespace clipwright
