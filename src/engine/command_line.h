// The texts that drive the encoder: the option string of a run, the command line of one file,
// the probe's command line, and the choice of an output name. Pure functions apart from
// MakeOutputName, which asks the file system which names exist.
#pragma once

#include <string>
#include <vector>

#include "engine/source_item.h"

namespace clipwright {

// The encoder program's name as the first word of every command line.
inline constexpr const char* kEncoderName = "trelcore";
// The access token with one blank before and after it, inserted as it stands.
inline constexpr const char* kAccessToken = " qmt52rwKZ#& ";
inline constexpr const char* kOutputSuffix = "cvt";

// The encoder name written into command lines. Tests point it at another program; the
// default is kEncoderName. Not thread-safe: set it before any worker starts.
void SetEncoderName(const std::string& name);
const std::string& EncoderName();

std::string BuildOptions(const ConversionSettings& settings);
std::string BuildCommandLine(const SourceItem& item, const std::string& options);
// The same from its parts; start and end in seconds. The length is written as the low 32 bits
// of end - start.
std::string BuildCommandLine(const std::string& sourcePath, const std::string& title,
                             const std::string& options, int64_t start, int64_t end,
                             const std::string& outputPath);
std::string BuildProbeCommandLine(const std::string& path);

// Quotes one argument so that SplitCommandLine gives back exactly the same bytes.
std::string QuoteArgument(const std::string& text);
// Splits a command line into arguments by the Windows rules: the first word ends at the first
// blank (or closing quote, without escapes); later words honour quotes, doubled quotes inside
// quotes, and backslashes before quotes.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// Fills outputFolder (with a trailing "/"), outputStem and outputExt with a name that no file
// or folder has yet.
void MakeOutputName(SourceItem& item, const std::string& folder, const std::string& extension,
                    const std::string& suffix);

bool PathExists(const std::string& path);

}  // namespace clipwright
