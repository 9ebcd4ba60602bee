#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nebulark {

// What the writer and the reader of recordings share: the first line, the
// bounds of every number, and how free text is kept on one line.
//
//   nebulark-replay 1
//   seed 1718000000123456789
//   start 1718000000
//   name MARIO
//   line 00001250 MARIO        Level 3
//   57 d ff51
//   60 c 1718000001
//   212 t 112
//   230 j 01000100000000
//   300 v 51e0c2a77d9b3f04
//   end 60000 1250 3 0 9f3a5c7e12b4d608
//
// Every line ends with "\n". Event lines give the tick, the kind's letter
// and, for d and u, the keysym in hexadecimal; t, the character's code; c,
// the second; j, the snapshot's seven bytes in hexadecimal; v, a digest of
// play in sixteen hexadecimal digits (a and k take none). The end line gives
// ticks, score, level, lives and the digest in sixteen hexadecimal digits.
class RecordingSyntax {
public:
    static constexpr std::string_view kFirstLine = "nebulark-replay 1";

    // A hostile file must not exhaust memory; a ten-minute game takes well
    // under 100 kB.
    static constexpr size_t kMostBytes = 4 * 1024 * 1024;
    // A century of ticks at 100 a second, which no game lasts.
    static constexpr int64_t kMostTicks = 1'000'000'000'000;
    // The last second of the year 9999.
    static constexpr int64_t kMostSecond = 253'402'300'799;
    static constexpr int64_t kMostScore = INT32_MAX;
    static constexpr int64_t kMostLevel = 1'000'000;
    static constexpr int64_t kMostLives = 99;
    static constexpr int64_t kMostKeysym = UINT32_MAX;
    // Names and table lines are shorter than the table's 256-byte lines.
    static constexpr size_t kMostTextBytes = 255;

    // The text with every byte outside the printable ASCII range, and "%",
    // written as "%" and two capital hexadecimal digits.
    static std::string escaped(std::string_view text);
    // The text escaped gave; empty for a "%" without two capital hexadecimal
    // digits after it, a byte outside the printable range, or a result longer
    // than kMostTextBytes.
    static std::optional<std::string> unescaped(std::string_view text);
};

}  // namespace nebulark
