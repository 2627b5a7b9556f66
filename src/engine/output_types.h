// Output types, television standards and the preset value tables shared by the command line
// builder and the form's combo boxes. Plain constants; safe to read from any thread.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace clipwright {

// Output type numbers, in the order of the form's type buttons.
enum OutputType : int32_t {
    kTypeMpeg4 = 0,
    kTypeH264 = 1,
    kTypeDvd = 2,
    kTypeWmv = 3,
    kType3gp = 4,
    kTypeOgm = 5,
    kTypeVcd = 6,
    kTypeSvcd = 7,
    kTypeDv = 8,
    kTypeAvi = 9,
};
inline constexpr int32_t kOutputTypeCount = 10;

enum TvStandard : int32_t { kNtsc = 0, kPal = 1, kNtscFilm = 2 };

// Extension without the dot; out-of-range types give "".
std::string_view OutputExtension(int32_t outputType);
// "dvd", "vcd", "svcd", "dv", or "" for types without an encoder target.
std::string_view TargetName(int32_t outputType);
// Whether the conversion worker runs the encoder for this type at all.
bool IsConvertibleType(int32_t outputType);

struct FrameSize {
    int32_t width;
    int32_t height;
    std::string_view label;  // device label, may be empty
};
struct AudioBitrate {
    int32_t kbps;
    std::string_view label;  // quality label, may be empty
};

// A combo row r >= 1 stands for entry r - 1 of its table; row 0 is "Keep Original".
inline constexpr std::array<FrameSize, 14> kFrameSizes{{
    {160, 120, ""},
    {176, 144, ""},
    {256, 192, ""},
    {320, 180, ""},
    {320, 240, "iPod nano"},
    {480, 320, "iPhone 3GS"},
    {640, 272, ""},
    {640, 360, ""},
    {640, 480, "iPhone4"},
    {720, 306, ""},
    {720, 320, ""},
    {960, 640, "iPhone4 H.264"},
    {1024, 768, "iPad1/2"},
    {1280, 720, "iPad1/2 Best"},
}};
inline constexpr std::array<double, 3> kFrameRates{14.985, 23.976, 29.97};
inline constexpr std::array<int32_t, 11> kVideoBitrates{128, 256, 384,  512,  576, 640,
                                                        768, 900, 1500, 2000, 2500};
inline constexpr std::array<AudioBitrate, 8> kAudioBitrates{{
    {32, "Near FM radio"},
    {48, "FM radio"},
    {64, "Better than FM"},
    {80, ""},
    {96, "Near CD quality"},
    {112, ""},
    {128, "CD quality"},
    {160, "Better than CD"},
}};
inline constexpr std::array<int32_t, 2> kAudioChannels{1, 2};
inline constexpr std::array<int32_t, 3> kSampleRates{24000, 44100, 48000};
inline constexpr std::array<double, 19> kVolumeFactors{0.0, 0.25, 0.5, 0.75, 1.25, 1.5, 1.75,
                                                       2.0, 2.25, 2.5, 2.75, 3.0,  3.5, 4.0,
                                                       4.5, 5.0,  6.0, 7.0,  8.0};

// The table entry of a combo row, or nullptr for row 0 ("Keep Original") and rows out of range.
template <typename Table>
const typename Table::value_type* EntryOfRow(const Table& table, int32_t row) {
    if (row < 1 || static_cast<size_t>(row) > table.size()) {
        return nullptr;
    }
    return &table[static_cast<size_t>(row - 1)];
}

}  // namespace clipwright
