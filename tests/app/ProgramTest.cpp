#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/TempDir.h"

using nebulark::test::TempDir;

namespace {

// Runs the game binary in the working directory; answers its exit status, or
// -1 when it did not exit normally.
int RunGame() {
    const pid_t pid = fork();
    if (pid == 0) {
        execl(NEBULARK_BINARY, NEBULARK_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace

TEST(Program, StartsWithAFreshLogAndEndsCleanly) {
    TempDir dir;
    TempDir::Write("log.txt", "left by an earlier run\n");
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(TempDir::Read("log.txt").find("earlier run"), std::string::npos);
}

TEST(Program, WithoutADisplayItLogsAndEndsWithStatusZero) {
    TempDir dir;
    TempDir::Write("log.txt", "left by an earlier run\n");
    unsetenv("DISPLAY");
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(TempDir::Read("log.txt"), "XOpenDisplay(0) failed.\nChiusura screen non riuscita\n");
}
