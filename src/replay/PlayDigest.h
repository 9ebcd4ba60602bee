#pragma once

#include <cstdint>
#include <string_view>

namespace nebulark {

// A 64-bit digest of what a game did (FNV-1a over the values given, each
// number as its eight bytes, lowest first), so that a replay can tell that it
// played the game it replays, frame by frame: feed it every sprite's place and
// frame on every frame. Fixed for good, since recordings hold its value.
class PlayDigest {
public:
    void addNumber(int64_t value);
    void addText(std::string_view text);
    uint64_t value() const { return hash; }

private:
    void addByte(uint8_t byte);

    uint64_t hash = 14695981039346656037ULL;
};

}  // namespace nebulark
