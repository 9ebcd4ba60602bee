#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "replay/PlayDigest.h"
#include "replay/Recording.h"

namespace nebulark {

// A game as it is recorded, or watched again from its recording.
//
// Ticks are counted from the G that starts the game. An input that arrives
// after tick n has run (or, for n = 0, before the first tick) is noted with
// the number n, and a replay hands it back just before tick n + 1 runs, in the
// order it arrived; so is the clock, read once at the start of each tick. The
// game feeds what each tick did into the digest, whose value is noted every
// kCheckTicks ticks, so that a replay that strays is caught near the tick
// where it strayed.
class PlaySession {
public:
    enum class Mode { Idle, Recording, Recorded, Replaying, Replayed };

    static constexpr int64_t kCheckTicks = 100;

    // A new recording; the one of the last game is dropped.
    void StartRecording(uint64_t seed, int64_t startSecond);
    // The recording ends with the game over, and waits for its result.
    void FinishRecording(int score, int level, int lives);
    // The recording of the last game, once it is over, then no session.
    std::optional<Recording> TakeRecorded();

    void StartReplay(Recording recording);
    // Compares the game over the replay reached with the recorded one; false,
    // with the tick where the replay first differed, when they are not the
    // same game. The replay is then over, and waits for the game to end it.
    bool FinishReplay(int score, int level, int lives);
    // The recorded game is over, but the replay has not reached its game over
    // by then: it strayed.
    bool PastRecordedEnd() const;
    void Stop();

    bool IsRecording() const { return mode == Mode::Recording; }
    bool IsReplaying() const { return mode == Mode::Replaying; }
    bool IsReplayOver() const { return mode == Mode::Replayed; }
    bool IsActive() const { return IsRecording() || IsReplaying(); }
    // The replay waits for the watcher, who pressed P or left the window.
    bool IsHeld() const { return IsReplaying() && held; }
    void Hold(bool value) { held = value; }
    const Recording& Current() const { return recording; }
    int64_t Ticks() const { return ticks; }
    // The first tick whose checkpoint or end the replay did not reach alike.
    std::optional<int64_t> FirstDifference() const { return firstDifference; }

    // What the game saw, noted while recording (nothing otherwise).
    void NoteKeyDown(uint32_t keysym);
    void NoteKeyUp(uint32_t keysym);
    void NoteTyped(char character);
    // The joystick as the tick running saw it.
    void NoteJoystick(const Recording::JoystickBytes& bytes);
    void NoteAway();
    void NoteKeysLost();

    // The start of a tick. Recording: notes the second the clock shows.
    // Replaying: the recorded inputs due before the tick, in order, with the
    // clock and the checkpoints taken in by the session itself.
    void NoteSecond(int64_t second);
    std::vector<Recording::Event> TakeDue();
    // The second of the recorded clock, as the tick about to run sees it.
    int64_t ReplaySecond() const { return second; }
    // The joystick as the recorded game saw it.
    Recording::JoystickBytes ReplayJoystick() const { return joystick; }
    void CountTick() { ++ticks; }
    // What the tick did goes into this, then EndTick.
    PlayDigest& Digest() { return digest; }
    void EndTick();

private:
    void NoteDifference(int64_t tick);

    Mode mode = Mode::Idle;
    Recording recording;
    int64_t ticks = 0;
    PlayDigest digest;
    // Replaying: the next recorded event, the recorded clock, and the tick of
    // the next checkpoint the replay has not compared yet.
    size_t next = 0;
    int64_t second = 0;
    Recording::JoystickBytes joystick{};
    bool held = false;
    std::optional<int64_t> firstDifference;
};

}  // namespace nebulark
