// The display-free planning of a disc and the reading of the tools' output, on the texts the
// encoder and the tools really print.
#include <gtest/gtest.h>

#include <utility>

#include "disc/disc_plan.h"
#include "disc/tool_output.h"
#include "engine/output_types.h"

namespace clipwright {
namespace {

DiscTitle Title(const std::string& path, int width, int height, double fps,
                int64_t durationMs = 4000, uint64_t bytes = 1 << 20) {
    DiscTitle title;
    title.path = path;
    title.durationMs = durationMs;
    title.bytes = bytes;
    title.video = {width, height, fps};
    return title;
}

TEST(DiscPlan, OnlyDiscTypesMakeDiscs) {
    EXPECT_EQ(DiscKindOfType(kTypeDvd), DiscKind::kDvd);
    EXPECT_EQ(DiscKindOfType(kTypeVcd), DiscKind::kVcd);
    EXPECT_EQ(DiscKindOfType(kTypeSvcd), DiscKind::kSvcd);
    EXPECT_FALSE(DiscKindOfType(kTypeDv));
    EXPECT_FALSE(DiscKindOfType(kTypeMpeg4));
}

TEST(DiscPlan, VideoFactsFromTheEncodersStreamText) {
    const auto pal = ParseVideoFacts("mpeg2video, yuv420p, 720x576, 25.00 fps");
    ASSERT_TRUE(pal);
    EXPECT_EQ(pal->width, 720);
    EXPECT_EQ(pal->height, 576);
    EXPECT_DOUBLE_EQ(pal->fps, 25.0);
    EXPECT_EQ(StandardOf(*pal), DiscStandard::kPal);
    const auto vcd = ParseVideoFacts("mpeg1video, yuv420p, 352x240, 29.97 fps");
    ASSERT_TRUE(vcd);
    EXPECT_EQ(StandardOf(*vcd), DiscStandard::kNtsc);
    EXPECT_TRUE(FitsDisc(DiscKind::kVcd, *vcd));
    EXPECT_FALSE(FitsDisc(DiscKind::kSvcd, *vcd));
    EXPECT_FALSE(ParseVideoFacts("mpeg2video, yuv420p, 25.00 fps"));
    // Lines and rate must agree: 576 lines at 29.97 fps is neither standard.
    EXPECT_EQ(StandardOf({720, 576, 29.97}), DiscStandard::kUnknown);
}

TEST(DiscPlan, RefusalsNameTheFiles) {
    EXPECT_EQ(CheckTitles(DiscKind::kDvd, {}).problem, PlanProblem::kNoTitles);

    const PlanCheck mixed = CheckTitles(
        DiscKind::kDvd, {Title("/a.mpg", 720, 576, 25), Title("/b.mpg", 720, 480, 29.97),
                         Title("/c.mpg", 720, 576, 25)});
    EXPECT_EQ(mixed.problem, PlanProblem::kMixedStandards);
    EXPECT_EQ(mixed.files, (std::vector<std::string>{"/a.mpg", "/c.mpg"}));
    EXPECT_EQ(mixed.otherFiles, (std::vector<std::string>{"/b.mpg"}));

    // A DVD file in a VCD plan: converted as another type.
    const PlanCheck wrong = CheckTitles(
        DiscKind::kVcd, {Title("/v.mpg", 352, 240, 29.97), Title("/d.mpg", 720, 480, 29.97)});
    EXPECT_EQ(wrong.problem, PlanProblem::kWrongType);
    EXPECT_EQ(wrong.files, std::vector<std::string>{"/d.mpg"});

    const PlanCheck unreadable =
        CheckTitles(DiscKind::kDvd, {Title("/a.mpg", 720, 576, 25), Title("/x.mpg", 0, 0, 0)});
    EXPECT_EQ(unreadable.problem, PlanProblem::kUnreadable);
    EXPECT_EQ(unreadable.files, std::vector<std::string>{"/x.mpg"});

    // One title more than the tools take is refused before them, and the limit itself is not.
    for (const auto& [kind, limit] :
         {std::pair{DiscKind::kDvd, size_t{99}}, std::pair{DiscKind::kVcd, size_t{98}},
          std::pair{DiscKind::kSvcd, size_t{98}}}) {
        const DiscTitle one = kind == DiscKind::kDvd   ? Title("/t.mpg", 720, 576, 25)
                              : kind == DiscKind::kVcd ? Title("/t.mpg", 352, 288, 25)
                                                       : Title("/t.mpg", 480, 576, 25);
        EXPECT_EQ(MaxDiscTitles(kind), limit);
        EXPECT_EQ(CheckTitles(kind, std::vector<DiscTitle>(limit, one)).problem,
                  PlanProblem::kNone);
        EXPECT_EQ(CheckTitles(kind, std::vector<DiscTitle>(limit + 1, one)).problem,
                  PlanProblem::kTooManyTitles);
    }

    const PlanCheck good = CheckTitles(DiscKind::kSvcd, {Title("/s.mpg", 480, 576, 25)});
    EXPECT_EQ(good.problem, PlanProblem::kNone);
    EXPECT_EQ(good.standard, DiscStandard::kPal);
}

TEST(DiscPlan, SizeAgainstTheDisc) {
    // 4.5 GB of DVD files still fits; 4.65 GB does not, once dvdauthor's share is added.
    const uint64_t gb = 1'000'000'000ULL;
    EXPECT_LT(EstimatedImageBytes(DiscKind::kDvd, {Title("/a", 720, 576, 25, 1, 45 * gb / 10)}),
              DiscCapacityBytes(DiscKind::kDvd));
    EXPECT_GT(EstimatedImageBytes(DiscKind::kDvd, {Title("/a", 720, 576, 25, 1, 465 * gb / 100)}),
              DiscCapacityBytes(DiscKind::kDvd));
    // A CD image is never smaller than its files; 850 MB of MPEG is more than the 836 MB of
    // payload an 80-minute CD holds.
    const uint64_t vcdBytes = 600'000'000ULL;
    EXPECT_GT(EstimatedImageBytes(DiscKind::kVcd, {Title("/v", 352, 240, 29.97, 1, vcdBytes)}),
              vcdBytes);
    EXPECT_LT(EstimatedImageBytes(DiscKind::kVcd, {Title("/v", 352, 240, 29.97, 1, vcdBytes)}),
              DiscCapacityBytes(DiscKind::kVcd));
    EXPECT_GT(EstimatedImageBytes(DiscKind::kVcd, {Title("/v", 352, 240, 29.97, 1, 850'000'000)}),
              DiscCapacityBytes(DiscKind::kVcd));
}

TEST(DiscPlan, ChaptersEveryFiveMinutesBeforeTheEnd) {
    EXPECT_EQ(ChapterList(4000, 300), "0");
    EXPECT_EQ(ChapterList(300'000, 300), "0");
    EXPECT_EQ(ChapterList(300'001, 300), "0,0:05:00");
    EXPECT_EQ(ChapterList(3'700'000, 300).substr(ChapterList(3'700'000, 300).rfind(',')),
              ",1:00:00");
}

TEST(DiscPlan, AuthorXmlPlaysTheTitlesInOrder) {
    const std::string xml = DvdAuthorXml(
        {Title("/v/a&b.mpg", 720, 576, 25, 4000), Title("/v/\"c\".mpg", 720, 576, 25, 601'000)},
        DiscStandard::kPal);
    EXPECT_NE(xml.find("file=\"/v/a&amp;b.mpg\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("file=\"/v/&quot;c&quot;.mpg\" chapters=\"0,0:05:00,0:10:00\""),
              std::string::npos)
        << xml;
    const size_t first = xml.find("<post>jump title 2;</post>");
    const size_t last = xml.find("<post>exit;</post>");
    ASSERT_NE(first, std::string::npos) << xml;
    ASSERT_NE(last, std::string::npos) << xml;
    EXPECT_LT(first, last);
    EXPECT_EQ(xml.find("jump title 3"), std::string::npos);
    EXPECT_EQ(xml.find("ntsc"), std::string::npos);
    EXPECT_NE(xml.find("<video format=\"pal\"/>"), std::string::npos);
}

TEST(DiscPlan, VolumeLabelsAreIsoCharacters) {
    EXPECT_EQ(VolumeLabel("My holiday - 2024"), "MY_HOLIDAY_2024");
    EXPECT_EQ(VolumeLabel("äöü"), "DISC");
    EXPECT_EQ(VolumeLabel(std::string(40, 'a')).size(), 32u);
}

TEST(ToolOutput, DvdauthorProgressInTwoPhases) {
    EXPECT_EQ(DvdauthorPercent("STAT: VOBU 14 at 50MB, 2 PGCs", 100.0), 40);
    EXPECT_EQ(DvdauthorPercent("STAT: VOBU 14 at 500MB, 2 PGCs", 100.0), 80);
    EXPECT_EQ(DvdauthorPercent("STAT: fixing VOBU at 1MB (7/14, 50%)", 100.0), 90);
    EXPECT_EQ(DvdauthorPercent("STAT: Processing /tmp/x 5MB.mpg...", 100.0), -1);
    EXPECT_EQ(DvdauthorPercent("INFO: Video pts = 0.540 .. 4.500", 100.0), -1);
}

TEST(ToolOutput, GenisoimageProgress) {
    EXPECT_EQ(GenisoimagePercent(" 45.12% done, estimate finish Tue Dec  8 05:54:19 2026"), 45);
    EXPECT_EQ(GenisoimagePercent("  4.87% done, estimate finish Tue Dec  8 05:54:19 2026"), 4);
    // A German locale's decimal comma: the digits before the comma, not those after it.
    EXPECT_EQ(GenisoimagePercent(" 45,12% done, Schätzung Ende Di 8. Dez 05:54:19 2026"), 45);
    EXPECT_EQ(GenisoimagePercent("100.00% done"), 100);
    EXPECT_EQ(GenisoimagePercent("725 extents written (1 MB)"), -1);
    EXPECT_EQ(GenisoimagePercent("The pad was 26 for file VIDEO_TS.IFO"), -1);
}

TEST(ToolOutput, TheToolsOwnErrorLine) {
    EXPECT_EQ(ToolErrorLine("INFO: a\r\nSTAT: b\nERR:  no video format specified for VMGM\n"),
              "ERR:  no video format specified for VMGM");
    // The first of genisoimage's lines says why; a warning before it is not the reason.
    EXPECT_EQ(ToolErrorLine("Total translation table size: 0\n"
                            "genisoimage: Warning: something harmless\n"
                            "genisoimage: No such file or directory. Failed to open VIDEO_TS.IFO\n"
                            "genisoimage: Unable to make a DVD-Video image.\n"
                            "Possible reasons:\n  - VIDEO_TS has invalid contents\n"),
              "genisoimage: No such file or directory. Failed to open VIDEO_TS.IFO");
    EXPECT_EQ(ToolErrorLine("Max brk space used 1a000\n 45.12% done, estimate finish x\n"
                            "genisoimage: No space left on device. cannot fwrite 2048*1\n"),
              "genisoimage: No space left on device. cannot fwrite 2048*1");
    EXPECT_EQ(ToolErrorLine("one\n  last words  \n\n"), "last words");
    EXPECT_EQ(ToolErrorLine(""), "");
}

}  // namespace
}  // namespace clipwright
