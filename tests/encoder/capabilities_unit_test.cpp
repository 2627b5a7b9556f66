// trelcore --can-make: the answers the application acts on, checked against the libraries
// trelcore is linked with.
#include <gtest/gtest.h>

#include "capabilities.h"

namespace trel {
namespace {

using K = Requirement::Kind;

TEST(CanMake, TheDebianLibrariesMakeBothKinds) {
    for (const char* kind : {"wmv", "ogm"}) {
        const CapabilityAnswer answer = answer_can_make(kind);
        EXPECT_EQ(answer.status, 0) << kind;
        EXPECT_EQ(answer.out, "yes\n") << kind;
        EXPECT_EQ(answer.err, "") << kind;
    }
}

// Each kind of requirement is looked up where it belongs: FLIC can only be read and VP6 only
// decoded, so asking for the other direction must say no.
TEST(CanMake, ARequirementTheLibrariesLackSaysNo) {
    EXPECT_TRUE(can_make({{K::demuxer, "flic"}}));
    EXPECT_FALSE(can_make({{K::muxer, "flic"}}));
    EXPECT_TRUE(can_make({{K::decoder, "vp6"}}));
    EXPECT_FALSE(can_make({{K::encoder, "vp6"}}));
    EXPECT_FALSE(can_make({{K::encoder, "wmv2"}, {K::encoder, "no_such_codec"}}));
    EXPECT_FALSE(can_make({{K::decoder, "no_such_codec"}, {K::muxer, "asf"}}));
    EXPECT_FALSE(can_make({}));
    // The shipped kinds ask for what their conversions use.
    EXPECT_TRUE(can_make(requirements_of("wmv")));
    EXPECT_FALSE(can_make(requirements_of("avi")));
}

TEST(CanMake, AnUnknownKindIsAnErrorNotANo) {
    for (const char* kind : {"avi", "", "WMV", "wmv "}) {
        const CapabilityAnswer answer = answer_can_make(kind);
        EXPECT_EQ(answer.status, 2) << kind;
        EXPECT_EQ(answer.out, "") << kind;
        EXPECT_NE(answer.err.find("unknown kind"), std::string::npos) << answer.err;
    }
    // The kind is echoed on one line whatever it holds.
    const CapabilityAnswer odd = answer_can_make("a\nb");
    EXPECT_EQ(odd.err.find('\n'), odd.err.size() - 1) << odd.err;
}

TEST(CanMake, OnlyTheQueryFormIsTaken) {
    EXPECT_FALSE(run_capability_query({"trelcore", "-i", "x.mkv"}));
    EXPECT_FALSE(run_capability_query({"trelcore"}));
    EXPECT_FALSE(run_capability_query({"trelcore", "-i", "--can-make"}));
    EXPECT_EQ(run_capability_query({"trelcore", "--can-make"}), 2);
    EXPECT_EQ(run_capability_query({"trelcore", "--can-make", "wmv", "ogm"}), 2);
}

}  // namespace
}  // namespace trel
