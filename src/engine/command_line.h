// The texts that drive the encoder: the option string of a run, the command line of one file,
// the probe's command line, and the choice of an output name. The text builders and splitters
// are pure; the encoder name is one process-wide setting; MakeOutputName, ReserveOutputName,
// NameByteLimit and DropEmptyOutput ask or change the file system.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/file_io.h"
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

// Points command lines at another encoder for its lifetime, then back at the one before. Same
// thread rules as SetEncoderName.
class ScopedEncoderName {
public:
    explicit ScopedEncoderName(const std::string& name) : previous_(EncoderName()) {
        SetEncoderName(name);
    }
    ~ScopedEncoderName() { SetEncoderName(previous_); }
    ScopedEncoderName(const ScopedEncoderName&) = delete;
    ScopedEncoderName& operator=(const ScopedEncoderName&) = delete;

private:
    std::string previous_;
};

// The part of a source that one conversion covers, in the list's whole seconds. A part that
// runs to the end of its source leaves the length open, so the encoder goes on to the source's
// last frame: whole seconds would cut off the fraction after the last one.
struct ConversionPart {
    int64_t start = 0;  // seconds
    int64_t end = 0;    // seconds
    bool toTheEnd = false;
    int64_t lengthMs = 0;  // how long the output should last
};

ConversionPart PartOf(const SourceItem& item);
// A fixed part from start to end seconds.
ConversionPart FixedPart(int64_t start, int64_t end);

std::string BuildOptions(const ConversionSettings& settings);
std::string BuildCommandLine(const SourceItem& item, const std::string& options);
// The same from its parts; start and end in seconds. The length is written as the low 32 bits
// of end - start.
std::string BuildCommandLine(const std::string& sourcePath, const std::string& title,
                             const std::string& options, int64_t start, int64_t end,
                             const std::string& outputPath);
// The same for a part; "-t" is left out for a part that runs to the end.
std::string BuildCommandLine(const std::string& sourcePath, const std::string& title,
                             const std::string& options, const ConversionPart& part,
                             const std::string& outputPath);
std::string BuildProbeCommandLine(const std::string& path);
// The encoder serving many probes, each path sent on its standard input (see probe_server.h).
std::string BuildProbeServerCommandLine();
// The encoder's question whether it can make an output type that needs an optional component.
std::string BuildCanMakeCommandLine(const std::string& kind);

// Quotes one argument so that SplitCommandLine gives back exactly the same bytes.
std::string QuoteArgument(const std::string& text);
// Splits a command line into arguments by the Windows rules: the first word ends at the first
// blank (or closing quote, without escapes); later words honour quotes, doubled quotes inside
// quotes, and backslashes before quotes.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// Fills outputFolder (with a trailing "/"), outputStem and outputExt with a name that no file
// or folder has yet (an empty one a killed run left behind counts as free, as ReserveOutputName
// takes it over), nor one for which alsoTaken, when given, says true. The title is shortened (at
// a whole UTF-8 character) where the name would pass the file system's limit of name bytes; the
// suffix, the "[n]" and the extension stay.
void MakeOutputName(SourceItem& item, const std::string& folder, const std::string& extension,
                    const std::string& suffix,
                    const std::function<bool(const std::string& path)>& alsoTaken = {});

// Whether ReserveOutputName took its name.
struct ReserveNameResult {
    bool reserved = false;  // an empty file now stands under the item's output name
    int error = 0;          // when not reserved: the errno of the failed create (ENAMETOOLONG for
                            // a path past the limits); 0 when reserved
    // The reserved file, open and locked (flock) while this result lives: keep it until the
    // file is written, so other runs see the name in use.
    std::unique_ptr<UniqueFd> hold;
};
// The same, but the name is also taken: an empty file is created under it exclusively, so two
// runs into one folder never pick the same name. An empty file left by a run that ended without
// giving its name back (killed) is taken over: one nobody holds locked, unchanged for a minute.
// Not reserved when no empty file could be created (the folder is missing or not writable); the
// name is then one that did not exist.
ReserveNameResult ReserveOutputName(SourceItem& item, const std::string& folder,
                                    const std::string& extension, const std::string& suffix);

// The most bytes one name in folder may have (pathconf's _PC_NAME_MAX, else NAME_MAX).
size_t NameByteLimit(const std::string& folder);
// text cut to at most maxBytes without splitting a UTF-8 character.
std::string CutUtf8(const std::string& text, size_t maxBytes);
// Removes a reserved output that is still empty (its conversion wrote nothing).
void DropEmptyOutput(const std::string& path);

}  // namespace clipwright
