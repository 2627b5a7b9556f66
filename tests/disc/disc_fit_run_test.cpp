// A run fitted to a small disc end to end: clips measured and converted by the real trelcore at
// their planned rates, re-planned as each one finishes, made into a DVD, and read back by lsdvd.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "disc/disc_split.h"
#include "disc_test_support.h"
#include "engine/command_line.h"
#include "engine/disc_fit.h"
#include "engine/probe.h"
#include "engine/run_fit.h"
#include "test_folder.h"

namespace clipwright {
namespace {

namespace fs = std::filesystem;
using testing::RunTool;

TEST(DiscFitRunTest, AFittedRunFillsItsDiscAndReadsBackAsADvd) {
    testing::TestFolder folder;
    SetEncoderName(TRELCORE_PATH);
    const std::vector<std::pair<std::string, std::vector<std::string>>> clips = {
        {"still", {"--motion", "0", "--grain", "0"}},
        {"camera", {}},
        {"grain", {"--motion", "60", "--grain", "20"}}};
    std::vector<SourceItem> items(clips.size());
    std::vector<const SourceItem*> pointers;
    std::vector<FitFile> files;
    for (size_t i = 0; i < clips.size(); ++i) {
        const std::string source = folder.path() + clips[i].first + ".mkv";
        std::vector<std::string> args = {CLIPGEN_PATH, source,    "--natural", "--duration", "6",
                                         "--size",     "720x576", "--sar",     "16:15"};
        args.insert(args.end(), clips[i].second.begin(), clips[i].second.end());
        ASSERT_TRUE(RunTool(args));
        ASSERT_EQ(Probe(items[i], source), 0);
        items[i].selEnd = items[i].duration;
        items[i].outputFolder = folder.path();
        items[i].outputStem = clips[i].first;
        items[i].outputExt = ".mpg";
        pointers.push_back(&items[i]);
        FitFile file;
        file.durationMs = PartOf(items[i]).lengthMs;
        files.push_back(file);
    }
    const FitLimits limits = *FitLimitsOfType(kTypeDvd);
    // A disc the run at the standard rate takes 1.4 times.
    const uint64_t disc = static_cast<uint64_t>(StandardRunBytes(limits, files)) * 10 / 14;
    const auto budget = static_cast<int64_t>(TitleBytesBudget(DiscKind::kDvd, disc, files.size()));
    RunFit fit(kTypeDvd, "-target pal-dvd", budget);
    const std::atomic<bool> go{false};
    ASSERT_EQ(fit.Analyse(pointers, go).problem, FitProblem::kNone);
    EXPECT_LT(fit.AverageVideoRate(), limits.standardAverage);

    std::vector<DiscTitle> titles;
    int64_t total = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string out = OutputPath(items[i]);
        std::vector<std::string> args =
            SplitCommandLine(BuildCommandLine(items[i], fit.OptionsFor(i)));
        args[0] = TRELCORE_PATH;
        args.erase(args.begin() + 1);  // the access token
        std::string said;
        ASSERT_TRUE(RunTool(args, &said)) << said;
        const auto bytes = static_cast<int64_t>(fs::file_size(out));
        fit.Finished(i, bytes);
        total += bytes;
        SourceItem probed;
        ASSERT_EQ(Probe(probed, out), 0);
        DiscTitle title;
        title.path = out;
        title.durationMs = probed.durationMs;
        title.bytes = static_cast<uint64_t>(bytes);
        title.video = ParseVideoFacts(probed.videoInfo).value_or(VideoFacts{});
        titles.push_back(title);
    }
    EXPECT_LE(EstimatedImageBytes(DiscKind::kDvd, titles), disc);
    EXPECT_GE(total, budget * kFitLeastPerMille / 1000) << "of " << budget;

    DiscJob job;
    job.kind = DiscKind::kDvd;
    job.titles = titles;
    job.standard = CheckTitles(DiscKind::kDvd, titles).standard;
    job.targetFolder = folder.path() + "Fitted";
    job.imageName = "Fitted";
    job.volumeLabel = "FITTED";
    std::vector<DiscTool> missing;
    job.tools = LocateTools(DiscKind::kDvd, nullptr, missing);
    ASSERT_TRUE(missing.empty());
    DiscProgress progress;
    const DiscResult made = AuthorDisc(job, progress);
    ASSERT_EQ(made.outcome, DiscOutcome::kDone) << made.errorLine;
    std::string listing;
    ASSERT_TRUE(RunTool({"lsdvd", job.targetFolder}, &listing)) << listing;
    const std::regex title(R"(Title: \d+, Length: 00:00:0(\d)\.)");
    EXPECT_EQ(std::distance(std::sregex_iterator(listing.begin(), listing.end(), title),
                            std::sregex_iterator()),
              3)
        << listing;
    SetEncoderName(kEncoderName);
}

}  // namespace
}  // namespace clipwright
