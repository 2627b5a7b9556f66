#include "cli/cli_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <thread>

#include "base/file_io.h"
#include "base/home_folder.h"
#include "base/settings_store.h"
#include "base/string_ids.h"
#include "base/text_format.h"
#include "disc/disc_plan.h"
#include "engine/batch_estimate.h"
#include "engine/child_io.h"
#include "engine/command_line.h"
#include "engine/conversion_worker.h"
#include "engine/encoder_run.h"
#include "engine/file_system.h"
#include "engine/free_space.h"
#include "engine/preset_choices.h"
#include "engine/probe.h"
#include "engine/probe_server.h"

#include "cli/batch_internals.h"

namespace clipwright::cli {

namespace fs = std::filesystem;

std::string Seconds(int64_t ms) {
    return FormatText("%.1f s", static_cast<double>(ms) / 1000.0);
}

std::string StatusName(int32_t status) {
    switch (status) {
        case kDone:
            return "done";
        case kError:
            return "failed";
        default:
            return "skipped";
    }
}

bool IsWritableFolder(const std::string& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool CanWriteInto(const std::string& folder) {
    std::error_code error;
    fs::path path = fs::absolute(folder, error);
    if (error) {
        return false;
    }
    path = path.lexically_normal();
    while (true) {
        std::string text = path.string();
        while (text.size() > 1 && text.back() == '/') {
            text.pop_back();
        }
        struct stat info {};
        if (::stat(text.c_str(), &info) == 0) {
            return IsWritableFolder(text);
        }
        if (!path.has_relative_path()) {
            return false;
        }
        path = fs::path(text).parent_path();
    }
}

std::string ProbeReason(const ProbeFailure& failure) {
    switch (failure.kind) {
        case ProbeFailure::kEncoderSaid:
            return failure.text;
        case ProbeFailure::kTimedOut:
            return FormatText(EnglishText(kIdsProbeTimedOut).c_str(), kProbeTimeoutMs / 1000);
        case ProbeFailure::kEncoderEnded:
            return EnglishText(kIdsProbeEncoderEnded);
        case ProbeFailure::kUndecodableName:
            return EnglishText(kIdsProbeUndecodableName);
        case ProbeFailure::kNoDuration:
        case ProbeFailure::kNone:
            break;
    }
    return EnglishText(kIdsProbeNoDuration);
}

std::string WriteNewFile(const std::string& folder, const std::string& stem, const std::string& ext,
                         const std::string& text) {
    for (int n = 0; n < 1000; ++n) {
        const std::string name = n == 0 ? stem : stem + "[" + std::to_string(n) + "]";
        const std::string path = folder + name + "." + ext;
        const UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (fd.get() < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return {};
        }
        // fsync reports what a network file system only finds when the data reaches it.
        if (!WriteAll(fd.get(), text.data(), text.size()) || ::fsync(fd.get()) != 0) {
            ::unlink(path.c_str());
            return {};
        }
        return path;
    }
    return {};
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return text;
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string OptionsFor(const ConversionSettings& settings) {
    return BuildOptions(RunSettings(settings));
}

std::string StoredOutputFolder() {
    const SettingsValues values = ReadSettingsFile(SettingsFilePath(kSettingsKey));
    const auto found = values.find("OutputPath");
    if (found != values.end()) {
        if (const auto* folder = std::get_if<std::string>(&found->second);
            folder != nullptr && IsFolder(*folder)) {
            return folder->back() == '/' ? *folder : *folder + "/";
        }
    }
    return HomeFolder() + "/ConvertedMedia/";
}

int EncodeThreadsTenths(int32_t outputType) {
    // Cores one encode of a 720p source can keep busy, from bench_cli_jobs: its processor time
    // over that of its busiest thread (the decode, filter and mux path the encoder's slice
    // threads wait on). The encoder already starts a thread per core, so an MPEG or DV encode
    // fills two cores alone and a second one at once only shares them.
    switch (outputType) {
        case kTypeDvd:
        case kTypeSvcd:
            return 23;
        case kTypeVcd:
            return 24;
        case kTypeDv:
            return 26;
        case kTypeMpeg4:
            return 11;  // Xvid encodes on the one thread
        case kTypeH264:
            return 36;
        default:
            return 23;
    }
}

int AutoJobs(int32_t outputType, unsigned cores) {
    const int tenths = std::max(EncodeThreadsTenths(outputType), 10);
    const int jobs =
        static_cast<int>((static_cast<int64_t>(std::max(cores, 1U)) * 10 + tenths / 2) / tenths);
    return std::clamp(jobs, 1, 64);
}

const std::vector<std::pair<int, std::string_view>>& EnglishTexts() {
    static const std::vector<std::pair<int, std::string_view>> texts{
        {kIdsReasonEmptyPart, "The chosen part is empty."},
        {kIdsReasonNoEncoderForType, "There is no encoder for this output type."},
        {kIdsReasonEncoderMissing, "The encoder program %s is missing or could not be started."},
        {kIdsReasonFolderUnwritable, "The output folder %s cannot be written to."},
        {kIdsReasonDiskFull, "The disk of the output folder is full."},
        {kIdsReasonNameTooLong,
         "The output file name is too long for the file system of the folder %s."},
        {kIdsReasonEncoderStatus, "The encoder program ended with status %d and gave no reason."},
        {kIdsReasonEncoderSignal, "The encoder program was ended by signal %d (%s)."},
        {kIdsReasonEncoderHung,
         "The encoder program closed its output but did not end; it was stopped after %d s."},
        {kIdsReasonZeroByteInName, "the name holds a zero byte, which no file name can hold"},
        {kIdsReasonRowMismatch,
         "This row's record did not match the list, so the row was not converted."},
        {kIdsOutputMissing, "no output file was written"},
        {kIdsOutputEmpty, "the output file is empty"},
        {kIdsOutputUnreadable, "the output is not a readable media file"},
        {kIdsOutputLength, "the output lasts %s s instead of %s s"},
        {kIdsSourceIsFolder, "is a folder, not a media file"},
        {kIdsSourceNotRegular, "not a regular file"},
        {kIdsSourceUnreadable, "not a readable media file (%s)"},
        {kIdsSourceNoStreamInfo, "cannot read stream information (%s)"},
        {kIdsSourceNoStreams, "holds no video or audio stream"},
        {kIdsProbeTimedOut, "did not answer within %d s"},
        {kIdsProbeEncoderEnded, "the encoder program ended unexpectedly"},
        {kIdsProbeNoDuration, "the encoder program found no length in it and gave no reason"},
        {kIdsProbeUndecodableName,
         "the file name is not valid UTF-8 and could not be passed on unchanged, so the file was "
         "not found"},
    };
    return texts;
}

std::string EnglishText(int stringId) {
    for (const auto& [id, text] : EnglishTexts()) {
        if (id == stringId) {
            return std::string(text);
        }
    }
    return {};
}

}  // namespace clipwright::cli
