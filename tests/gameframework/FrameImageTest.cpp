#include <gtest/gtest.h>

#include <vector>

#include "gameframework/FrameImage.h"

using namespace nebulark;

namespace {

// An image in the server's usual layout, every fourth byte set to a marker so
// that a write to it shows.
struct TestImage {
    TestImage(int w, int h, uint8_t fill = 0) : bytes(static_cast<size_t>(w * h * 4), fill) {
        for (size_t i = 3; i < bytes.size(); i += 4)
            bytes[i] = kMarker;
        view = FrameImage(bytes.data(), w, h, w * 4, PixelChannels{});
    }
    bool MarkersIntact() const {
        for (size_t i = 3; i < bytes.size(); i += 4)
            if (bytes[i] != kMarker) return false;
        return true;
    }
    static constexpr uint8_t kMarker = 0xA5;
    std::vector<uint8_t> bytes;
    FrameImage view;
};

// A 45 × 63 picture whose pixel (x, y) is 0x0100xx + y, never black.
TestImage Picture() {
    TestImage picture(45, 63);
    for (int y = 0; y < 63; ++y)
        for (int x = 0; x < 45; ++x)
            picture.view.SetPixel(x, y, 0x010000 + (x << 8) + y);
    return picture;
}

}  // namespace

TEST(FrameImage, BlendClipsAtEveryEdge) {
    const TestImage picture = Picture();
    TestImage frame(100, 80);
    frame.view.Blend(picture.view, -10, 5, PixelRect{0, 0, 45, 63}, false);
    EXPECT_EQ(frame.view.PixelAt(0, 5), 0x010000u + (10 << 8));  // the 11th column
    EXPECT_EQ(frame.view.PixelAt(34, 5), 0x010000u + (44 << 8));
    EXPECT_EQ(frame.view.PixelAt(35, 5), 0u);
    EXPECT_EQ(frame.view.PixelAt(0, 4), 0u);
    EXPECT_EQ(frame.view.PixelAt(0, 67), 0x010000u + (10 << 8) + 62);

    TestImage untouched(100, 80);
    untouched.view.Blend(picture.view, 100, 0, PixelRect{0, 0, 45, 63}, false);
    untouched.view.Blend(picture.view, 0, 80, PixelRect{0, 0, 45, 63}, false);
    untouched.view.Blend(picture.view, -45, 0, PixelRect{0, 0, 45, 63}, false);
    untouched.view.Blend(picture.view, 0, 0, PixelRect{10, 10, 0, 10}, false);
    EXPECT_EQ(untouched.bytes, TestImage(100, 80).bytes);

    TestImage corner(100, 80);
    corner.view.Blend(picture.view, 90, 70, PixelRect{0, 0, 45, 63}, false);
    EXPECT_EQ(corner.view.PixelAt(99, 79), 0x010000u + (9 << 8) + 9);
    EXPECT_TRUE(frame.MarkersIntact() && corner.MarkersIntact());
}

TEST(FrameImage, SourceRectangleNeverLeavesThePicture) {
    const TestImage picture = Picture();
    TestImage frame(100, 80);
    // A frame index past the end of a strip asks for rows the picture lacks.
    frame.view.Blend(picture.view, 0, 0, PixelRect{0, 60, 45, 60}, false);
    EXPECT_EQ(frame.view.PixelAt(0, 2), 0x010000u + 62);
    EXPECT_EQ(frame.view.PixelAt(0, 3), 0u);
    frame.view.Blend(picture.view, 50, 0, PixelRect{-5, -5, 15, 15}, false);
    EXPECT_EQ(frame.view.PixelAt(55, 5), 0x010000u);
    EXPECT_EQ(frame.view.PixelAt(54, 5), 0u);
    frame.view.Blend(picture.view, 0, 0, PixelRect{45, 0, 45, 63}, false);
    frame.view.Blend(picture.view, 0, 0, PixelRect{0, 1000, 45, 1000}, false);
    EXPECT_TRUE(frame.MarkersIntact());
}

