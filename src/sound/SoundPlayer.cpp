#include "sound/SoundPlayer.h"

#include <csignal>

#include "util/ChildProcesses.h"
#include "util/FileUtils.h"
#include "util/Log.h"
#include "util/ProcessUtils.h"

namespace nebulark {

namespace {

constexpr const char* kAudioPlayer = "aplay";

// The path goes to the shell unquoted, so paths with blanks are not supported.
void runPlayer(const std::string& path) {
    RunProgram(kAudioPlayer, path);
}

}  // namespace

void SoundPlayer::play(const std::string& path, bool loop) {
    if (!checkFile(path)) return;
    if (playing) endChild();
    const pid_t pid = startChildProcess([&path, loop] {
        do {
            runPlayer(path);
        } while (loop);
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
    if (playing) signalChildProcess(childId, SIGTERM);
}

bool SoundPlayer::checkFile(const std::string& path) const {
    if (fileExists(path)) return true;
    LogMessage(path + " non trovato.");
    return false;
}

void SoundPlayer::endChild() {
    signalChildProcess(childId, SIGTERM);
    playing = false;
    childId = 0;
}

void playSoundOnce(const std::string& path) {
    SoundPlayer player;
    player.playAndWait(path);
    player.stop();
}

}  // namespace nebulark
