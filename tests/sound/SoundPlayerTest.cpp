#include <gtest/gtest.h>

#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <set>
#include <thread>

#include "sound/SoundPlayer.h"
#include "support/ProcessProbe.h"
#include "support/StubAplay.h"
#include "support/TempDir.h"
#include "util/ChildProcesses.h"
#include "util/FileUtils.h"

using namespace nebulark;
using nebulark::test::ChildrenOf;
using nebulark::test::DescendantsOf;
using nebulark::test::kNotAChild;
using nebulark::test::ScopedPath;
using nebulark::test::StubAplay;
using nebulark::test::TempDir;
using nebulark::test::WaitFor;
using nebulark::test::WaitForChild;
using nebulark::test::ZombieChildCount;

namespace {

constexpr const char* kSound = "Data/Explosion.wav";

// A valid one-tenth-second WAV file of silence, 8 kHz mono 8-bit.
void WriteSilence(const std::string& path) {
    const uint32_t samples = 800;
    std::string wav = "RIFF";
    const auto put32 = [&wav](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            wav += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const auto put16 = [&wav](uint16_t v) {
        wav += static_cast<char>(v & 0xFF);
        wav += static_cast<char>(v >> 8);
    };
    put32(36 + samples);
    wav += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(8000);
    put16(1);
    put16(8);
    wav += "data";
    put32(samples);
    wav += std::string(samples, static_cast<char>(0x80));
    TempDir::Write(path, wav);
}

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureDirectory("Data");
        WriteSilence(kSound);
    }
    // No stub run is still going and every child has been reaped.
    void ExpectAllCleared(const StubAplay& aplay) {
        EXPECT_TRUE(WaitFor([&] { return aplay.NoneRunning(); }));
        EXPECT_TRUE(WaitFor([] {
            reapFinishedChildren();
            return ChildrenOf(getpid()).empty();
        }));
    }

    TempDir dir;
};

bool EndedBy(int status, int signal) {
    return status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == signal;
}

// The processes still running anywhere below this one, except `kept` and those
// below it. The tree is read before the kept part, so that nothing the kept
// process starts in between is taken for a process left over.
std::vector<pid_t> RunningBesides(pid_t kept = 0) {
    const auto all = DescendantsOf(getpid());
    std::set<pid_t> keptTree;
    if (kept > 0) {
        keptTree.insert(kept);
        for (const auto& process : DescendantsOf(kept))
            keptTree.insert(process.pid);
    }
    std::vector<pid_t> running;
    for (const auto& process : all)
        if (process.state != 'Z' && process.state != 'X' && keptTree.count(process.pid) == 0)
            running.push_back(process.pid);
    return running;
}

}  // namespace

TEST_F(SoundPlayerTest, PlayReturnsAtOnceAndTheChildPlaysTheFileOnce) {
    StubAplay aplay(dir.Path() + "/bin", 0.5);
    SoundPlayer player;
    const auto before = std::chrono::steady_clock::now();
    player.play(kSound, false);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(300));
    EXPECT_TRUE(player.playing);
    EXPECT_GT(player.childId, 0);
    ASSERT_TRUE(WaitFor([&] { return aplay.Runs().size() == 1; }));
    EXPECT_EQ(aplay.Runs()[0].endNs, 0) << "play waited for the player";
    EXPECT_EQ(aplay.Runs()[0].arguments, kSound);

    // The child ends by itself after one run; the flag stays set until the next call.
    EXPECT_EQ(WaitForChild(player.childId), 0);
    EXPECT_EQ(aplay.Runs().size(), 1u);
    EXPECT_GE(aplay.Runs()[0].endNs - aplay.Runs()[0].startNs, 500'000'000);
    EXPECT_TRUE(player.playing);
    player.stop();
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(player.childId, 0);
}

