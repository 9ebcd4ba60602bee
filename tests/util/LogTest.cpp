#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "util/FileUtils.h"
#include "util/Log.h"

using namespace nebulark;
using nebulark::test::TempDir;

TEST(Log, EachMessageIsALineOnStdoutAndInTheFile) {
    TempDir dir;
    ::testing::internal::CaptureStdout();
    LogMessage("first");
    LogMessage(std::string("two\nlines"));
    LogMessage("");
    LogMessage("Lunedì \xEC");
    LogMessage(static_cast<const char*>(nullptr));
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string expected = "first\ntwo\nlines\n\nLunedì \xEC\n";
    EXPECT_EQ(out, expected);
    EXPECT_EQ(TempDir::Read("log.txt"), expected);
}

TEST(Log, UnwritableLogStillReachesStdout) {
    TempDir dir;
    // A folder in the place of the file cannot be opened for appending, even by root.
    ASSERT_TRUE(ensureDirectory("log.txt"));
    ::testing::internal::CaptureStdout();
    LogMessage("still shown");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "still shown\n");
}
