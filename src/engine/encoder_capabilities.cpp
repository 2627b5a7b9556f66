#include "engine/encoder_capabilities.h"

#include "base/text_log.h"
#include "engine/child_io.h"
#include "engine/command_line.h"

namespace clipwright {

CanMakeAnswer AskEncoderCanMake(const std::string& kind, int timeoutMs) {
    if (!ProgramExists(EncoderName())) {
        return CanMakeAnswer::kEncoderMissing;
    }
    const ChildAnswer answer =
        AskChild(BuildCanMakeCommandLine(kind), kOutputBufferFill, timeoutMs);
    if (!answer.exited) {
        return CanMakeAnswer::kNoAnswer;
    }
    // Both the status and the line must agree: a program that only exits 0 is not a yes.
    if (answer.status == 0 && answer.output == "yes\n") {
        return CanMakeAnswer::kYes;
    }
    if (answer.status == 1 && answer.output == "no\n") {
        return CanMakeAnswer::kNo;
    }
    LogMessage("Encoder gave no answer to --can-make %s (status %d).", kind.c_str(), answer.status);
    return CanMakeAnswer::kNoAnswer;
}

}  // namespace clipwright
