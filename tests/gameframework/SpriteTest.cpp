#include <gtest/gtest.h>

#include "GameKit.h"
#include "gameframework/Sprite.h"
#include "gameframework/SpriteAnim.h"
#include "gameframework/SpriteKind.h"
#include "support/TempDir.h"
#include "widgets/XImageConversion.h"

using namespace nebulark;
using nebulark::test::GameScene;
using nebulark::test::MakePicture;
using nebulark::test::TempDir;

namespace {

// A sprite that counts the frame changes it is told about.
class CountingSprite : public Sprite {
public:
    using Sprite::Sprite;
    void FrameChanged(int index) override {
        ++frameChanges;
        lastChange = index;
    }
    int frameChanges = 0;
    int lastChange = -1;
};

// A strip of `frames` frames of w × h, frame f (from 0) in colour 0x100000 × (f + 1).
XImage* MakeStrip(FormGames& game, int w, int h, int frames) {
    return MakePicture(game, w, h * frames,
                       [h](int, int y) { return static_cast<uint32_t>(0x100000 * (y / h + 1)); });
}

}  // namespace

TEST(Sprite, CollisionsRespectTheInsets) {
    Sprite a(nullptr, nullptr, 40, 40), b(nullptr, nullptr, 40, 40);
    a.PlaceAt(100, 100);
    b.PlaceAt(119, 100);
    EXPECT_TRUE(a.CollidesWith(b, 10, 10));
    b.PlaceAt(120, 100);
    EXPECT_FALSE(a.CollidesWith(b, 10, 10));
    b.PlaceAt(100, 119);
    EXPECT_TRUE(b.CollidesWith(a, 10, 10));
    b.PlaceAt(100, 120);
    EXPECT_FALSE(b.CollidesWith(a, 10, 10));

    Sprite bullet(nullptr, nullptr, 3, 3), target(nullptr, nullptr, 45, 63);
    bullet.PlaceAt(100, 100);
    target.PlaceAt(102, 50);
    EXPECT_TRUE(bullet.CollidesWith(target, 0, 0));
    EXPECT_TRUE(target.CollidesWith(bullet, 0, 0));
    target.PlaceAt(103, 50);
    EXPECT_FALSE(bullet.CollidesWith(target, 0, 0));
    EXPECT_GT(target.Id(), bullet.Id());
    EXPECT_EQ(Sprite::SpriteCounter(), target.Id());
}

TEST(Sprite, DrawCutsTheCurrentFrameAndRestoresWhereItWas) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    scene.LoadBackground();
    XImage* strip = MakeStrip(*scene.game, 40, 40, 4);
    Sprite sprite(scene.game.get(), strip, 40, 40);
    sprite.PlaceAt(10, 10);
    scene.game->DrawSprite(&sprite);
    EXPECT_EQ(scene.FramePixel(10, 10), 0x100000u);
    sprite.SetFrame(2);
    sprite.PlaceAt(60, 10);
    scene.game->DrawSprite(&sprite);
    EXPECT_EQ(scene.FramePixel(60, 10), 0x300000u);
    EXPECT_EQ(scene.FramePixel(10, 10), GameScene::BackgroundAt(10, 10));
    scene.game->EraseSprite(&sprite);
    EXPECT_EQ(scene.FramePixel(60, 10), GameScene::BackgroundAt(60, 10));
    EXPECT_FALSE(sprite.IsDrawn());

    // A frame past the end of the strip draws nothing and reads nothing outside it.
    sprite.SetFrame(9);
    scene.game->DrawSprite(&sprite);
    EXPECT_EQ(scene.FramePixel(60, 10), GameScene::BackgroundAt(60, 10));
    // Wholly left of the form: nothing is written, but the sprite counts as drawn.
    Sprite outside(scene.game.get(), strip, 40, 40);
    outside.PlaceAt(-41, 0);
    scene.game->DrawSprite(&outside);
    EXPECT_TRUE(outside.IsDrawn());
    EXPECT_EQ(scene.FramePixel(0, 0), GameScene::BackgroundAt(0, 0));
    Sprite never(scene.game.get(), strip, 40, 40);
    scene.game->EraseSprite(&never);
    EXPECT_FALSE(never.IsDrawn());
    destroyXImage(strip);
}

