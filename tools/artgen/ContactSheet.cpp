#include "ContactSheet.h"

#include <string_view>

#include "Font.h"

namespace nebulark::artgen {

namespace {

constexpr int kWidth = 800, kHeight = 720;
constexpr Rgb kPanel{10, 10, 22}, kLabel{150, 160, 200};

void Label(Image& sheet, int x, int y, std::string_view text) {
    DrawText(sheet, x, y, text, 1, kLabel);
}

// Frames of a vertical strip side by side, enlarged, `gap` pixels apart.
void FrameRow(Image& sheet, const Image& strip, int first, int count, int frameHeight, int factor,
              int x, int y, int gap) {
    for (int k = 0; k < count; ++k) {
        const Image frame = strip.Crop(0, (first + k) * frameHeight, strip.Width(), frameHeight);
        sheet.PasteKeyed(frame.Enlarged(factor), x + k * (strip.Width() * factor + gap), y);
    }
}

void Screens(Image& sheet, const Artwork& art) {
    sheet.Paste(art.title.Halved(), 0, 0);
    const Image* small[] = {&art.field, &art.levelComplete, &art.lifeLost, &art.gameOver};
    for (int i = 0; i < 4; ++i)
        sheet.Paste(small[i]->Halved().Halved(), 400 + (i % 2) * 200, (i / 2) * 150);
}

void Sprites(Image& sheet, const SpriteSet& sprites) {
    const int top = 312;
    Label(sheet, 12, top, "PLAYER.BIN");
    sheet.PasteKeyed(sprites.ship.Enlarged(2), 12, top + 14);
    Label(sheet, 160, top, "ASTEROIDE_NOTTE.BIN  FRAMES 0-4, 5, 6-9");
    FrameRow(sheet, sprites.asteroids, 0, 5, 63, 2, 160, top + 14, 4);
    FrameRow(sheet, sprites.asteroids, 5, 5, 63, 2, 160, top + 146, 4);
    Label(sheet, 160, top + 282, "UFO.BIN");
    FrameRow(sheet, sprites.saucer, 0, 4, 40, 2, 160, top + 296, 8);
    Label(sheet, 520, top + 282, "BULLET.BIN");
    sheet.PasteKeyed(sprites.shot.Enlarged(3), 530, top + 296);
    Label(sheet, 632, top, "TERMOMETRO.BIN");
    FrameRow(sheet, sprites.gauge, 0, 1, 20, 1, 632, top + 14, 0);
    for (int k = 1; k < 10; ++k)
        FrameRow(sheet, sprites.gauge, k, 1, 20, 1, 632, top + 14 + k * 24, 0);
}

}  // namespace

Image MakeContactSheet(const Artwork& art) {
    Image sheet(kWidth, kHeight, kPanel);
    Screens(sheet, art);
    Sprites(sheet, art.sprites);
    return sheet;
}

}  // namespace nebulark::artgen
