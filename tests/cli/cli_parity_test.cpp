// The desktop program's form and clipwright-cli, given the same choices, start the encoder with
// byte-identical command lines: the form's controls read as a conversion run reads them, the
// command line as the program itself prints it in a dry run.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "cli_process.h"
#include "engine/command_line.h"
#include "engine/output_types.h"
#include "engine/preset_choices.h"
#include "engine/probe.h"
#include "mainwnd/presets.h"
#include "stand_in_controls.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::Finished;
using testing::RunProgram;
using testing::TestFolder;

// What the user set on the form, and the same as command-line options.
struct Choice {
    int sizeRow = 0;
    const char* width = nullptr;  // typed over the size row's text when given
    const char* height = nullptr;
    int rateRow = 0;
    int videoRow = 0;
    bool vbr = false;
    const char* maxRate = "";
    const char* minRate = "";
    int channelsRow = 0;
    int audioRow = 0;
    int sampleRow = 0;
    std::vector<std::string> args;
};

class CliParityTest : public testing::StandInControlsTest {
protected:
    void SetUp() override {
        StandInControlsTest::SetUp();
        const Finished made =
            RunProgram({CLIPGEN_PATH, folder_.path() + "clip.mp4"}, folder_.path() + "clipgen.err");
        ASSERT_EQ(made.status, 0) << made.err;
    }

    // The settings as the view hands them to a conversion run.
    ConversionSettings FormSettings(const Choice& choice, int32_t type, int32_t standard) {
        size_.setCurrentIndex(choice.sizeRow);
        OnSizeSelChange(&size_, &width_, &height_);
        if (choice.width != nullptr) {
            width_.setText(choice.width);
            height_.setText(choice.height);
        }
        frameRate_.setCurrentIndex(choice.rateRow);
        videoBitrate_.setCurrentIndex(choice.videoRow);
        vbr_.setChecked(choice.vbr);
        OnVbrClicked(&vbr_, &max_, &min_);
        max_.setText(choice.maxRate);
        min_.setText(choice.minRate);
        channels_.setCurrentIndex(choice.channelsRow);
        audioBitrate_.setCurrentIndex(choice.audioRow);
        sampleRate_.setCurrentIndex(choice.sampleRow);
        if (type == kTypeMpeg4 || type == kTypeH264) {
            NormalizeFrameSize(&width_, &height_);
        }
        return RunSettings(ReadConversionSettings(controls_, type, standard, folder_.path()));
    }

    TestFolder folder_;
};

TEST_F(CliParityTest, EveryTypeAndStandardGivesTheFormsCommandLine) {
    const std::vector<Choice> freeForm{
        {},
        {9,
         nullptr,
         nullptr,
         3,
         7,
         true,
         "900",
         "300",
         2,
         3,
         2,
         {"--size", "640x480", "--rate", "29.97", "--video-bitrate", "768", "--vbr", "--max-rate",
          "900", "--min-rate", "300", "--channels", "2", "--audio-bitrate", "64", "--sample-rate",
          "44100"}},
        {0,
         "0",
         "240",
         1,
         11,
         false,
         "",
         "",
         1,
         8,
         3,
         {"--size", "0x240", "--rate", "14.985", "--video-bitrate", "2500", "--channels", "1",
          "--audio-bitrate", "160", "--sample-rate", "48000"}},
        {14,
         nullptr,
         nullptr,
         2,
         0,
         true,
         "",
         "",
         0,
         0,
         1,
         {"--size", "1280x720", "--rate", "23.976", "--vbr", "--sample-rate", "24000"}},
    };
    const std::string clip = folder_.path() + "clip.mp4";
    SourceItem item;
    ASSERT_EQ(Probe(item, clip), 0);
    const std::vector<std::string> types{"dvd", "vcd", "svcd", "dv", "mpeg4", "h264", "wmv", "ogm"};
    int compared = 0;
    for (const std::string& typeWord : types) {
        const int32_t type = cli::TypeOfWord(typeWord);
        const bool isFreeForm = type == kTypeMpeg4 || type == kTypeH264;
        for (const char* standard : {"ntsc", "pal", "film"}) {
            for (const Choice& choice : isFreeForm ? freeForm : std::vector<Choice>{Choice{}}) {
                std::vector<std::string> args{"-t", typeWord, "-s", standard, "-o", folder_.path()};
                args.insert(args.end(), choice.args.begin(), choice.args.end());
                const std::string trace = typeWord + " " + standard + " " +
                                          std::to_string(choice.args.size()) + " options";
                std::vector<std::string> parseArgs = args;
                parseArgs.push_back(clip);
                const cli::ParseResult parsed = cli::ParseArguments(parseArgs);
                ASSERT_TRUE(parsed.ok) << parsed.error;
                const int32_t tv = parsed.options.settings.tvStandard;
                const std::string formOptions = BuildOptions(FormSettings(choice, type, tv));
                EXPECT_EQ(cli::OptionsFor(parsed.options.settings), formOptions) << trace;
                if (!IsConvertibleType(type)) {
                    continue;  // no command line at all: the program refuses the type
                }
                // The program's own dry run against the form's line for the same output name.
                std::vector<std::string> run{CLI_PATH, "--dry-run"};
                run.insert(run.end(), args.begin(), args.end());
                run.push_back(clip);
                const Finished dry = RunProgram(run, folder_.path() + "cli.err");
                ASSERT_EQ(dry.status, 0) << trace << dry.err;
                const size_t tab = dry.out.find('\t');
                ASSERT_NE(tab, std::string::npos) << dry.out;
                const std::string outputPath = dry.out.substr(0, tab);
                SourceItem named = item;
                named.outputFolder = folder_.path();
                named.outputStem = outputPath.substr(folder_.path().size());
                named.outputExt = std::string(OutputExtension(type));
                named.outputStem.resize(named.outputStem.size() - named.outputExt.size() - 1);
                EXPECT_EQ(dry.out.substr(tab + 1), BuildCommandLine(named, formOptions) + "\n")
                    << trace;
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, 4 * 3 + 2 * 3 * static_cast<int>(freeForm.size()));
}

}  // namespace
}  // namespace clipwright
