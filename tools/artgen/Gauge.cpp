#include "Font.h"
#include "Sprites.h"

namespace nebulark::artgen {

namespace {

constexpr int kWidth = 160, kHeight = 20, kFrames = 10, kCells = 10;
constexpr int kCellsLeft = 36, kCellWidth = 11, kCellGap = 1, kCellTop = 5, kCellHeight = 10;

// The bezel: a bevelled dark steel frame with a recessed window for the cells.
void Bezel(Image& frame) {
    const Rgb light{150, 160, 190}, mid{70, 76, 100}, dark{30, 32, 48}, window{8, 10, 22};
    frame.FillRect(1, 1, kWidth - 2, kHeight - 2, mid);
    frame.FillRect(1, 1, kWidth - 2, 1, light);
    frame.FillRect(1, 1, 1, kHeight - 2, light);
    frame.FillRect(1, kHeight - 2, kWidth - 2, 1, dark);
    frame.FillRect(kWidth - 2, 1, 1, kHeight - 2, dark);
    const int windowWidth = kCells * (kCellWidth + kCellGap) + kCellGap;
    frame.FillRect(kCellsLeft - 2, kCellTop - 2, windowWidth + 2, kCellHeight + 4, dark);
    frame.FillRect(kCellsLeft - 1, kCellTop - 1, windowWidth, kCellHeight + 2, window);
    DrawText(frame, 6, 7, "UFO", 1, {18, 20, 34});
    DrawText(frame, 5, 6, "UFO", 1, {230, 236, 255});
}

// Cell colours run from red through amber to green, the last cells nearest
// the end of the level.
Rgb CellColour(int cell) {
    const double t = cell / static_cast<double>(kCells - 1);
    return t < 0.5 ? MixRgb({255, 60, 40}, {255, 200, 40}, t * 2)
                   : MixRgb({255, 200, 40}, {70, 240, 90}, (t - 0.5) * 2);
}

void Cell(Image& frame, int cell, bool lit) {
    const int left = kCellsLeft + cell * (kCellWidth + kCellGap);
    const Rgb base = lit ? CellColour(cell) : Rgb{26, 30, 48};
    const int width = kCellWidth - kCellGap;
    frame.FillRect(left, kCellTop, width, kCellHeight, base);
    if (!lit) return;
    // A lit cell shines like a small glass lamp: a bright top edge and a
    // glint, a darker lower part.
    frame.FillRect(left, kCellTop, width, 2, MixRgb(base, {255, 255, 255}, 0.55));
    frame.FillRect(left, kCellTop + kCellHeight - 3, width, 3, ScaleRgb(base, 0.7));
    frame.FillRect(left + 1, kCellTop + 3, 2, 2, MixRgb(base, {255, 255, 255}, 0.7));
}

}  // namespace

Image MakeGauge() {
    Image strip(kWidth, kHeight * kFrames);
    for (int k = 0; k < kFrames; ++k) {
        Image frame(kWidth, kHeight);
        Bezel(frame);
        for (int cell = 0; cell < kCells; ++cell)
            Cell(frame, cell, cell < k);
        strip.Paste(frame, 0, k * kHeight);
    }
    return strip;
}

}  // namespace nebulark::artgen
