#include "support/file_url.h"

#include <gtest/gtest.h>

namespace clipwright {
namespace {

// Dropped files and command-line addresses share this: a host of "localhost" is this computer,
// not a path starting with "//localhost", and escaped bytes need not be UTF-8.
TEST(FileUrlTest, LocalHostsAreLocalOtherHostsAreNamedAndBytesAreKept) {
    EXPECT_EQ(FileUrlTargetOf(QUrl("file:///tmp/a%20b.mpg")).path, "/tmp/a b.mpg");
    EXPECT_EQ(FileUrlTargetOf(QUrl("file://localhost/tmp/x.mpg")).path, "/tmp/x.mpg");
    EXPECT_EQ(FileUrlTargetOf(QUrl("file://LOCALHOST/tmp/x.mpg")).path, "/tmp/x.mpg");
    EXPECT_EQ(FileUrlTargetOf(QUrl("file:///tmp/caf%E9.mpg")).path, "/tmp/caf\xe9.mpg");

    const FileUrlTarget remote = FileUrlTargetOf(QUrl("file://nas/share/x.mpg"));
    EXPECT_TRUE(remote.path.empty());
    EXPECT_EQ(remote.remoteHost, QString("nas"));

    EXPECT_TRUE(FileUrlTargetOf(QUrl("https://example.org/x.mpg")).path.empty());
    EXPECT_TRUE(FileUrlTargetOf(QUrl("https://example.org/x.mpg")).remoteHost.isEmpty());
}

}  // namespace
}  // namespace clipwright
