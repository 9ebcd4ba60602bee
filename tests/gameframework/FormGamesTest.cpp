#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "GameKit.h"
#include "app/Application.h"
#include "gameframework/Sprite.h"
#include "support/TempDir.h"
#include "support/XvfbEnvironment.h"
#include "widgets/DrawingSurface.h"
#include "widgets/Timer.h"
#include "widgets/XImageConversion.h"

using namespace nebulark;
using nebulark::test::GameScene;
using nebulark::test::MakePicture;
using nebulark::test::TempDir;
using nebulark::test::XvfbEnvironment;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

bool AnyWhite(const std::vector<uint32_t>& pixels) {
    for (uint32_t p : pixels)
        if (p == kWhite) return true;
    return false;
}

}  // namespace

TEST(FormGames, RenderingBeforeTheFirstPaintIsRefusedWithItsMessage) {
    TempDir dir;
    GameScene scene;
    ASSERT_EQ(scene.game->GetSurface(), nullptr);
    scene.game->RenderSfondo("bg.bin");
    scene.game->RenderImage(nullptr, 0, 0, 1, 1, true, false);
    scene.game->RenderPixel(0, 0, 0, true);
    scene.game->RenderText(0, 0, "x", 0);
    scene.game->RenderRect(0, 0, 5, 5, 0);
    EXPECT_EQ(TempDir::Read("log.txt"),
              "RenderSfondo(file): E' possibile caricare lo sfondo nel metodo RunApp o nei metodi "
              "successivi.\n"
              "RenderImage(file): E' possibile caricare l'immagine nel metodo RunApp o nei metodi "
              "successivi.\n"
              "RenderImage(file): E' possibile caricare l'immagine nel metodo RunApp o nei metodi "
              "successivi.\n"
              "RenderText(): E' possibile scrivere nel metodo RunApp o nei metodi successivi.\n"
              "RenderText(): E' possibile scrivere nel metodo RunApp o nei metodi successivi.\n");
}

TEST(FormGames, FirstPaintRunsTheGameAndStartsTheFrameTimer) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    EXPECT_EQ(scene.game->runAppCalls, 1);
    ASSERT_NE(scene.game->GetFrameTimer(), nullptr);
    EXPECT_TRUE(scene.game->GetFrameTimer()->IsRunning());
    EXPECT_EQ(scene.game->GetFrameTimer()->GetInterval(), 10);
    scene.game->Paint();
    EXPECT_EQ(scene.game->runAppCalls, 1);

    // With no frame buffer yet, text goes straight onto the window and the
    // throttle composes nothing.
    scene.game->RenderText(10, 60, "abc", kWhite);
    scene.Settle();
    EXPECT_TRUE(AnyWhite(XvfbEnvironment::Driver().Pixels(scene.GameWindow(), 10, 60, 40, 18)));
    EXPECT_EQ(scene.game->GetScreenBuffer(), nullptr);
    for (int tick = 0; tick < 12; ++tick)
        scene.game->OnTick();
    EXPECT_EQ(scene.game->framesComposed, 0);
    scene.game->RenderSfondo();
    EXPECT_EQ(TempDir::Read("log.txt"),
              "RenderSfondo(): E' necessario caricare primo lo sfondo.\n");
}

TEST(FormGames, BackgroundLoadsWholeOrNotAtAll) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    scene.LoadBackground();
    ASSERT_NE(scene.game->GetBackground(), nullptr);
    XImage* loaded = scene.game->GetBackground();
    EXPECT_EQ(scene.FramePixel(7, 9), GameScene::BackgroundAt(7, 9));
    EXPECT_EQ(scene.CopyPixel(199, 149), GameScene::BackgroundAt(199, 149));
    scene.Settle();
    EXPECT_EQ(XvfbEnvironment::Driver().PixelAt(scene.GameWindow(), 30, 120),
              GameScene::BackgroundAt(30, 120));

    TempDir::Write("short.bin", std::string(GameScene::kWidth * GameScene::kHeight * 3 - 1, 'x'));
    scene.game->RenderSfondo("short.bin");
    scene.game->RenderSfondo("missing.bin");
    EXPECT_EQ(scene.game->GetBackground(), loaded);
    EXPECT_EQ(scene.FramePixel(7, 9), GameScene::BackgroundAt(7, 9));
    const std::string log = TempDir::Read("log.txt");
    EXPECT_NE(log.find("short.bin"), std::string::npos);
    EXPECT_NE(log.find("missing.bin: non trovato\n"), std::string::npos);
}

