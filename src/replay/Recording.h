#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nebulark {

// A recorded game, from its start to its game over: the seed of the play
// stream, the wall clock at the start, and every input as the game saw it,
// each with the tick it arrived in, so that the game can be played again
// exactly. The end record tells what the game came to, for a replay to
// compare with.
class Recording {
public:
    // Each kind is also the letter that stands for it in the file.
    enum class Kind : char {
        KeyDown = 'd',   // a press that reached the held-key table; value: keysym
        KeyUp = 'u',     // a release that reached the held-key table; value: keysym
        Typed = 't',     // a character that reached KeyTyped; value: 1 … 127
        Joystick = 'j',  // a joystick snapshot unlike the one before; the bytes
        Clock = 'c',     // the wall clock's second turned; value: seconds since 1970
        Away = 'a',      // the game paused because the player went away
        KeysLost = 'k',  // the window lost the keyboard and the held keys were let go
        Check = 'v',     // the digest of play after the tick; value: the digest
    };

    // A joystick snapshot as the game sees it, in the order of the shared
    // block: available, up, down, left, right, button number, button pressed.
    using JoystickBytes = std::array<uint8_t, 7>;

    struct Event {
        int64_t tick = 0;
        Kind kind = Kind::Away;
        int64_t value = 0;
        JoystickBytes joystick{};

        bool operator==(const Event&) const = default;
    };

    struct End {
        int64_t ticks = 0;
        int score = 0;
        int level = 0;
        int lives = 0;
        // What the game did, hashed frame by frame (a PlayDigest).
        uint64_t digest = 0;

        bool operator==(const End&) const = default;
    };

    // Presses and releases are kept only where they can change the held-key
    // table, which the server's auto-repeat would otherwise fill with dozens
    // of events a second for a key held through a game: a release and a press
    // of one key in the same tick are kept as the press alone, and a press of
    // the key whose press was the last key event kept is left out, since the
    // table already holds it.
    void addKeyDown(int64_t tick, uint32_t keysym);
    void addKeyUp(int64_t tick, uint32_t keysym);
    void addTyped(int64_t tick, char character);
    // Kept only when it differs from the last snapshot kept (at first, from
    // the empty snapshot a game starts with).
    void addJoystick(int64_t tick, const JoystickBytes& bytes);
    // Kept only when it differs from the last second kept (at first, from
    // the start time).
    void addSecond(int64_t tick, int64_t second);
    void addAway(int64_t tick);
    void addKeysLost(int64_t tick);
    // A checkpoint: the digest of play as it stood after the tick, so that a
    // replay that strays from the game is caught near where it strayed.
    void addCheck(int64_t tick, uint64_t digest);

    // The recordings hold the same game; what the add functions remember to
    // leave out repeats is not compared.
    bool operator==(const Recording& other) const;

    uint64_t seed = 0;
    // Seconds since 1970 when the game started.
    int64_t start = 0;
    std::string name;
    // The line of the high-score table the game's result made, byte for byte;
    // empty until the result is stored.
    std::string tableLine;
    std::vector<Event> events;
    std::optional<End> end;

private:
    // A key event kept, for leaving out the ones that change nothing.
    struct KeyMark {
        Kind kind;
        int64_t value;
        bool operator==(const KeyMark&) const = default;
    };

    void add(int64_t tick, Kind kind, int64_t value);
    void addKeyEvent(int64_t tick, Kind kind, int64_t value);

    // The last key event kept and the one before it, which is the last again
    // once a release is folded into the press after it.
    std::optional<KeyMark> lastKey;
    std::optional<KeyMark> keyBefore;
    JoystickBytes lastJoystick{};
    std::optional<int64_t> lastSecond;
};

}  // namespace nebulark
