#pragma once

#include <sys/types.h>

#include <string>

namespace nebulark {

// Plays sound files with the command-line player "aplay", each sound in a
// child process of its own so that the game never waits for it.
class SoundPlayer {
public:
    // Ends the previous sound's child, then starts the file in a new child and
    // returns at once; with `loop` the child plays the file again and again
    // until it is signalled. A missing file is logged and nothing starts.
    void play(const std::string& path, bool loop);
    // Plays the file in this process and returns when the player has ended.
    void playAndWait(const std::string& path);
    // Ends the current child, if any, and forgets it.
    void stop();
    // Ends the current child, if any; for the moment before the player goes.
    void terminate();

    pid_t childId = 0;
    // This player has a child that may still be playing.
    bool playing = false;

private:
    bool checkFile(const std::string& path) const;
    void endChild();
};

// Plays the file with a temporary player and waits until it has been played.
void playSoundOnce(const std::string& path);

}  // namespace nebulark
