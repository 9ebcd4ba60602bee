// A level played for some hundred ticks, with hits, a lost life and the
// status line changing: every frame is composed and put only where it
// changed, and the window must show what a frame composed whole shows.
// Everything is put through the shared memory the server offers.
#include "GameStage.h"
#include "game/KeyActions.h"
#include "game/SpriteBullet.h"
#include "game/SpritePlayer.h"
#include "widgets/DrawingSurface.h"

namespace nebulark::test {
namespace {

using PlayedFrames = GameStage;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Where the window and the frame buffer differ, for the failure message.
std::string FirstDifference(const std::vector<uint32_t>& shown, XImage* frame) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (shown[static_cast<size_t>(y * kWidth + x)] != FramePixel(frame, x, y))
                return std::to_string(x) + "," + std::to_string(y);
    return "";
}

TEST_F(PlayedFrames, TheWindowAlwaysShowsTheWholeComposition) {
    StartGame();
    game->level = 5;
    game->StartLevel();
    const uint64_t& puts = game->GetSurface()->Traffic().puts;
    int compared = 0, framesPut = 0, livesLost = 0;
    for (int tick = 1; tick <= 900 && compared < 40; ++tick) {
        if (game->state == kIntermission) FinishIntermission();
        ASSERT_EQ(game->state, kPlaying) << "tick " << tick;
        // A shot under a UFO every 40 ticks, and an asteroid on the ship once.
        if (tick % 40 == 0) {
            AdvanceClock(1);
            Sprite* ufo = FirstEnemy("spriteufo");
            SpriteBullet* shot = game->FirePlayerBullet();
            if (ufo != nullptr && shot != nullptr)
                shot->PlaceAt(ufo->Position().x + 20, ufo->Position().y + 42);
        }
        if (tick == 450) {
            const Point ship = game->Player()->Position();
            FirstEnemy("spriteasteroidi")->PlaceAt(ship.x + 10, ship.y - 33);
        }
        const uint64_t before = puts;
        game->OnTick();
        // Lives lost are given back, so that the game never ends.
        livesLost += 3 - game->lives;
        game->lives = 3;
        if (puts == before || ++framesPut % 2 != 0) continue;
        Settle();
        const std::vector<uint32_t> shown = driver.Pixels(game->GetWindow(), 0, 0, kWidth, kHeight);
        ASSERT_EQ(FirstDifference(shown, game->GetScreenBuffer()), "")
            << "the window and the frame buffer differ, tick " << tick;
        game->InvalidateFrame();
        game->RenderFrame();
        ASSERT_EQ(FirstDifference(shown, game->GetScreenBuffer()), "")
            << "the window differs from the whole composition, tick " << tick;
        ++compared;
    }
    EXPECT_EQ(compared, 40);
    EXPECT_GT(game->score, 0) << "no UFO was hit";
    EXPECT_GT(livesLost, 0);
    EXPECT_EQ(game->GetSurface()->Traffic().bytesSent, 0u)
        << "every frame and picture, the lost ship's included, went through shared memory";
}

}  // namespace
}  // namespace nebulark::test