TEST_F(SoundPlayerTest, ASecondPlayEndsTheFirstChild) {
    StubAplay aplay(dir.Path() + "/bin", 0.5);
    SoundPlayer player;
    player.play(kSound, false);
    const pid_t first = player.childId;
    player.play(kSound, false);
    const pid_t second = player.childId;
    EXPECT_NE(first, second);
    // The second play may itself reap the first child once the signal has
    // ended it, and its status is gone then; that it was ended early shows in
    // no run of the player having ended yet.
    const int status = WaitForChild(first);
    if (status == kNotAChild) {
        const auto runs = aplay.Runs();
        EXPECT_TRUE(
            std::none_of(runs.begin(), runs.end(), [](const auto& run) { return run.endNs != 0; }));
    } else {
        EXPECT_TRUE(EndedBy(status, SIGTERM));
    }
    EXPECT_EQ(WaitForChild(second), 0);
    // Only the second child played its file to the end.
    const auto runs = aplay.Runs();
    EXPECT_EQ(
        std::count_if(runs.begin(), runs.end(), [](const auto& run) { return run.endNs != 0; }), 1);
    ExpectAllCleared(aplay);
}

// Nothing started for a sound, its child, the shell or the player, outlives
// the sound's stop: replaced by another, stopped or terminated, looping or not,
// nor a game killed outright. Orphans are handed to this process, where they
// stay in sight.
TEST_F(SoundPlayerTest, NothingStartedForASoundOutlivesItsStop) {
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    // Each run outlasts all the waits below, so whatever is left over is seen.
    StubAplay aplay(dir.Path() + "/bin", 30);
    const auto started = [&aplay](size_t runs) {
        return WaitFor([&] { return aplay.Runs().size() == runs; });
    };
    const auto nothingBesides = [](pid_t kept) {
        return WaitFor([kept] { return RunningBesides(kept).empty(); });
    };
    SoundPlayer player;
    player.play(kSound, false);
    ASSERT_TRUE(started(1));
    player.play(kSound, true);
    ASSERT_TRUE(started(2));
    EXPECT_TRUE(nothingBesides(player.childId)) << "the replaced sound plays on";

    const pid_t looping = player.childId;
    player.stop();
    EXPECT_FALSE(player.playing);
    EXPECT_TRUE(EndedBy(WaitForChild(looping), SIGTERM));
    EXPECT_TRUE(nothingBesides(0)) << "the stopped loop plays on";

    player.play(kSound, false);
    ASSERT_TRUE(started(3));
    const pid_t last = player.childId;
    player.terminate();
    EXPECT_TRUE(EndedBy(WaitForChild(last), SIGTERM));
    EXPECT_TRUE(nothingBesides(0)) << "the terminated sound plays on";

    const pid_t game = fork();
    if (game == 0) {
        SoundPlayer itsPlayer;
        itsPlayer.play(kSound, true);
        for (;;)
            pause();
    }
    ASSERT_TRUE(started(4));
    kill(game, SIGKILL);
    EXPECT_NE(WaitForChild(game), -1);
    EXPECT_TRUE(nothingBesides(0)) << "the killed game's sound plays on";
    // What a failure left behind must not play on past the test.
    for (const pid_t left : RunningBesides())
        kill(left, SIGKILL);
}