TEST(FrameImage, TransparencySkipsOnlyPureBlackAndPersistenceWritesBoth) {
    TestImage sprite(3, 1);
    sprite.view.SetPixel(0, 0, 0x000000);
    sprite.view.SetPixel(1, 0, 0x000001);
    sprite.view.SetPixel(2, 0, 0x808080);
    TestImage frame(4, 1, 0x33), copy(4, 1, 0x44);
    frame.view.Blend(sprite.view, 0, 0, PixelRect{0, 0, 3, 1}, true, &copy.view);
    EXPECT_EQ(frame.view.PixelAt(0, 0), 0x333333u);
    EXPECT_EQ(frame.view.PixelAt(1, 0), 0x000001u);
    EXPECT_EQ(frame.view.PixelAt(2, 0), 0x808080u);
    EXPECT_EQ(copy.view.PixelAt(0, 0), 0x444444u);
    EXPECT_EQ(copy.view.PixelAt(1, 0), 0x000001u);
    frame.view.Blend(sprite.view, 0, 0, PixelRect{0, 0, 3, 1}, false);
    EXPECT_EQ(frame.view.PixelAt(0, 0), 0x000000u);
    EXPECT_TRUE(frame.MarkersIntact() && copy.MarkersIntact());

    // A long row, blended several pixels at a time: black pixels at irregular
    // places, and a tail shorter than a group.
    TestImage row(37, 1), wide(40, 1, 0x22);
    for (int x = 0; x < 37; ++x)
        row.view.SetPixel(x, 0, x % 3 == 0 || x == 35 ? 0 : 0x010203u * static_cast<uint32_t>(x));
    wide.view.Blend(row.view, 2, 0, PixelRect{0, 0, 37, 1}, true);
    for (int x = 0; x < 40; ++x) {
        const int s = x - 2;
        const bool shows = s >= 0 && s < 37 && s % 3 != 0 && s != 35;
        EXPECT_EQ(wide.view.PixelAt(x, 0), shows ? 0x010203u * static_cast<uint32_t>(s) : 0x222222u)
            << "pixel " << x;
    }
    EXPECT_TRUE(wide.MarkersIntact());
}

TEST(FrameImage, ChannelPositionsFollowTheLayout) {
    std::vector<uint8_t> bytes(8, 0);
    FrameImage swapped(bytes.data(), 2, 1, 8, PixelChannels{4, 0, 1, 2});
    swapped.SetPixel(1, 0, 0xCF3B76);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 0, 0, 0, 0xCF, 0x3B, 0x76, 0}));
    TestImage usual(2, 1);
    usual.view.Blend(swapped, 0, 0, PixelRect{0, 0, 2, 1}, false);
    EXPECT_EQ(usual.bytes[4], 0x76);
    EXPECT_EQ(usual.bytes[6], 0xCF);
    EXPECT_TRUE(usual.MarkersIntact());
}

TEST(FrameImage, RectangleCopiesStayInsideBothImages) {
    TestImage source(10, 10, 0x77), target(10, 10);
    EXPECT_EQ(target.view.CopyRectFrom(source.view, {2, 3, 4, 5}), (PixelRect{2, 3, 4, 5}));
    EXPECT_EQ(target.view.PixelAt(2, 3), 0x777777u);
    EXPECT_EQ(target.view.PixelAt(5, 7), 0x777777u);
    EXPECT_EQ(target.view.PixelAt(6, 7), 0u);
    EXPECT_EQ(target.view.PixelAt(5, 8), 0u);
    TestImage cut(10, 10);
    EXPECT_EQ(cut.view.CopyRectFrom(source.view, {8, 8, 50, 50}), (PixelRect{8, 8, 2, 2}));
    EXPECT_EQ(cut.view.PixelAt(9, 9), 0x777777u);
    EXPECT_EQ(cut.view.PixelAt(7, 9), 0u);
    TestImage small(4, 4, 0x11);
    target.view.CopyAllFrom(small.view);
    EXPECT_EQ(target.view.PixelAt(3, 0), 0x111111u);
    EXPECT_EQ(target.view.PixelAt(2, 3), 0x777777u);  // only the small image's bytes
    target.view.SetPixel(-1, 0, 0xFFFFFF);
    target.view.SetPixel(10, 0, 0xFFFFFF);
    EXPECT_TRUE(target.MarkersIntact());
}
