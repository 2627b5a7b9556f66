#include "support/resource_strings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "base/string_ids.h"
#include "base/text_log.h"
#include "support/resource_module.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;

TEST(PlaceholderKindsTest, ReadsConversionsWithFlagsWidthsAndLengths) {
    EXPECT_EQ(PlaceholderKinds("plain"), "");
    EXPECT_EQ(PlaceholderKinds("100%% done"), "");
    EXPECT_EQ(PlaceholderKinds("%dx%d - %s (%s)"), "ddss");
    EXPECT_EQ(PlaceholderKinds("%2.3f fps"), "f");
    EXPECT_EQ(PlaceholderKinds("%.0f%% - %s"), "fs");
    EXPECT_EQ(PlaceholderKinds("%-*.*s|%08x|%c"), "ddsdd");
    EXPECT_EQ(PlaceholderKinds("%ld %lld %zu %hd %p"), "lqldp");
    EXPECT_EQ(PlaceholderKinds("%%%d%%"), "d");
}

// A text loaded without arguments is printed as printf would print it, without being a format.
TEST(PlaceholderKindsTest, TextWithoutPlaceholdersLosesOnlyItsPercentEscapes) {
    EXPECT_EQ(detail::WithoutPercentEscapes("100%% done"), "100% done");
    EXPECT_EQ(detail::WithoutPercentEscapes("%%%%|%%"), "%%|%");
    EXPECT_EQ(detail::WithoutPercentEscapes("plain"), "plain");
}

TEST(PlaceholderKindsTest, RefusesWhatCouldCorruptOrMisread) {
    EXPECT_FALSE(PlaceholderKinds("wrote %n bytes").has_value());
    EXPECT_FALSE(PlaceholderKinds("ends in %").has_value());
    EXPECT_FALSE(PlaceholderKinds("%5").has_value());
    EXPECT_FALSE(PlaceholderKinds("%ls").has_value());
    EXPECT_FALSE(PlaceholderKinds("%Lf").has_value());
    EXPECT_FALSE(PlaceholderKinds("%y").has_value());
}

class LoadResourceStringTest : public ::testing::Test {
protected:
    void SetUp() override { SetLogFilePath(log_); }
    void TearDown() override {
        SetLogFilePath("");
        SetCurrentResourceModule(nullptr);
    }
    std::string Log() const { return TestFolder::Read(log_); }

    TestFolder dir_;
    std::string log_ = dir_.path() + "trel.log";
};

TEST_F(LoadResourceStringTest, FormatsTheLoadedTextWithTheArguments) {
    EXPECT_EQ(LoadResourceString(kIdsDetectingFile, 2, 5, std::string("/v/a b.avi")),
              "Detecting selected files.\nNo.2/5: \"/v/a b.avi\"");
    EXPECT_EQ(LoadResourceString(kIdsConfirmExit, "Clipwright"),
              "Thanks for using Clipwright. Sure to exit?");
    EXPECT_EQ(LoadResourceString(kIdsKeepOriginal), "Keep Original");
    EXPECT_EQ(Log(), "");
}

TEST_F(LoadResourceStringTest, ArgumentsAreNeverTheFormat) {
    EXPECT_EQ(LoadResourceString(kIdsConfirmExit, "%s%n%d"),
              "Thanks for using %s%n%d. Sure to exit?");
    EXPECT_EQ(LoadResourceString(kIdsConvertStep, 1, 1, std::string("%x"), std::string("100%")),
              "Step 1/1: From \"%x\" \n          to \"100%\" \n          Click \"Skip\" or "
              "\"Cancel\" to abort conversion.");
}

TEST_F(LoadResourceStringTest, LongStringsAreLoadedWhole) {
    const std::string reasons = LoadResourceString(kIdsFailureReasons);
    EXPECT_GT(reasons.size(), 300u);
    EXPECT_EQ(reasons.rfind("Please click menu \"Download\" to get more."),
              reasons.size() - std::string("Please click menu \"Download\" to get more.").size());
}

TEST_F(LoadResourceStringTest, MissingStringLogsItsIdAndGivesEmptyText) {
    EXPECT_EQ(LoadResourceString(61299), "");
    EXPECT_EQ(LoadResourceString(-5, 1), "");
    EXPECT_EQ(Log(),
              "**Error Loading Resource String:id=61299\n**Error Loading Resource String:id=-5\n");
}

TEST_F(LoadResourceStringTest, ArgumentsThatDoNotMatchThePlaceholdersGiveEmptyText) {
    EXPECT_EQ(LoadResourceString(kIdsConfirmExit, 7), "");
    EXPECT_EQ(LoadResourceString(kIdsKeepOriginal, "extra"), "");
    EXPECT_EQ(Log(),
              "**Error Resource String Placeholders:id=61221\n"
              "**Error Resource String Placeholders:id=61337\n");
}

TEST_F(LoadResourceStringTest, SelectedLibraryIsSearchedAlone) {
    std::ifstream in(PARTIAL_CATALOG, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::string error;
    SetCurrentResourceModule(ResourceModule::FromCatalog(std::as_bytes(std::span(bytes)), &error));
    ASSERT_NE(CurrentResourceModule(), ResourceModule::BuiltIn()) << error;

    EXPECT_EQ(LoadResourceString(kIdsConfirmExit, "Clipwright"),
              "Merci d'avoir utilisé Clipwright. Quitter ?");
    EXPECT_EQ(LoadResourceString(kIdsRecommended), "");
    // This translation swapped the order of the path and the numbers; "%n" is refused outright.
    EXPECT_EQ(LoadResourceString(kIdsDetectingFile, 1, 2, "/a"), "");
    EXPECT_EQ(LoadResourceString(kIdsDisableAudio), "");
    EXPECT_EQ(Log(),
              "**Error Loading Resource String:id=61336\n"
              "**Error Resource String Placeholders:id=61212\n"
              "**Error Resource String Placeholders:id=61340\n");

    SetCurrentResourceModule(nullptr);
    EXPECT_EQ(LoadResourceString(kIdsRecommended), "Recommended");
}

// Workers load strings while the user interface switches the language.
TEST_F(LoadResourceStringTest, LoadingWhileTheModuleChangesIsSafe) {
    SetLogFilePath("");
    std::ifstream in(PARTIAL_CATALOG, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const auto library = ResourceModule::FromCatalog(std::as_bytes(std::span(bytes)), nullptr);
    ASSERT_NE(library, nullptr);
    std::atomic<bool> stop{false};
    std::atomic<int> unexpected{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < 3; ++t) {
        workers.emplace_back([&] {
            while (!stop) {
                const std::string text = LoadResourceString(kIdsKeepOriginal);
                if (text != "Keep Original" && text != "Garder l'original") {
                    ++unexpected;
                }
            }
        });
    }
    for (int i = 0; i < 2000; ++i) {
        SetCurrentResourceModule(i % 2 == 0 ? library : nullptr);
    }
    stop = true;
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(unexpected, 0);
}

}  // namespace
}  // namespace clipwright
