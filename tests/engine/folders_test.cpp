#include <gtest/gtest.h>

#include "engine/file_system.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;

TEST(EnsureFolder, CreatesMissingParentsFirst) {
    const TestFolder dir;
    const std::string deep = dir.path() + "x/a/b/c/";
    EnsureFolder(deep);
    EXPECT_TRUE(IsFolder(dir.path() + "x/"));
    EXPECT_TRUE(IsFolder(dir.path() + "x/a/b/"));
    EXPECT_TRUE(IsFolder(deep));
    EnsureFolder(deep);  // already there: nothing to do
    EXPECT_TRUE(IsFolder(deep));
}

TEST(EnsureFolder, LeavesFilesAloneAndIgnoresErrors) {
    const TestFolder dir;
    const std::string file = dir.Write("plain", "keep me");
    EXPECT_FALSE(IsFolder(file));
    EnsureFolder(file + "/sub/");
    EXPECT_EQ(TestFolder::Read(file), "keep me");
    EnsureFolder("");
    EnsureFolder("/");
}

}  // namespace
}  // namespace clipwright