TEST(Sprite, RestoreUnderClipsToTheForm) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    scene.LoadBackground();
    scene.game->RenderRect(0, 0, 60, 60, 0x00FF00);  // drawn for good into the copy too
    Sprite sprite(scene.game.get(), nullptr, 30, 20);
    sprite.persistent = true;
    sprite.RestoreUnder(-10, 5, 30, 20);
    EXPECT_EQ(scene.FramePixel(0, 5), GameScene::BackgroundAt(0, 5));
    EXPECT_EQ(scene.FramePixel(19, 24), GameScene::BackgroundAt(19, 24));
    EXPECT_EQ(scene.CopyPixel(19, 24), GameScene::BackgroundAt(19, 24));
    EXPECT_EQ(scene.FramePixel(20, 5), 0x00FF00u);
    EXPECT_EQ(scene.FramePixel(0, 4), 0x00FF00u);
    EXPECT_EQ(scene.FramePixel(0, 25), 0x00FF00u);
    sprite.RestoreUnder(GameScene::kWidth - 5, GameScene::kHeight - 5, 30, 20);
    EXPECT_EQ(scene.FramePixel(GameScene::kWidth - 1, GameScene::kHeight - 1),
              GameScene::BackgroundAt(GameScene::kWidth - 1, GameScene::kHeight - 1));
    EXPECT_EQ(TempDir::Read("log.txt").find("RipristinaSfondo"), std::string::npos);
    // Unclipped rectangles reaching past the buffer are cut at its end, and said so.
    scene.game->RipristinaSfondo(0, GameScene::kHeight - 10, 10, 20, false);
    EXPECT_EQ(TempDir::Read("log.txt"),
              "RipristinaSfondo(): attenzione sizeFrame > size bmpScreenBuffer\n");
}

TEST(Sprite, AnimationCyclesItsFramesAndClonesKeepTheirState) {
    TempDir dir;
    GameScene scene;
    SpriteKind kind;
    kind.firstFrame = 6;
    kind.lastFrame = 9;
    kind.interval = 200;
    CountingSprite sprite(scene.game.get(), nullptr, 45, 63);
    SpriteAnimazione cycle(scene.game.get(), &kind, &sprite);
    sprite.SetFrame(9);
    cycle.Step();
    EXPECT_EQ(sprite.FrameIndex(), 6);
    for (int step = 0; step < 3; ++step)
        cycle.Step();
    EXPECT_EQ(sprite.FrameIndex(), 9);
    EXPECT_EQ(sprite.frameChanges, 4);
    EXPECT_TRUE(sprite.IsDrawn());

    cycle.counter = 70;
    cycle.firstFrame = cycle.lastFrame = 9;
    SpriteAnim* copy = cycle.Clone();
    EXPECT_EQ(copy->counter, 70);
    EXPECT_EQ(copy->interval, 200);
    EXPECT_EQ(copy->firstFrame, 9);
    copy->Step();
    EXPECT_EQ(sprite.FrameIndex(), 9);
    EXPECT_EQ(sprite.frameChanges, 5);
    EXPECT_EQ(sprite.lastChange, 9);
    delete copy;
}

TEST(Sprite, DeferredSpritesAreDrawnOnlyWhileAFrameIsComposed) {
    TempDir dir;
    GameScene scene;
    ASSERT_TRUE(scene.Pump([&] { return scene.game->GetSurface() != nullptr; }));
    scene.LoadBackground();
    XImage* strip = MakeStrip(*scene.game, 20, 20, 1);
    Sprite sprite(scene.game.get(), strip, 20, 20);
    scene.game->AddSprite(&sprite);
    scene.game->deferredDrawing = true;
    sprite.PlaceAt(30, 30);
    scene.game->DrawSprite(&sprite);
    EXPECT_EQ(scene.FramePixel(30, 30), GameScene::BackgroundAt(30, 30));
    scene.game->RenderFrame();
    EXPECT_EQ(scene.FramePixel(30, 30), 0x100000u);
    sprite.PlaceAt(100, 30);
    scene.game->RenderFrame();
    EXPECT_EQ(scene.FramePixel(30, 30), GameScene::BackgroundAt(30, 30));
    EXPECT_EQ(scene.FramePixel(100, 30), 0x100000u);
    scene.game->RemoveSprite(&sprite);
    EXPECT_EQ(scene.game->SpriteCount(), 0);
    scene.game->RenderFrame();
    EXPECT_EQ(scene.FramePixel(100, 30), GameScene::BackgroundAt(100, 30));
    destroyXImage(strip);
}
