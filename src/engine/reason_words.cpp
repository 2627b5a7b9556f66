#include "engine/reason_words.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "base/string_ids.h"
#include "base/text_format.h"

namespace clipwright {

namespace {

// The reasons trelcore gives for a source it cannot open (its input check).
struct SourcePhrase {
    std::string_view english;
    int stringId;
    bool detail;  // followed by " (<the libraries' words>)"
};
constexpr SourcePhrase kSourcePhrases[] = {
    {"is a folder, not a media file", kIdsSourceIsFolder, false},
    {"not a regular file", kIdsSourceNotRegular, false},
    {"not a readable media file", kIdsSourceUnreadable, true},
    {"cannot read stream information", kIdsSourceNoStreamInfo, true},
    {"holds no video or audio stream", kIdsSourceNoStreams, false},
};

std::string Formatted(WorkerUi& ui, int stringId, const std::string& argument) {
    const std::string format = ui.Text(stringId);
    return format.empty() ? std::string() : FormatText(format.c_str(), argument.c_str());
}

std::string OutputLength(WorkerUi& ui, const std::string& reason) {
    double written = 0;
    double expected = 0;
    // printf wrote the numbers with the C locale's point, which strtod reads while LC_NUMERIC
    // stays "C".
    if (std::sscanf(reason.c_str() + kOutputLasts.size(), "%lf s instead of %lf s", &written,
                    &expected) != 2) {
        return reason;
    }
    const std::string format = ui.Text(kIdsOutputLength);
    if (format.empty()) {
        return reason;
    }
    return FormatText(format.c_str(), DisplayDecimal(written, 2).c_str(),
                      DisplayDecimal(expected, 2).c_str());
}

std::string SourceReason(WorkerUi& ui, const std::string& reason) {
    for (const SourcePhrase& phrase : kSourcePhrases) {
        if (!reason.starts_with(phrase.english)) {
            continue;
        }
        const std::string rest = reason.substr(phrase.english.size());
        if (!phrase.detail) {
            const std::string text = rest.empty() ? ui.Text(phrase.stringId) : std::string();
            return text.empty() ? reason : text;
        }
        if (rest.size() < 3 || !rest.starts_with(" (") || !rest.ends_with(')')) {
            return reason;
        }
        const std::string text = Formatted(ui, phrase.stringId, rest.substr(2, rest.size() - 3));
        return text.empty() ? reason : text;
    }
    return reason;
}

}  // namespace

std::string ReasonInOurWords(WorkerUi& ui, const std::string& reason) {
    const std::pair<std::string_view, int> kOutputPhrases[] = {
        {kOutputMissing, kIdsOutputMissing},
        {kOutputEmpty, kIdsOutputEmpty},
        {kOutputUnreadable, kIdsOutputUnreadable},
    };
    for (const auto& [english, stringId] : kOutputPhrases) {
        if (reason == english) {
            // A catalog without the text still leaves the user a reason.
            const std::string text = ui.Text(stringId);
            return text.empty() ? reason : text;
        }
    }
    if (reason.starts_with(kOutputLasts)) {
        return OutputLength(ui, reason);
    }
    return SourceReason(ui, reason);
}

}  // namespace clipwright
