// The game's pace as a player feels it: with a cursor key held (the server
// repeating it) or the pointer moving over the window, the game still makes
// about 100 ticks a second. Measured from outside, by how far the ship or a UFO
// moved on the window while the real event loop ran for a wall-clock time.
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>

#include "GameStage.h"
#include "app/Application.h"
#include "game/SpriteUfo.h"
#include "support/EventStream.h"
#include "widgets/Timer.h"

namespace nebulark::test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr double kTicksPerSecond = 100.0;
constexpr double kShare = 0.93;
constexpr auto kHold = milliseconds(2000);

class GamePace : public GameStage {
protected:
    void SetUp() override {
        GameStage::SetUp();
        StartGame();
        game->GetFrameTimer()->Stop();
        driver.Focus(game->GetWindow());
        Settle();
    }

    // Takes every asteroid and UFO but `keep` out of play, so nothing can
    // cost the ship a life and restart the level while the clock runs.
    void ClearField(const Sprite* keep) {
        auto gone = [keep](const Sprite* sprite) {
            return sprite != keep && sprite->name != "spriteplayer" &&
                   sprite->name != "spritetermometro";
        };
        for (auto* list : {&game->animations, &game->movements})
            std::erase_if(*list, [&gone](const auto& strategy) { return gone(strategy->sprite); });
        std::erase_if(game->enemies, [this, &gone](const auto& enemy) {
            if (!gone(enemy.get())) return false;
            game->RemoveSprite(enemy.get());
            return true;
        });
    }

    // Runs the real event loop with the frame timer going, for `length` or
    // until `done` holds; answers the wall-clock seconds it ran.
    double Play(milliseconds length, const std::function<bool()>& done = [] { return false; }) {
        game->GetFrameTimer()->Start();
        const auto start = Clock::now();
        while (Clock::now() - start < length && !done())
            Application::RunPass(screen->GetDisplay());
        game->GetFrameTimer()->Stop();
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    // The leftmost column of the rows y … y + h − 1 where the window shows
    // something other than the background, after a frame of the present state
    // has been put.
    int ShownLeftEdge(int y, int h) {
        game->RenderFrame();
        XSync(screen->GetDisplay(), False);
        const std::vector<uint32_t> shown = driver.Pixels(game->GetWindow(), 0, y, 800, h);
        XImage* background = game->GetBackgroundCopy();
        int left = -1;
        for (int row = 0; row < h && !shown.empty(); ++row)
            for (int x = 0; x < 800 && (left < 0 || x < left); ++x)
                if ((shown[row * 800 + x] & 0xFFFFFF) !=
                    (XGetPixel(background, x, y + row) & 0xFFFFFF))
                    left = x;
        return left;
    }
};

TEST_F(GamePace, HoldingAKeyKeepsTheShipAtFullSpeed) {
    ClearField(nullptr);
    while (game->MoveShipX(-2)) {
    }
    const int before = ShownLeftEdge(485, 115);
    ASSERT_GE(before, 0);
    driver.KeyDown(XK_Right);
    double seconds = Play(kHold);
    driver.KeyUp(XK_Right);
    seconds += Play(kHold, [this] { return !game->IsKeyHeld(XK_Right); });
    const int moved = ShownLeftEdge(485, 115) - before;
    EXPECT_GE(moved, kShare * kTicksPerSecond * 2 * seconds) << "over " << seconds << " s";
}

TEST_F(GamePace, PointerMotionOverTheWindowKeepsTheUfosMoving) {
    auto* ufo = dynamic_cast<SpriteUfo*>(FirstEnemy("spriteufo"));
    ASSERT_NE(ufo, nullptr);
    ClearField(ufo);
    ufo->movingRight = true;
    ufo->PlaceAt(20, 100);
    const int before = ShownLeftEdge(100, 40);
    ASSERT_GE(before, 0);
    double seconds = 0;
    {
        EventStream mouse(game->GetWindow(), EventStream::Kind::PointerMotion, milliseconds(8));
        ASSERT_TRUE(mouse.Ok());
        seconds = Play(kHold);
    }
    const double pixelsPerTick = ufo->stepX * 10.0 / MovementOf(ufo)->interval;
    const int moved = ShownLeftEdge(100, 40) - before;
    EXPECT_GE(moved, kShare * kTicksPerSecond * pixelsPerTick * seconds)
        << "over " << seconds << " s";
}

}  // namespace
}  // namespace nebulark::test
