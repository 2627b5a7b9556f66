#include "capabilities.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "diagnostics.h"

namespace trel {

namespace {

// Any encoder or decoder of the codec counts, as for the application's conversions: the codec is
// named by its descriptor, not by one implementation.
AVCodecID codec_id(const char* name) {
    const AVCodecDescriptor* const descriptor = avcodec_descriptor_get_by_name(name);
    return descriptor != nullptr ? descriptor->id : AV_CODEC_ID_NONE;
}

bool is_met(const Requirement& requirement) {
    const char* const name = requirement.name.c_str();
    switch (requirement.kind) {
        case Requirement::Kind::muxer:
            return av_guess_format(name, nullptr, nullptr) != nullptr;
        case Requirement::Kind::demuxer:
            return av_find_input_format(name) != nullptr;
        case Requirement::Kind::encoder:
            return codec_id(name) != AV_CODEC_ID_NONE &&
                   avcodec_find_encoder(codec_id(name)) != nullptr;
        case Requirement::Kind::decoder:
            return codec_id(name) != AV_CODEC_ID_NONE &&
                   avcodec_find_decoder(codec_id(name)) != nullptr;
    }
    return false;
}

}  // namespace

std::vector<Requirement> requirements_of(std::string_view kind) {
    using K = Requirement::Kind;
    if (kind == "wmv") {
        return {{K::muxer, "asf"}, {K::encoder, "wmv2"}, {K::encoder, "wmav2"}};
    }
    if (kind == "ogm") {
        return {{K::demuxer, "ogg"}, {K::decoder, "vorbis"}, {K::decoder, "theora"}};
    }
    return {};
}

bool can_make(const std::vector<Requirement>& requirements) {
    if (requirements.empty()) {
        return false;
    }
    for (const Requirement& requirement : requirements) {
        if (!is_met(requirement)) {
            return false;
        }
    }
    return true;
}

CapabilityAnswer answer_can_make(std::string_view kind) {
    const std::vector<Requirement> requirements = requirements_of(kind);
    if (requirements.empty()) {
        return {
            2,
            {},
            "trelcore: --can-make " + printable(kind) + ": unknown kind (expected wmv or ogm)\n"};
    }
    return can_make(requirements) ? CapabilityAnswer{0, "yes\n", {}}
                                  : CapabilityAnswer{1, "no\n", {}};
}

std::optional<int> run_capability_query(const std::vector<std::string>& args) {
    if (args.size() < 2 || args[1] != "--can-make") {
        return std::nullopt;
    }
    if (args.size() != 3) {
        write_stderr("trelcore: --can-make takes one kind: wmv or ogm\n");
        return 2;
    }
    const CapabilityAnswer answer = answer_can_make(args[2]);
    write_stderr(answer.err);
    if (!answer.out.empty() && !write_stdout(answer.out)) {
        return 2;  // an answer nobody could read is no answer
    }
    return answer.status;
}

}  // namespace trel