TEST(FormGames, RenderImageClipsAndTreatsOnlyPureBlackAsTransparent) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    scene.LoadBackground();
    XImage* picture = MakePicture(*scene.game, 45, 63, [](int x, int y) {
        return static_cast<uint32_t>(0x800000 | (x << 8) | y);
    });
    scene.game->RenderImage(picture, -10, 5, 45, 63, false, false);
    EXPECT_EQ(scene.FramePixel(0, 5), 0x800000u | (10 << 8));
    EXPECT_EQ(scene.FramePixel(34, 67), 0x800000u | (44 << 8) | 62);
    EXPECT_EQ(scene.FramePixel(35, 5), GameScene::BackgroundAt(35, 5));
    EXPECT_EQ(scene.CopyPixel(0, 5), GameScene::BackgroundAt(0, 5));  // not persistent

    scene.game->RenderImage(picture, GameScene::kWidth, 0, 45, 63, true, false);
    EXPECT_EQ(scene.FramePixel(GameScene::kWidth - 1, 0),
              GameScene::BackgroundAt(GameScene::kWidth - 1, 0));

    XImage* blackAndAlmost = MakePicture(*scene.game, 2, 1, [](int x, int) { return x; });
    scene.game->RenderImage(blackAndAlmost, 50, 50, 2, 1, true, true);
    EXPECT_EQ(scene.FramePixel(50, 50), GameScene::BackgroundAt(50, 50));
    EXPECT_EQ(scene.FramePixel(51, 50), 0x000001u);
    EXPECT_EQ(scene.CopyPixel(51, 50), 0x000001u);
    destroyXImage(picture);
    destroyXImage(blackAndAlmost);
}

TEST(FormGames, PersistentTextShowsInEveryFrameUntilTheBackgroundIsRestored) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    scene.LoadBackground();
    scene.game->deferredDrawing = true;
    scene.game->RenderText(10, 60, "abc", kWhite);
    int whiteX = -1, whiteY = -1;
    for (int y = 60; y < 78 && whiteX < 0; ++y)
        for (int x = 10; x < 40; ++x)
            if (scene.CopyPixel(x, y) == kWhite) {
                whiteX = x;
                whiteY = y;
                break;
            }
    ASSERT_GE(whiteX, 0) << "the text did not reach the background copy";
    for (int frame = 0; frame < 3; ++frame) {
        scene.game->RenderPixel(whiteX, whiteY, 0x123456, false);  // refused while deferred
        scene.game->RenderFrame();
        EXPECT_EQ(scene.FramePixel(whiteX, whiteY), kWhite);
    }
    scene.Settle();
    EXPECT_EQ(XvfbEnvironment::Driver().PixelAt(scene.GameWindow(), whiteX, whiteY), kWhite);
    scene.game->RenderSfondo();
    scene.game->RenderFrame();
    EXPECT_EQ(scene.FramePixel(whiteX, whiteY), GameScene::BackgroundAt(whiteX, whiteY));
}

