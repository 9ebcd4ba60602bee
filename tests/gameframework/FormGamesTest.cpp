#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "GameKit.h"
#include "app/Application.h"
#include "gameframework/Sprite.h"
#include "support/TempDir.h"
#include "support/XvfbEnvironment.h"
#include "support/XvfbServer.h"
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

// What a frame puts is counted at the drawing surface: a frame with nothing
// new puts nothing, a change puts its own rectangle, an exposure the whole.
TEST(FormGames, AFramePutsOnlyWhatTheWindowDoesNotShowYet) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    scene.LoadBackground();
    scene.game->deferredDrawing = true;
    const ImageTraffic& traffic = scene.game->GetSurface()->Traffic();
    const auto pixelsPut = [&] {
        const uint64_t before = traffic.pixels;
        scene.game->RenderFrame();
        return traffic.pixels - before;
    };
    constexpr uint64_t kWhole = GameScene::kWidth * GameScene::kHeight;
    EXPECT_EQ(pixelsPut(), 0u) << "the new background was put as it loaded";
    scene.game->RenderPixel(100, 100, kWhite, true);
    EXPECT_EQ(pixelsPut(), 1u);
    EXPECT_EQ(pixelsPut(), 0u);
    scene.game->Paint();  // an exposure
    EXPECT_EQ(pixelsPut(), kWhole);

    XImage* picture = MakePicture(*scene.game, 4, 4, [](int, int) { return 0x00FF00u; });
    Sprite sprite(scene.game.get(), picture, 4, 4);
    sprite.PlaceAt(50, 50);
    scene.game->AddSprite(&sprite);
    EXPECT_EQ(pixelsPut(), 16u);
    EXPECT_EQ(pixelsPut(), 0u) << "the sprite has not moved";
    scene.game->ClearSprites();
    EXPECT_EQ(pixelsPut(), 16u);
    EXPECT_EQ(scene.FramePixel(50, 50), GameScene::BackgroundAt(50, 50));
    scene.Settle();
    EXPECT_EQ(XvfbEnvironment::Driver().PixelAt(scene.GameWindow(), 50, 50),
              GameScene::BackgroundAt(50, 50));
    EXPECT_EQ(pixelsPut(), 0u);
    destroyXImage(picture);
}

namespace {

// The window's pixels, read on the game's own connection.
std::vector<uint32_t> ShownPixels(GameScene& scene) {
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(scene.screen->GetDisplay(), scene.GameWindow(), 0, 0,
                              GameScene::kWidth, GameScene::kHeight, AllPlanes, ZPixmap);
    if (image == nullptr) return pixels;
    for (int y = 0; y < GameScene::kHeight; ++y)
        for (int x = 0; x < GameScene::kWidth; ++x)
            pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF));
    XDestroyImage(image);
    return pixels;
}

// A sprite crossing a green square, with pixels drawn for good now and then:
// each frame puts no more than the boxes where the sprite was and is, and the
// window shows exactly what a whole frame composed afresh shows.
void CrossTheSquare(GameScene& scene) {
    scene.LoadBackground();
    scene.game->deferredDrawing = true;
    scene.game->RenderRect(60, 40, 30, 30, 0x00FF00);
    XImage* picture = MakePicture(*scene.game, 10, 12, [](int x, int y) {
        return (x + y) % 3 == 0 ? 0u : 0xFF0000u | static_cast<uint32_t>(x << 8 | y);
    });
    Sprite sprite(scene.game.get(), picture, 10, 12);
    scene.game->AddSprite(&sprite);
    scene.game->RenderFrame();
    const ImageTraffic& traffic = scene.game->GetSurface()->Traffic();
    for (int step = 0; step < 12; ++step) {
        sprite.PlaceAt(20 + 7 * step, 30 + 3 * step);
        if (step % 3 == 0) scene.game->RenderPixel(150 - step, 20, 0x0000FF, true);
        const uint64_t before = traffic.pixels;
        scene.game->RenderFrame();
        // The old and the new box, merged: at most 17 × 15 pixels, and the dot.
        EXPECT_LE(traffic.pixels - before, 17u * 15u + 1u) << "step " << step;
        EXPECT_GT(traffic.pixels - before, 0u) << "step " << step;
        scene.Settle();
        const std::vector<uint32_t> shown = ShownPixels(scene);
        ASSERT_EQ(shown.size(), size_t{GameScene::kWidth * GameScene::kHeight});
        scene.game->InvalidateFrame();
        scene.game->RenderFrame();
        for (int y = 0; y < GameScene::kHeight; ++y)
            for (int x = 0; x < GameScene::kWidth; ++x)
                ASSERT_EQ(shown[y * GameScene::kWidth + x], scene.FramePixel(x, y))
                    << "step " << step << " at " << x << "," << y;
    }
    destroyXImage(picture);
}

}  // namespace

TEST(FormGames, OneMovingSpritePutsOnlyTheRectanglesAroundIt) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    CrossTheSquare(scene);
    EXPECT_EQ(scene.game->GetSurface()->Traffic().bytesSent, 0u) << "all through shared memory";
}

// Without shared memory every pixel put is sent, four bytes each; only the
// pixels that changed are.
TEST(FormGames, WithoutSharedMemoryOnlyChangedPixelsAreSent) {
    TempDir dir;
    test::XvfbServer plain;
    ASSERT_TRUE(plain.Start(24, 1024, 768, {"-extension", "MIT-SHM"}));
    setenv("DISPLAY", plain.DisplayName().c_str(), 1);
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    CrossTheSquare(scene);
    const ImageTraffic& traffic = scene.game->GetSurface()->Traffic();
    EXPECT_EQ(traffic.bytesSent, 4 * traffic.pixels);
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
