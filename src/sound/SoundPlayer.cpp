#include "sound/SoundPlayer.h"

#include <chrono>
#include <csignal>
#include <thread>

#include "util/ChildProcesses.h"
#include "util/FileUtils.h"
#include "util/Log.h"
#include "util/ProcessUtils.h"

namespace nebulark {

namespace {

constexpr const char* kAudioPlayer = "aplay";
// A run of the loop that failed played no sound: the shell found no player
// (its status 127) or the player could not play (no sound card). The next run
// then waits until a second has passed since this one started, so a missing
// player costs no processor time. A short sound played well loops on at once.
constexpr auto kFailedRunPause = std::chrono::seconds(1);

// The path goes to the shell unquoted, so paths with blanks are not supported.
// Answers true when the run failed.
bool runPlayer(const std::string& path) {
    return RunProgram(kAudioPlayer, path);
}

void loopPlayer(const std::string& path) {
    for (;;) {
        const auto start = std::chrono::steady_clock::now();
        if (runPlayer(path)) std::this_thread::sleep_until(start + kFailedRunPause);
    }
}

}  // namespace

void SoundPlayer::play(const std::string& path, bool loop) {
    if (!checkFile(path)) return;
    if (playing) endChild();
    const pid_t pid = startChildProcessGroup([&path, loop] {
        if (loop)
            loopPlayer(path);
        else
            runPlayer(path);
    });
    if (pid > 0) {
        childId = pid;
        playing = true;
        return;
    }
    // Without a child the sound is played once in the foreground.
    runPlayer(path);
}

void SoundPlayer::playAndWait(const std::string& path) {
    if (!checkFile(path)) return;
    if (playing) endChild();
    runPlayer(path);
}

void SoundPlayer::stop() {
    if (playing) endChild();
}

void SoundPlayer::terminate() {
    // A child that has already ended and been reaped is not signalled: its pid
    // may belong to another process by now.
    if (playing) signalChildProcessGroup(childId, SIGTERM);
}

bool SoundPlayer::checkFile(const std::string& path) const {
    if (fileExists(path)) return true;
    LogMessage(path + " non trovato.");
    return false;
}

// The whole group: the shell and the player under the child would otherwise
// play on, beside the next sound or after the game has ended.
void SoundPlayer::endChild() {
    signalChildProcessGroup(childId, SIGTERM);
    playing = false;
    childId = 0;
}

void playSoundOnce(const std::string& path) {
    SoundPlayer player;
    player.playAndWait(path);
    player.stop();
}

}  // namespace nebulark
