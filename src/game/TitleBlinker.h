#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "util/DateTime.h"

namespace nebulark {

// What the title screen draws at one blink.
struct Blink {
    // The invitation is drawn again, in `colour`.
    bool due = false;
    int32_t colour = 0;
    // The top strip is cleared; `topTenLine`, when not empty, is written there.
    bool clearStrip = false;
    std::string topTenLine;
};

// The blinking invitation of the title screen. It blinks each time more than
// 500 ms have passed since the last blink (with the game's clock, when the
// second changes), alternating red and white; every fifth blink clears the
// top strip, and every other such time shows the next high-score line.
class TitleBlinker {
public:
    // `index` is the next line of `topTen` to show; it is advanced and wraps.
    Blink Step(const DateTime& now, const std::vector<std::string>& topTen, int& index);

    static constexpr int32_t kRed = 0xFF0000;
    static constexpr int32_t kWhite = 0xFFFFFF;

private:
    bool started = false;
    DateTime lastBlinkTime;
    int blinkCount = 0;
    int32_t blinkColour = kRed;
    bool showTopTen = true;

    std::string NextLine(const std::vector<std::string>& topTen, int& index);
};

}  // namespace nebulark