// A loop rests a second between runs only when the player failed: found by
// no shell (127) or without a sound card (1), it costs a few shells, while a
// short sound played well loops on at once.
TEST_F(SoundPlayerTest, ALoopRestsOnlyAfterAFailedRun) {
    const std::string failing = dir.Path() + "/failing";
    ensureDirectory(failing);
    for (const int status : {127, 1}) {
        TempDir::Write(failing + "/aplay",
                       "echo run >> '" + failing + "/runs'\nexit " + std::to_string(status) + "\n");
        chmod((failing + "/aplay").c_str(), 0755);
        removeFile(failing + "/runs");
        ScopedPath path(failing);
        SoundPlayer player;
        player.play(kSound, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        player.stop();
        const std::string runs = TempDir::Read(failing + "/runs");
        EXPECT_GE(runs.size(), 2 * 4u) << status;
        EXPECT_LE(runs.size(), 4 * 4u) << status;
    }

    StubAplay aplay(dir.Path() + "/bin", 0);
    SoundPlayer player;
    player.play(kSound, true);
    EXPECT_TRUE(WaitFor([&] { return aplay.Runs().size() >= 10; }, std::chrono::seconds(2)));
    player.stop();
    ExpectAllCleared(aplay);
}

TEST_F(SoundPlayerTest, AMissingFileIsLoggedAndStartsNothing) {
    StubAplay aplay(dir.Path() + "/bin", 0.05);
    SoundPlayer player;
    ::testing::internal::CaptureStdout();
    player.play("Data/Missing.wav", false);
    player.playAndWait("Data/Missing.wav");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Data/Missing.wav non trovato.\nData/Missing.wav non trovato.\n");
    EXPECT_EQ(TempDir::Read("log.txt"),
              "Data/Missing.wav non trovato.\nData/Missing.wav non trovato.\n");
    EXPECT_FALSE(player.playing);
    EXPECT_TRUE(ChildrenOf(getpid()).empty());
    EXPECT_TRUE(aplay.Runs().empty());
}

TEST_F(SoundPlayerTest, PlayAndWaitReturnsOnceThePlayerHasEnded) {
    StubAplay aplay(dir.Path() + "/bin", 0.2);
    // The looping sound is another file, so that the run played and waited for
    // can be told apart from the loop's runs.
    const std::string loopSound = "Data/Loop.wav";
    WriteSilence(loopSound);
    SoundPlayer player;
    player.play(loopSound, true);
    const pid_t looping = player.childId;
    // Waiting for a sound first ends the one playing in the background.
    player.playAndWait(kSound);
    EXPECT_FALSE(player.playing);
    EXPECT_TRUE(EndedBy(WaitForChild(looping), SIGTERM));
    const auto runs = aplay.Runs();
    const auto waited = std::find_if(runs.begin(), runs.end(),
                                     [](const auto& run) { return run.arguments == kSound; });
    ASSERT_NE(waited, runs.end());
    EXPECT_NE(waited->endNs, 0);

    playSoundOnce(kSound);
    for (const auto& run : aplay.Runs()) {
        if (run.arguments == kSound) {
            EXPECT_NE(run.endNs, 0);
        }
    }
    ExpectAllCleared(aplay);
}

TEST_F(SoundPlayerTest, ABurstOfSoundsLeavesNoZombies) {
    StubAplay aplay(dir.Path() + "/bin", 0.02);
    SoundPlayer player;
    int mostZombies = 0;
    for (int i = 0; i < 60; ++i) {
        player.play(kSound, false);
        usleep(10'000);
        mostZombies = std::max(mostZombies, ZombieChildCount());
    }
    // Finished children are reaped as new ones start: without that there would
    // be one zombie per sound by now.
    EXPECT_LE(mostZombies, 4);
    EXPECT_TRUE(WaitFor([&] {
        reapFinishedChildren();
        return ChildrenOf(getpid()).empty();
    }));
    EXPECT_EQ(ZombieChildCount(), 0);
    EXPECT_TRUE(WaitFor([&] { return aplay.NoneRunning(); }));
}

// The real player on a machine without a sound card, and no player at all:
// the game goes on either way.
TEST_F(SoundPlayerTest, ARealOrMissingPlayerFailsQuietly) {
    const bool realPlayer = std::system("command -v aplay >/dev/null 2>&1") == 0;
    const std::string paths[] = {realPlayer ? std::getenv("PATH") : "", dir.Path() + "/empty"};
    for (const std::string& path : paths) {
        if (path.empty()) continue;
        ScopedPath scoped(path);
        SoundPlayer player;
        const auto before = std::chrono::steady_clock::now();
        player.playAndWait(kSound);
        EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(10));
        player.play(kSound, false);
        EXPECT_EQ(WaitForChild(player.childId, std::chrono::seconds(10)), 0);
        player.stop();
    }
    if (!realPlayer) GTEST_SKIP() << "aplay is not installed; only the missing player was tried";
}
