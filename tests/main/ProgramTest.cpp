#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "support/ProcessProbe.h"
#include "support/TempDir.h"

using nebulark::test::ChildrenOf;
using nebulark::test::TempDir;

namespace {

constexpr const char* kBlockName = "/mem_shared_hardJoy";
constexpr const char* kBlockFile = "/dev/shm/mem_shared_hardJoy";

// Runs the game binary in the working directory, with its standard output on
// `output` when one is given; answers its exit status, or -1 when it did not
// exit normally.
int RunGame(int output = -1) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (output >= 0) dup2(output, STDOUT_FILENO);
        signal(SIGPIPE, SIG_DFL);
        execl(NEBULARK_BINARY, NEBULARK_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

bool BlockExists() {
    struct stat info {};
    return lstat(kBlockFile, &info) == 0;
}

// The program uses the one fixed block name; ctest runs these tests under a
// resource lock, and each leaves nothing behind.
class Program : public ::testing::Test {
protected:
    void SetUp() override { shm_unlink(kBlockName); }
    void TearDown() override {
        EXPECT_FALSE(BlockExists());
        shm_unlink(kBlockName);
    }
};

}  // namespace

TEST_F(Program, StartsWithAFreshLogAndEndsCleanly) {
    TempDir dir;
    TempDir::Write("log.txt", "left by an earlier run\n");
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(TempDir::Read("log.txt").find("earlier run"), std::string::npos);
}

TEST_F(Program, WithoutADisplayItLogsAndEndsWithStatusZero) {
    TempDir dir;
    TempDir::Write("log.txt", "left by an earlier run\n");
    unsetenv("DISPLAY");
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(TempDir::Read("log.txt"), "XOpenDisplay(0) failed.\nChiusura screen non riuscita\n");
}

// Output piped into a program that has already ended, or a terminal gone:
// the program goes on, and every line still reaches the log.
TEST_F(Program, AClosedStandardOutputNeitherEndsTheProgramNorLosesTheLog) {
    TempDir dir;
    unsetenv("DISPLAY");
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    EXPECT_EQ(RunGame(ends[1]), 0);
    close(ends[1]);
    EXPECT_EQ(TempDir::Read("log.txt"), "XOpenDisplay(0) failed.\nChiusura screen non riuscita\n");
}

// The joystick reader is ended and its block removed: even a block an earlier
// run left behind, with the stick held left, is gone when the program ends.
TEST_F(Program, StopsTheJoystickReaderAndRemovesItsBlock) {
    TempDir dir;
    const int handle = shm_open(kBlockName, O_RDWR | O_CREAT, 0666);
    ASSERT_GE(handle, 0);
    const unsigned char stale[7] = {1, 0, 0, 1, 0, 0, 0};
    ASSERT_EQ(write(handle, stale, sizeof stale), 7);
    close(handle);
    // Orphans of the game are handed to this process, so a reader left running
    // would show up among its children.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);

    EXPECT_EQ(RunGame(), 0);
    EXPECT_FALSE(BlockExists());
    for (const auto& child : ChildrenOf(getpid()))
        EXPECT_NE(child.name, "nebulark") << "a reader outlived the game: pid " << child.pid;
}
