#include "Screens.h"

#include <vector>

#include "Backdrop.h"
#include "Flare.h"
#include "Lettering.h"
#include "Planet.h"
#include "Sprites.h"

namespace nebulark::artgen {

namespace {

// Where the game draws over its pictures: the status or high-score strip
// across the top and the loading notice on every screen; the gauge on the
// playing field; the credit line and the blinking invitation on the title.
const Rect kTopStrip{0, 0, kScreenWidth, 30};
const Rect kLoadingNotice{4, 54, 260, 30};
const Rect kGauge{0, 36, 168, 30};
const Rect kCredit{200, 244, 470, 30};
const Rect kInvitation{470, 324, 270, 30};

LetteringStyle Chrome(Rgb glow) {
    LetteringStyle style;
    style.scale = 12;
    style.top = {40, 60, 170};
    style.aboveHorizon = {230, 245, 255};
    style.belowHorizon = {120, 50, 20};
    style.bottom = {255, 210, 110};
    style.outline = {10, 6, 24};
    style.glow = glow;
    return style;
}

Image Frame(const Image& strip, int index, int height) {
    return strip.Crop(0, index * height, strip.Width(), height);
}

// The game's own sprites as the title's cast, the nearest ones enlarged.
void TitleCast(Image& image, const SpriteSet& sprites) {
    image.PasteKeyed(sprites.ship.Enlarged(2), 590, 364);
    image.PasteKeyed(Frame(sprites.asteroids, 1, 63).Enlarged(2), 420, 420);
    image.PasteKeyed(Frame(sprites.asteroids, 7, 63), 740, 96);
    image.PasteKeyed(Frame(sprites.asteroids, 3, 63), 36, 300);
    image.PasteKeyed(Frame(sprites.saucer, 0, 40).Enlarged(2), 690, 170);
}

}  // namespace

Image MakeTitleScreen(const SpriteSet& sprites) {
    BackdropStyle backdrop{3, {70, 30, 120}, {40, 120, 190}, 0.9, 1600};
    Image image = MakeBackdrop(kScreenWidth, kScreenHeight, backdrop,
                               {kTopStrip, kLoadingNotice, kCredit, kInvitation});
    DrawPlanet(image, {140,
                       760,
                       360,
                       {40, 22, 70},
                       {120, 70, 150},
                       {230, 170, 200},
                       {120, 160, 255},
                       0.75,
                       -0.65,
                       5});
    TitleCast(image, sprites);
    DrawLettering(image, kScreenWidth / 2, 100, "NEBULARK", Chrome({190, 60, 255}));
    DrawCaption(image, kScreenWidth / 2, 206, "DEFEND THE OUTER RIM", 2, {120, 220, 255});
    return image;
}

Image MakePlayingField() {
    BackdropStyle backdrop{8, {40, 24, 90}, {30, 80, 140}, 0.6, 2400, 0.85, false};
    return MakeBackdrop(kScreenWidth, kScreenHeight, backdrop, {kTopStrip, kLoadingNotice, kGauge});
}

Image MakeLevelComplete(const SpriteSet& sprites) {
    BackdropStyle backdrop{5, {20, 80, 90}, {60, 170, 120}, 0.9, 1600};
    Image image = MakeBackdrop(kScreenWidth, kScreenHeight, backdrop, {kTopStrip, kLoadingNotice});
    DrawLettering(image, kScreenWidth / 2, 150, "LEVEL", Chrome({40, 220, 160}));
    DrawLettering(image, kScreenWidth / 2, 260, "COMPLETE", Chrome({40, 220, 160}));
    DrawCaption(image, kScreenWidth / 2, 380, "GET READY FOR THE NEXT WAVE", 2, {140, 255, 190});
    image.PasteKeyed(sprites.ship, kScreenWidth / 2 - 32, 440);
    return image;
}

Image MakeLifeLost() {
    BackdropStyle backdrop{6, {110, 30, 30}, {210, 120, 40}, 0.85, 1600};
    Image image = MakeBackdrop(kScreenWidth, kScreenHeight, backdrop, {kTopStrip, kLoadingNotice});
    DrawFlare(image, kScreenWidth / 2, 262, 120, {255, 150, 60}, 4);
    DrawLettering(image, kScreenWidth / 2, 220, "SHIP LOST", Chrome({255, 90, 40}));
    DrawCaption(image, kScreenWidth / 2, 346, "GET READY", 3, {255, 210, 120});
    return image;
}

Image MakeGameOver() {
    BackdropStyle backdrop{9, {80, 16, 60}, {170, 40, 90}, 0.85, 1600};
    Image image = MakeBackdrop(kScreenWidth, kScreenHeight, backdrop, {kTopStrip, kLoadingNotice});
    DrawPlanet(
        image,
        {640, 820, 330, {30, 8, 20}, {90, 24, 50}, {170, 70, 90}, {255, 80, 120}, -0.7, -0.7, 9});
    // The name entry window opens over the middle of this picture, so the
    // words stand above it and the caption below.
    DrawLettering(image, kScreenWidth / 2, 110, "GAME OVER", Chrome({255, 40, 120}));
    DrawCaption(image, kScreenWidth / 2, 420, "THANKS FOR PLAYING", 3, {255, 170, 200});
    return image;
}

}  // namespace nebulark::artgen