TEST(FormGames, TheSixthTickComposesAFrame) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    scene.LoadBackground();
    const int before = scene.game->framesComposed;
    for (int tick = 0; tick < 5; ++tick)
        scene.game->OnTick();
    EXPECT_EQ(scene.game->framesComposed, before);
    scene.game->OnTick();
    EXPECT_EQ(scene.game->framesComposed, before + 1);
    for (int tick = 0; tick < 6; ++tick)
        scene.game->OnTick();
    EXPECT_EQ(scene.game->framesComposed, before + 2);
    // The frame timer drives the same throttle from the loop's idle passes.
    EXPECT_TRUE(scene.Pump([&] { return scene.game->framesComposed >= before + 4; }));
}

// A frame with nothing new is not put on the window again. To see whether a
// frame was put, a red square is drawn straight on the window first: a put
// frame covers it.
TEST(FormGames, AFrameIsPutOnlyWhenTheWindowMayShowSomethingElse) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    scene.LoadBackground();
    scene.game->deferredDrawing = true;
    scene.game->RenderFrame();
    const auto frameWasPut = [&] {
        scene.game->GetSurface()->FillRect(5, 5, 4, 4, 0, -1, 0xFF0000);
        scene.game->RenderFrame();
        scene.Settle();
        return XvfbEnvironment::Driver().PixelAt(scene.GameWindow(), 6, 6) ==
               GameScene::BackgroundAt(6, 6);
    };
    EXPECT_FALSE(frameWasPut());
    scene.game->RenderPixel(100, 100, kWhite, true);
    EXPECT_TRUE(frameWasPut());
    EXPECT_FALSE(frameWasPut());
    scene.game->Paint();  // an exposure
    EXPECT_TRUE(frameWasPut());

    XImage* picture = MakePicture(*scene.game, 4, 4, [](int, int) { return 0x00FF00u; });
    Sprite sprite(scene.game.get(), picture, 4, 4);
    sprite.PlaceAt(50, 50);
    scene.game->AddSprite(&sprite);
    EXPECT_TRUE(frameWasPut());
    EXPECT_TRUE(frameWasPut());  // a sprite may move at any time
    scene.game->ClearSprites();
    EXPECT_TRUE(frameWasPut());
    EXPECT_EQ(scene.FramePixel(50, 50), GameScene::BackgroundAt(50, 50));
    EXPECT_FALSE(frameWasPut());
    destroyXImage(picture);
}

TEST(FormGames, HeldKeysFollowRealKeyEvents) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    auto& driver = XvfbEnvironment::Driver();
    driver.Focus(scene.GameWindow());
    auto press = [&](KeySym key) {
        driver.KeyDown(key);
        scene.Pump([&] { return XPending(scene.screen->GetDisplay()) == 0; });
    };
    auto release = [&](KeySym key) {
        driver.KeyUp(key);
        scene.Pump([&] { return XPending(scene.screen->GetDisplay()) == 0; });
    };
    press(XK_Left);
    press(XK_Right);
    EXPECT_FALSE(scene.game->IsKeyHeld(XK_Left));
    EXPECT_TRUE(scene.game->IsKeyHeld(XK_Right));
    press(XK_F1);
    EXPECT_FALSE(scene.game->IsKeyHeld(XK_Right));
    release(XK_F1);
    release(XK_Right);
    release(XK_Left);

    scene.game->SetSingleKeyMode(false);
    press(XK_Left);
    press(XK_Down);
    EXPECT_TRUE(scene.game->IsKeyHeld(XK_Left));
    EXPECT_TRUE(scene.game->IsKeyHeld('x'));
    release(XK_Down);
    EXPECT_FALSE(scene.game->IsKeyHeld(XK_Down));
    EXPECT_TRUE(scene.game->IsKeyHeld('a'));
    release(XK_Left);
    EXPECT_FALSE(scene.game->IsKeyHeld(XK_Left));
}

TEST(FormGames, WindowManagerCloseEndsTheGame) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    XvfbEnvironment::Driver().SendDeleteWindow(scene.GameWindow());
    EXPECT_TRUE(scene.Pump([] { return Application::QuitRequested(); }));
    EXPECT_FALSE(scene.game->GetFrameTimer()->IsRunning());
}
