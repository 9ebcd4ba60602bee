#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "RandomPicture.h"
#include "gameframework/FrameCompositor.h"

using namespace nebulark;

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

using Picture = RandomPicture;

// The three pictures of a background, a compositor working on them, and the
// window it is put on, each rectangle it names copied there.
struct Stage {
    Picture background{kWidth, kHeight, 1}, copy{kWidth, kHeight, 1}, frame{kWidth, kHeight, 1};
    Picture window{kWidth, kHeight, 1};
    bool deferred = true;
    int waits = 0;
    FrameCompositor compositor{deferred, [this] { ++waits; }};

    Stage() { compositor.UsePictures(background.view, copy.view, frame.view); }
    void Put(const std::vector<PixelRect>& rects) {
        for (const PixelRect& rect : rects)
            window.view.CopyRectFrom(frame.view, rect);
        compositor.FrameShown();
    }
};

}  // namespace

// A persistent write is drawn into both buffers; a sprite's write is refused
// while drawing is deferred, drawn at once when it is not, and while a frame
// is composed in part only recorded until the frame ends.
TEST(FrameCompositor, EachWriteIsDrawnRecordedOrRefused) {
    const Picture dot(1, 1, 7);
    Stage stage;
    FrameCompositor& c = stage.compositor;
    c.Blend(dot.view, 5, 5, {0, 0, 1, 1}, false, false);
    c.SetPixel(6, 5, 0xABCDEF, false);
    EXPECT_FALSE(c.HasDamage());
    EXPECT_NE(stage.frame.view.PixelAt(6, 5), 0xABCDEFu);
    EXPECT_EQ(stage.waits, 0) << "nothing written, no wait for the server";

    c.SetPixel(7, 5, 0x123456, true);
    EXPECT_TRUE(c.HasDamage());
    EXPECT_EQ(stage.frame.view.PixelAt(7, 5), 0x123456u);
    EXPECT_EQ(stage.copy.view.PixelAt(7, 5), 0x123456u);
    EXPECT_GT(stage.waits, 0);
    stage.Put(c.CollapseDamage());

    stage.deferred = false;
    c.SetPixel(8, 5, 0x654321, false);
    EXPECT_EQ(stage.frame.view.PixelAt(8, 5), 0x654321u);
    EXPECT_NE(stage.copy.view.PixelAt(8, 5), 0x654321u);
    stage.Put(c.CollapseDamage());
    ASSERT_EQ(stage.window.bytes, stage.frame.bytes);

    // The sprite drawn without a record makes the next frame whole; the one
    // after it is composed in part.
    stage.deferred = true;
    for (int pass = 0; pass < 2; ++pass) {
        c.BeginFrame();
        c.BeginSprite(1);
        c.SetPixel(9 + pass, 5, 0xFEDCBA, false);
        EXPECT_EQ(stage.frame.view.PixelAt(9 + pass, 5) == 0xFEDCBAu, pass == 0)
            << "drawn at once only when the frame is composed whole";
        stage.Put(c.EndFrame(false));
        EXPECT_EQ(stage.frame.view.PixelAt(9 + pass, 5), 0xFEDCBAu);
    }
    EXPECT_NE(stage.frame.view.PixelAt(9, 5), 0xFEDCBAu) << "the sprite's last place restored";
    EXPECT_EQ(stage.frame.view.PixelAt(8, 5), stage.copy.view.PixelAt(8, 5));
    EXPECT_EQ(stage.window.bytes, stage.frame.bytes);
}

// Frame after frame, with texts drawn for good between frames and the window
// at times losing what it showed, the window given only what the compositor
// names equals the frame composed whole, whether the put sends every pixel or
// none.
TEST(FrameCompositor, TheWindowAlwaysShowsTheWholeFrame) {
    const Picture strip(30, 80, 2), text(40, 10, 3);
    for (const bool sendsPixels : {false, true}) {
        Stage stage;
        Picture whole(kWidth, kHeight, 4);
        std::mt19937 random(5);
        std::vector<std::pair<int, int>> sprites{{10, 10}, {60, 40}, {100, 80}, {-10, 100}};
        for (int frame = 0; frame < 200; ++frame) {
            for (auto& [x, y] : sprites)
                if (random() % 3 == 0) x += static_cast<int>(random() % 11) - 5, y += 2;
            if (random() % 15 == 0)
                stage.compositor.Blend(text.view, static_cast<int>(random() % 150) - 20,
                                       static_cast<int>(random() % 110), {0, 0, 40, 10}, true,
                                       true);
            if (random() % 40 == 0) stage.compositor.InvalidateAll();
            stage.compositor.BeginFrame();
            whole.view.CopyAllFrom(stage.copy.view);
            for (size_t i = 0; i < sprites.size(); ++i) {
                const PixelRect part{0, static_cast<int>(i) * 20, 30, 20};
                stage.compositor.BeginSprite(static_cast<int>(i) + 1);
                stage.compositor.Blend(strip.view, sprites[i].first, sprites[i].second % 130, part,
                                       false, true);
                whole.view.Blend(strip.view, sprites[i].first, sprites[i].second % 130, part, true);
            }
            stage.Put(stage.compositor.EndFrame(sendsPixels));
            ASSERT_EQ(stage.window.bytes, whole.bytes) << "frame " << frame;
        }
    }
}
