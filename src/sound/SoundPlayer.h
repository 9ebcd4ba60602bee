#pragma once

#include <sys/types.h>

#include <string>

namespace nebulark {

// Plays sound files with the command-line player "aplay", each sound in a
// child process of its own so that the game never waits for it. The child
// leads a process group, which holds the shell and the player it starts;
// ending a sound ends the whole group, and so does the game's end, however it
// ends.
class SoundPlayer {
public:
    // Ends the previous sound's group, then starts the file in a new child and
    // returns at once; with `loop` the child plays the file again and again
    // until it is signalled. A missing file is logged and nothing starts.
    void play(const std::string& path, bool loop);
    // Plays the file in this process and returns when the player has ended.
    void playAndWait(const std::string& path);
    // Ends the current sound's group, if any, and forgets its child.
    void stop();
    // Ends the current sound's group, if any; for the moment before the player
    // goes.
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
