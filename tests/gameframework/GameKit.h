#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <string>

#include "app/Screen.h"
#include "gameframework/FormGames.h"

namespace nebulark::test {

// A small game form that counts what the framework asks of it.
class TestGame : public FormGames {
public:
    TestGame(nebulark::Screen* screen, int w, int h);
    void RunApp() override;
    void RenderFrame() override;

    int runAppCalls = 0;
    int framesComposed = 0;
};

// The test's game on a private server: screen, form and its first paint.
struct GameScene {
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 150;

    GameScene();
    // Waits until the server has handled everything the game sent, so the
    // test's own connection reads what the game drew.
    void Settle() const { XSync(screen->GetDisplay(), False); }
    // Runs loop passes until done() holds or the deadline passes.
    bool Pump(const std::function<bool()>& done, int milliseconds = 3000);
    // Writes a raw picture of the form's size whose pixel (x, y) is
    // (x, y, 0x40) and loads it as the background.
    void LoadBackground(const std::string& path = "bg.bin");
    // 0xRRGGBB of the background picture written by LoadBackground.
    static uint32_t BackgroundAt(int x, int y) { return (x << 16) | (y << 8) | 0x40; }
    uint32_t FramePixel(int x, int y) const;
    uint32_t CopyPixel(int x, int y) const;
    Window GameWindow() const { return game->GetWindow(); }

    std::unique_ptr<nebulark::Screen> screen;
    std::unique_ptr<TestGame> game;
};

// An RGB picture converted for the game's form: pixel (x, y) from colourAt.
XImage* MakePicture(FormGames& form, int w, int h,
                    const std::function<uint32_t(int, int)>& colourAt);

}  // namespace nebulark::test
