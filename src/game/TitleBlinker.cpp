#include "game/TitleBlinker.h"

#include "game/GameTexts.h"

namespace nebulark {

namespace {
constexpr int kBlinkGapMs = 500;
constexpr int kBlinksPerCycle = 5;
}  // namespace

Blink TitleBlinker::Step(const DateTime& now, const std::vector<std::string>& topTen, int& index) {
    if (!started) {
        started = true;
        lastBlinkTime = now;
    }
    Blink blink;
    if (lastBlinkTime.millisecondsUntil(now) <= kBlinkGapMs) return blink;
    ++blinkCount;
    blinkColour = blinkColour == kRed ? kWhite : kRed;
    lastBlinkTime = now;
    if (!topTen.empty() && blinkCount == 1) {
        blink.clearStrip = true;
        if (showTopTen) blink.topTenLine = NextLine(topTen, index);
        showTopTen = !showTopTen;
    }
    if (blinkCount >= kBlinksPerCycle) blinkCount = 0;
    blink.due = true;
    blink.colour = blinkColour;
    return blink;
}

// The table may have been read anew with fewer lines since the index was
// advanced, so an index past its end starts again at the first line.
std::string TitleBlinker::NextLine(const std::vector<std::string>& topTen, int& index) {
    if (index < 0 || index >= static_cast<int>(topTen.size())) index = 0;
    std::string line = TopTenLine(index, topTen[static_cast<size_t>(index)]);
    if (++index >= static_cast<int>(topTen.size())) index = 0;
    return line;
}

}  // namespace nebulark
