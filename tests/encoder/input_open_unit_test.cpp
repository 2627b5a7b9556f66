// The reasons a source that cannot be opened is given: what the file is, never an error code
// that only makes sense for a device.
#include <gtest/gtest.h>

#include <cerrno>

#include "input_open.h"

namespace trel {
namespace {

TEST(OpenErrorText, CodesFromInsideTheDemuxerNameTheHeader) {
    for (const int code : {EBUSY, EAGAIN, ENOSYS, EINVAL, ERANGE}) {
        const std::string text = open_error_text(AVERROR(code));
        EXPECT_NE(text.find("header"), std::string::npos) << code << ": " << text;
    }
    EXPECT_EQ(open_error_text(AVERROR_EOF), "the file ends within its header");
    EXPECT_NE(open_error_text(AVERROR(EIO)).find("cut short"), std::string::npos);
}

TEST(OpenErrorText, FileProblemsKeepTheirOwnText) {
    EXPECT_EQ(open_error_text(AVERROR(ENOENT)), "No such file or directory");
    EXPECT_EQ(open_error_text(AVERROR(EACCES)), "Permission denied");
    EXPECT_EQ(open_error_text(AVERROR_INVALIDDATA), "Invalid data found when processing input");
}

}  // namespace
}  // namespace trel
