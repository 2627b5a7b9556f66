// The media runtime's version asked of a child: only a well-formed answer from a child that ended
// well counts; anything else reads as no runtime, and a child that hangs is not waited for.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/media_runtime.h"
#include "test_folder.h"

namespace clipwright {
namespace {

TEST(RuntimeVersionText, ReadsBackOnlyWhatIsWritten) {
    const RuntimeVersion version = ParseRuntimeVersionText(RuntimeVersionText({2, 3})).value();
    EXPECT_EQ(version.major, 2);
    EXPECT_EQ(version.minor, 3);
    for (const char* text : {"", "2.3", "2\n", "2.\n", ".3\n", "2.3.1\n", "-1.5\n", "2.3 \n",
                             "x2.3\n", "2.3\n\n", "99999999999.1\n"}) {
        EXPECT_FALSE(ParseRuntimeVersionText(text).has_value()) << text;
    }
}

class AskMediaRuntimeVersionTest : public ::testing::Test {
protected:
    std::string Script(const std::string& body) {
        const std::string path = folder_.Write("answer.sh", "#!/bin/sh\n" + body);
        ::chmod(path.c_str(), 0755);
        return path;
    }
    testing::TestFolder folder_;
};

TEST_F(AskMediaRuntimeVersionTest, TheChildsAnswerIsTheVersion) {
    const std::string args = folder_.path() + "args";
    const RuntimeVersion version =
        AskMediaRuntimeVersion(Script("echo \"$@\" > '" + args + "'\necho 2.1\n"), 10000);
    EXPECT_EQ(version.major, 2);
    EXPECT_EQ(version.minor, 1);
    EXPECT_EQ(testing::TestFolder::Read(args), "--media-runtime-version\n");
}

TEST_F(AskMediaRuntimeVersionTest, AnythingElseIsNoRuntime) {
    for (const char* body : {
             "echo 2.1\nexit 3\n",         // an answer with a failed status
             "echo garbage\n",             // no answer
             "echo 2.1; kill -KILL $$\n",  // died
             "exec sleep 30\n",            // hangs: killed at the limit
         }) {
        const RuntimeVersion version = AskMediaRuntimeVersion(Script(body), 1500);
        EXPECT_EQ(version.major, 0) << body;
        EXPECT_EQ(version.minor, 0) << body;
    }
    EXPECT_EQ(AskMediaRuntimeVersion(folder_.path() + "no-such-program", 1500).major, 0);
}

}  // namespace
}  // namespace clipwright
