// The records of one source file and of one run's settings. Plain values; the view owns the
// items and workers borrow them while the view's modal dialog runs.
#pragma once

#include <cstdint>
#include <string>

#include "engine/output_types.h"

namespace clipwright {

enum ItemStatus : int32_t {
    kReady = 0,
    kWaiting = 1,
    kDoing = 2,
    kSkip = 3,
    kDone = 4,
    kError = 5,
};

struct SourceItem {
    std::string sourcePath;
    std::string sourceExt;     // without the dot
    std::string title;         // file name without folder and extension
    int32_t duration = 0;      // whole seconds, from the probe; 1 for a positive one under 1 s
    int64_t durationMs = 0;    // the probe's duration with its fraction, milliseconds
    std::string outputFolder;  // always ends in "/" once set
    std::string outputStem;
    std::string outputExt;
    int32_t selStart = 0;  // seconds
    int32_t selEnd = 0;    // seconds
    int32_t status = kReady;
    std::string durationText;
    std::string bitrateText;
    std::string videoInfo;
    std::string audioInfo;
};

std::string DisplayName(const SourceItem& item);
std::string TargetName(const SourceItem& item);
std::string OutputPath(const SourceItem& item);

// Sets sourcePath and derives sourceExt and title from it, by the last "." and the last "/".
void SetSourcePath(SourceItem& item, const std::string& path);

// Whether path holds a zero byte. No file name can, so such a path names no file; handed on,
// it would be cut short at the byte (naming another file) or split in two where paths are
// sent ended by a zero byte.
bool HoldsZeroByte(const std::string& path);
// path for a message: each zero byte written "%00", as a file URI writes it.
std::string ShownPath(const std::string& path);

// String id of the list's status word; values outside 0..5 read as Ready.
int StatusStringId(int32_t status);
// The built-in English status word, for logs and tests.
const char* StatusWord(int32_t status);

struct ConversionSettings {
    int32_t outputType = kTypeDvd;
    int32_t tvStandard = kNtsc;
    std::string widthText = "0";
    std::string heightText = "0";
    int32_t frameRateChoice = 0;
    bool variableBitRate = false;
    int32_t videoBitrateChoice = 0;
    std::string maxRateText;
    std::string minRateText;
    int32_t channelsChoice = 0;
    int32_t audioBitrateChoice = 0;
    int32_t sampleRateChoice = 0;
    int32_t volumeChoice = 0;
    std::string outputFolder;
};

}  // namespace clipwright
