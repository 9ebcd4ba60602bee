// The game on a player's desktop: a window manager moves the focus to other
// windows and iconifies the game, while the server repeats held keys.
#include "GameStage.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <functional>

#include "game/KeyActions.h"
#include "game/SpritePlayer.h"
#include "support/WindowManager.h"

namespace nebulark::test {
namespace {

class Desktop : public GameStage {
protected:
    void SetUp() override {
        ASSERT_TRUE(manager.Start(driver.Connection()))
            << "the window manager did not start (is openbox installed?)";
        GameStage::SetUp();
        other = MakeOtherWindow(driver.Connection());
        ASSERT_TRUE(SettleUntil([this] { return Viewable(other); }));
        FocusOn(game->GetWindow());
        StartGame();
    }

    // Handles what the game is sent until `done` holds; the window manager
    // acts in a process of its own.
    bool SettleUntil(const std::function<bool()>& done) {
        return WaitUntil(done, [this] {
            Settle();
            usleep(1000);
        });
    }
    // Moves the focus as a task bar does, and lets the game hear of it.
    void FocusOn(Window window) {
        WindowManager::Activate(driver.Connection(), window);
        ASSERT_TRUE(SettleUntil([&] { return FocusWindow(driver.Connection()) == window; }));
        Settle();
    }
    void Iconify() {
        XIconifyWindow(driver.Connection(), game->GetWindow(), DefaultScreen(driver.Connection()));
        ASSERT_TRUE(SettleUntil([this] { return !game->IsWindowMapped(); }));
    }
    bool Viewable(Window window) {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(driver.Connection(), window, &attributes) &&
               attributes.map_state == IsViewable;
    }
    bool ShowsTheWholeFrame() {
        const std::vector<uint32_t> shown = driver.Pixels(game->GetWindow(), 0, 0, 800, 600);
        XImage* frame = game->GetScreenBuffer();
        for (size_t i = 0; i < shown.size(); ++i)
            if (shown[i] !=
                (XGetPixel(frame, static_cast<int>(i % 800), static_cast<int>(i / 800)) & 0xFFFFFF))
                return false;
        return !shown.empty();
    }
    void ResumeWithP() {
        driver.KeyTap(XK_p);
        Settle();
    }

    WindowManager manager;
    Window other = 0;
};

TEST_F(Desktop, AKeyLetGoInAnotherWindowDoesNotStayHeld) {
    driver.KeyDown(XK_Right);
    Settle();
    ASSERT_TRUE(game->IsKeyHeld(XK_Right));
    FocusOn(other);
    driver.KeyUp(XK_Right);
    EXPECT_EQ(game->state, kPaused);
    EXPECT_FALSE(game->IsKeyHeld(XK_Right));

    FocusOn(game->GetWindow());
    EXPECT_EQ(game->state, kPaused) << "coming back does not resume by itself";
    ResumeWithP();
    ASSERT_EQ(game->state, kPlaying);
    const int x = game->Player()->Position().x;
    for (int step = 0; step < 10; ++step)
        game->InputStep();
    EXPECT_EQ(game->Player()->Position().x, x);
}

// While iconified the game pauses and sends no frame; once it is shown again
// its frames show it whole (the window manager may map and expose it more than
// once on the way).
TEST_F(Desktop, AnIconifiedGamePausesAndPutsNoFrame) {
    Iconify();
    EXPECT_EQ(game->state, kPaused);
    game->MoveShipX(-40);
    Display* display = screen->GetDisplay();
    const unsigned long nextRequest = XNextRequest(display);
    game->RenderFrame();
    EXPECT_EQ(XNextRequest(display), nextRequest) << "a frame went to the unmapped window";

    FocusOn(game->GetWindow());
    EXPECT_TRUE(SettleUntil([&] {
        game->RenderFrame();
        XSync(display, False);
        return ShowsTheWholeFrame();
    }));
    EXPECT_EQ(game->state, kPaused);
    ResumeWithP();
    EXPECT_EQ(game->state, kPlaying);
}

TEST_F(Desktop, ALevelThatBeginsWhileThePlayerIsAwayStartsPaused) {
    game->KeyTyped('n');
    ASSERT_EQ(game->state, kIntermission);
    FocusOn(other);
    EXPECT_EQ(game->state, kIntermission);
    game->IntermissionStep();
    AdvanceClock(2);
    game->IntermissionStep();
    EXPECT_EQ(game->level, 2);
    EXPECT_EQ(game->state, kPaused);
    FocusOn(game->GetWindow());
    ResumeWithP();
    EXPECT_EQ(game->state, kPlaying);
}

}  // namespace
}  // namespace nebulark::test
