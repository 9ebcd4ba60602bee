// Drawing checked pixel by pixel with XGetImage on the test's own connection.
#include <gtest/gtest.h>

#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>

#include "WidgetKit.h"
#include "support/TempDir.h"
#include "support/XvfbEnvironment.h"
#include "support/XvfbServer.h"
#include "widgets/DrawingSurface.h"
#include "widgets/XImageConversion.h"

namespace nebulark {
namespace {

using AppScreen = nebulark::Screen;
using Picture = std::vector<std::string>;
using test::ProbeForm;
using test::TempDir;
using test::XvfbEnvironment;

constexpr int32_t kRed = 0xFF0000;
constexpr int32_t kGreen = 0x00FF00;
constexpr int32_t kWhite = 0xFFFFFF;

struct Box {
    int left, top, right, bottom;  // inclusive; left > right when empty
};

class Drawing : public ::testing::Test {
protected:
    TempDir dir;
    AppScreen screen{"drawing"};
    ProbeForm form;

    void SetUp() override {
        form.SetBackColor(0x000000);
        ASSERT_TRUE(test::ShowOnScreen(form, screen, 0, 0, 400, 300));
    }

    std::vector<uint32_t> Pixels(int x, int y, int w, int h) {
        XSync(screen.GetDisplay(), False);
        return XvfbEnvironment::Driver().Pixels(form.GetWindow(), x, y, w, h);
    }

    uint32_t PixelAt(int x, int y) { return Pixels(x, y, 1, 1).at(0); }

    // One character per pixel: '#' for the ink, '.' for black, 'o' otherwise.
    Picture Draw(int x, int y, int w, int h, uint32_t ink) {
        const std::vector<uint32_t> pixels = Pixels(x, y, w, h);
        Picture rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col) {
                const uint32_t pixel = pixels[static_cast<size_t>(row * w + col)];
                rows[row][col] = pixel == ink ? '#' : pixel == 0 ? '.' : 'o';
            }
        return rows;
    }

    // The smallest box holding every non-black pixel of the area.
    Box Lit(int x, int y, int w, int h) {
        const std::vector<uint32_t> pixels = Pixels(x, y, w, h);
        Box box{x + w, y + h, x - 1, y - 1};
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col) {
                if (pixels[static_cast<size_t>(row * w + col)] == 0) continue;
                box.left = std::min(box.left, x + col);
                box.right = std::max(box.right, x + col);
                box.top = std::min(box.top, y + row);
                box.bottom = std::max(box.bottom, y + row);
            }
        return box;
    }

    // A 32-bit image of the server's layout, filled with one colour.
    XImage* MakeImage(int w, int h, uint32_t colour) {
        char* data = static_cast<char*>(std::calloc(static_cast<size_t>(w * h), 4));
        XImage* image =
            XCreateImage(screen.GetDisplay(), DefaultVisual(screen.GetDisplay(), 0), 24, ZPixmap, 0,
                         data, static_cast<unsigned>(w), static_cast<unsigned>(h), 32, 0);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col)
                XPutPixel(image, col, row, colour);
        return image;
    }
};

TEST_F(Drawing, RectanglesCoverExactlyTheirDocumentedPixels) {
    DrawingSurface surface(&form);
    surface.FillRect(1, 1, 10, 10, 0, -1, kRed);
    surface.DrawRect(13, 1, 10, 10, 1, kRed);
    surface.FillRect(RectStyle{25, 1, 6, 6, 1, kGreen, kRed});
    surface.DrawRect(33, 1, 6, 6, 3, kRed);
    surface.DrawRect(41, 1, 5, 5, 0, kRed);  // the wide line above did not stay
    // The three-pixel outline is centred on the one-pixel path, with round
    // joins; the rectangle after it is one pixel wide again.
    const Picture expected{
        "................................########.......",
        ".#########...##########..ooooo..########.#####.",
        ".#########...#........#..o###o..########.#...#.",
        ".#########...#........#..o###o..###..###.#...#.",
        ".#########...#........#..o###o..###..###.#...#.",
        ".#########...#........#..ooooo..########.#####.",
        ".#########...#........#.........########.......",
        ".#########...#........#.........########.......",
        ".#########...#........#........................",
        ".#########...#........#........................",
        ".............##########........................",
        "...............................................",
    };
    EXPECT_EQ(Draw(0, 0, 47, 12, kRed), expected);
}

TEST_F(Drawing, DashedLinesLeaveGapsAndTheContextReturnsToSolid) {
    DrawingSurface surface(&form);
    surface.FillRect(0, 0, 31, 8, 0, -1, kGreen);
    surface.DrawLine(0, 1, 29, 1, 0, kRed);
    surface.DrawLine(0, 3, 29, 3, 1, kRed);
    surface.DrawLine(0, 5, 29, 5, 2, kRed);
    surface.DrawLine(0, 7, 29, 7, kRed);
    const Picture lines = Draw(0, 0, 30, 8, kRed);
    EXPECT_EQ(lines[1], std::string(30, '#'));
    EXPECT_EQ(lines[7], std::string(30, '#'));
    // Four-pixel dashes that the round caps lengthen by one. On-off dashes
    // leave the green underneath; double dashes fill their gaps with the
    // context's background, black, whose caps in turn shorten the dashes.
    EXPECT_EQ(lines[3], "#####ooo#####ooo#####ooo#####o");
    EXPECT_EQ(lines[5], "####....####....####....####..");
}

TEST_F(Drawing, EllipsesAndPolygons) {
    DrawingSurface surface(&form);
    surface.FillEllipse(10, 10, 20, 20, 1, kGreen, kRed);
    surface.DrawEllipse(40, 10, 20, 20, 5, kGreen);
    EXPECT_EQ(PixelAt(20, 20), uint32_t(kRed));
    EXPECT_EQ(PixelAt(10, 20), uint32_t(kGreen));
    EXPECT_EQ(PixelAt(30, 20), uint32_t(kGreen));
    EXPECT_EQ(PixelAt(11, 11), 0u);
    EXPECT_EQ(PixelAt(50, 20), 0u);  // an outline only
    EXPECT_EQ(PixelAt(42, 20), 0u);  // one pixel wide whatever the width asked
    EXPECT_EQ(PixelAt(40, 20), uint32_t(kGreen));

    XPoint triangle[] = {{10, 60}, {40, 60}, {10, 90}};
    surface.FillPolygon(triangle, 3, 1, kGreen, kRed);
    EXPECT_EQ(PixelAt(15, 65), uint32_t(kRed));
    EXPECT_EQ(PixelAt(25, 60), uint32_t(kGreen));
    EXPECT_EQ(PixelAt(25, 75), uint32_t(kGreen));
    EXPECT_NE(PixelAt(10, 75), uint32_t(kGreen));  // the outline is not closed
}

TEST_F(Drawing, PointsArePutAndReadBack) {
    DrawingSurface surface;  // the first form
    surface.DrawPoint(5, 140, 0x123456);
    EXPECT_EQ(surface.GetPixel(5, 140), 0x123456);
    EXPECT_EQ(PixelAt(5, 140), 0x123456u);
    EXPECT_EQ(PixelAt(6, 140), 0u);
}

TEST_F(Drawing, TextUsesTheFirstFormsFourteenPixelFont) {
    DrawingSurface surface(&form);
    EXPECT_EQ(surface.LineHeight(), 13);
    EXPECT_EQ(surface.CharWidth(), 7);
    EXPECT_EQ(surface.WideCharWidth(), 7);

    surface.DrawText(0, 0, 100, 9, "Ciao", kWhite, -1, 0, false);
    EXPECT_GT(Lit(0, 0, 100, 30).left, 99);  // nothing at a height of 9
    surface.DrawText(0, 0, 100, 10, "Ciao", kWhite, -1, 0, false);
    const Box one = Lit(0, 0, 100, 30);
    EXPECT_LT(one.left, 7);
    EXPECT_LT(one.right, 28);
    EXPECT_LE(one.bottom, 16);  // baseline 14, plus the descent
}

TEST_F(Drawing, ABackColourClearsTheBoxOneRowTallerBeforeTheText) {
    DrawingSurface surface(&form);
    surface.DrawTextBox(120, 10, 50, 20, "x", kWhite, kRed, 0);
    const Picture area = Draw(119, 9, 52, 23, kRed);
    EXPECT_EQ(area[0], std::string(52, '.'));
    EXPECT_EQ(area[1], "." + std::string(49, '#') + "..");
    EXPECT_EQ(area[20].substr(0, 51), "." + std::string(49, '#') + ".");
    EXPECT_EQ(area[21], std::string(52, '.'));
    EXPECT_NE(area[11].find('o'), std::string::npos);  // the white text
}

TEST_F(Drawing, AFontThatCannotBeLoadedLeavesTheDefaultFont) {
    form.GetFont().family = "nosuchfoundry-nosuchfamily";
    DrawingSurface surface(&form);
    EXPECT_EQ(surface.GetFontStruct(), nullptr);
    EXPECT_EQ(surface.LineHeight(), 0);
    EXPECT_EQ(surface.CharWidth(), 0);
    surface.DrawText(10, 20, 40, 60, "hello world", kWhite, -1, 0, false);
    EXPECT_LT(Lit(0, 20, 200, 15).left, 17);
    EXPECT_LT(Lit(0, 35, 200, 15).left, 17);  // still wrapped
    EXPECT_GT(Lit(51, 20, 100, 60).left, 150);
    EXPECT_NE(TempDir::Read("log.txt").find("XLoadQueryFont failed\n"), std::string::npos);
}

TEST_F(Drawing, ImagesAreDrawnWholeOrInPart) {
    DrawingSurface surface(&form);
    XImage* image = MakeImage(4, 3, kRed);
    XPutPixel(image, 1, 1, kGreen);
    surface.DrawImage(10, 10, 0, 0, image);
    surface.DrawImagePart(20, 10, 2, 2, image, 1, 1);
    const Picture expected{
        "....................", "....................", "####......o#........",
        "#o##......##........", "####................",
    };
    EXPECT_EQ(Draw(10, 8, 20, 5, kRed), expected);
    XDestroyImage(image);

    surface.DrawImageFile(0, 0, 10, 10, 24, "Data/missing.bmp");
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

// The server reads a shared image from memory: what it shows must be the
// image's pixels as they are at each drawing, and the image must get its own
// buffer back, pixels and all.
TEST_F(Drawing, ASharedImageShowsItsPixelsAtEachDrawingAndGetsItsBufferBack) {
    DrawingSurface surface(&form);
    XImage* image = MakeImage(40, 30, kRed);
    XPutPixel(image, 39, 29, kWhite);
    char* own = image->data;
    surface.ShareImage(image);
    EXPECT_NE(image->data, own) << "Xvfb offers shared memory";
    surface.DrawImage(100, 100, 0, 0, image);
    EXPECT_EQ(PixelAt(100, 100), uint32_t(kRed));
    EXPECT_EQ(PixelAt(139, 129), uint32_t(kWhite));

    surface.FinishImageTransfers();
    XPutPixel(image, 0, 0, kGreen);
    surface.DrawImage(100, 100, 0, 0, image);
    surface.DrawImagePart(200, 100, 2, 2, image, 0, 0);
    EXPECT_EQ(Draw(100, 100, 2, 1, kGreen), (Picture{"#o"}));
    EXPECT_EQ(Draw(200, 100, 2, 1, kGreen), (Picture{"#o"}));

    // A rectangle of it goes from the segment too, to the same place; once
    // the transfers are finished the server has read it, and changing the
    // pixels changes nothing on the window.
    surface.DrawImageRects(image, {PixelRect{30, 20, 10, 10}});
    surface.FinishImageTransfers();
    XPutPixel(image, 39, 29, kGreen);
    EXPECT_EQ(PixelAt(39, 29), uint32_t(kWhite));
    EXPECT_EQ(surface.Traffic().bytesSent, 0u);

    surface.UnshareImage(image);
    EXPECT_EQ(image->data, own);
    EXPECT_EQ(XGetPixel(image, 0, 0) & 0xFFFFFF, unsigned(kGreen));
    EXPECT_EQ(XGetPixel(image, 39, 29) & 0xFFFFFF, unsigned(kGreen));
    XDestroyImage(image);
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

// Sprite frames are cut out of their strips often: the quick cut must give
// what XSubImage gives.
TEST_F(Drawing, ACutHoldsTheSamePixelsAsXSubImage) {
    XImage* strip = MakeImage(7, 9, 0);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 7; ++x)
            XPutPixel(strip, x, y, static_cast<unsigned long>(0x010000 * x + 0x0100 * y + 7));
    struct Rect {
        int x, y, w, h;
    };
    for (const Rect& r : {Rect{0, 0, 7, 9}, Rect{2, 3, 4, 5}, Rect{0, 6, 7, 3}, Rect{6, 8, 1, 1}}) {
        XImage* cut = cutXImage(strip, r.x, r.y, r.w, r.h);
        XImage* reference =
            XSubImage(strip, r.x, r.y, static_cast<unsigned>(r.w), static_cast<unsigned>(r.h));
        ASSERT_NE(cut, nullptr);
        EXPECT_EQ(cut->bytes_per_line, reference->bytes_per_line);
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x)
                EXPECT_EQ(XGetPixel(cut, x, y), XGetPixel(reference, x, y)) << x << "," << y;
        XDestroyImage(cut);
        XDestroyImage(reference);
    }
    XDestroyImage(strip);
}

TEST_F(Drawing, KeyColouredPixelsShowTheWindowUnderneath) {
    DrawingSurface surface(&form);
    surface.FillRect(0, 0, 40, 10, 0, -1, kGreen);
    // Six columns wide but drawn three wide: each row must be keyed where it
    // really starts.
    XImage* image = MakeImage(6, 2, kRed);
    for (int col = 3; col < 6; ++col)
        XPutPixel(image, col, 0, 0);
    XPutPixel(image, 0, 1, 0);
    surface.DrawImageKeyed(2, 2, 3, 2, image);
    EXPECT_EQ(Draw(2, 2, 4, 2, kRed), (Picture{"###o", "o##o"}));
    EXPECT_EQ(XGetPixel(image, 0, 1) & 0xFFFFFF, unsigned(kGreen));  // the image took the colour

    XImage* keyRed = MakeImage(2, 2, kRed);
    XPutPixel(keyRed, 1, 1, kWhite);
    surface.DrawImagePartKeyed(10, 2, 0, 0, keyRed, 0, 0, kRed);
    surface.DrawImagePartKeyed(20, 2, 1, 1, image, 2, 1);
    const std::vector<uint32_t> pixels = Pixels(10, 2, 11, 2);
    EXPECT_EQ(pixels[0], uint32_t(kGreen));
    EXPECT_EQ(pixels[12], uint32_t(kWhite));
    EXPECT_EQ(pixels[10], uint32_t(kRed));
    XDestroyImage(keyRed);
    XDestroyImage(image);
}

TEST_F(Drawing, AreasAreCopiedAndCaptured) {
    DrawingSurface surface(&form);
    Display* display = screen.GetDisplay();
    const Pixmap pixmap = XCreatePixmap(display, form.GetWindow(), 8, 8, 24);
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XSetForeground(display, gc, kRed);
    XFillRectangle(display, pixmap, gc, 0, 0, 8, 8);
    XSetForeground(display, gc, kGreen);
    XFillRectangle(display, pixmap, gc, 4, 4, 4, 4);
    XFreeGC(display, gc);
    surface.CopyFromDrawable(50, 50, 3, 3, pixmap, 3, 3);
    XFreePixmap(display, pixmap);
    EXPECT_EQ(Draw(50, 50, 3, 3, kRed), (Picture{"###", "#oo", "#oo"}));

    XImage* capture = surface.CaptureArea(50, 50, 3, 3);
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(XGetPixel(capture, 0, 0) & 0xFFFFFF, unsigned(kRed));
    EXPECT_EQ(XGetPixel(capture, 2, 2) & 0xFFFFFF, unsigned(kGreen));
    XDestroyImage(capture);
}

// A strip is drawn off-screen in the caller's pixmap, made once, and read
// back: the window is left as it was.
TEST_F(Drawing, TextStripsAreDrawnOffScreen) {
    DrawingSurface surface(&form);
    const TextStrip strip{.width = 120,
                          .height = 20,
                          .depth = 24,
                          .baseline = 15,
                          .backColour = 0x010101,
                          .textColour = kWhite,
                          .texts = {{5, "Ab"}, {120 - surface.FontTextWidth("Cd"), "Cd"}}};
    EXPECT_EQ(surface.FontTextWidth("Cd"), 14);
    Pixmap scratch = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const Pixmap before = scratch;
        XImage* drawn = surface.DrawTextStrip(scratch, strip);
        ASSERT_NE(drawn, nullptr);
        ASSERT_NE(scratch, 0u);
        if (pass == 1) {
            EXPECT_EQ(scratch, before) << "the pixmap is made once";
        }
        ASSERT_EQ(drawn->width, 120);
        ASSERT_EQ(drawn->height, 20);
        int ink = 0, inkLeft = 120, inkRight = -1;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 120; ++x) {
                const unsigned long pixel = XGetPixel(drawn, x, y) & 0xFFFFFF;
                ASSERT_TRUE(pixel == 0x010101 || pixel == unsigned(kWhite)) << x << "," << y;
                if (pixel != unsigned(kWhite)) continue;
                ++ink;
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
        EXPECT_GT(ink, 20);
        EXPECT_GE(inkLeft, 5);
        EXPECT_GT(inkRight, 110);
        XDestroyImage(drawn);
    }
    EXPECT_GT(Lit(0, 0, 400, 300).left, 399) << "nothing on the window";
    surface.FreePixmap(scratch);
    EXPECT_EQ(scratch, 0u);
}

// Rectangles that reach outside the window cannot be read back: the server
// answers with an error, the program logs it and draws nothing.
TEST(DrawingErrors, UnreadableAreasDrawNothingAndTheProgramGoesOn) {
    test::ExpectXErrors errors;
    TempDir dir;
    AppScreen screen("errors");
    ProbeForm form;
    form.SetBackColor(0x000000);
    ASSERT_TRUE(test::ShowOnScreen(form, screen, 0, 0, 100, 80));
    DrawingSurface surface(&form);
    EXPECT_EQ(surface.GetPixel(-5, -5), -1);
    EXPECT_EQ(surface.CaptureArea(90, 70, 20, 20), nullptr);
    char* data = static_cast<char*>(std::calloc(20 * 20, 4));
    XImage* image = XCreateImage(screen.GetDisplay(), DefaultVisual(screen.GetDisplay(), 0), 24,
                                 ZPixmap, 0, data, 20, 20, 32, 0);
    surface.DrawImageKeyed(90, 70, 20, 20, image, 0x123456);
    surface.DrawImagePartKeyed(0, 0, 30, 30, image, 0, 0);
    surface.CopyFromDrawable(20, 20, 10, 10, form.GetWindow(), 95, 75);
    XDestroyImage(image);
    surface.DrawPoint(95, 75, kRed);
    XSync(screen.GetDisplay(), False);
    EXPECT_EQ(XvfbEnvironment::Driver().PixelAt(form.GetWindow(), 95, 75), uint32_t(kRed));
    EXPECT_EQ(XvfbEnvironment::Driver().PixelAt(form.GetWindow(), 25, 25), 0u);
    const std::string log = TempDir::Read("log.txt");
    EXPECT_EQ(log.rfind("Errore X: BadMatch", 0), 0u) << log;
}

// A server without the shared-memory extension (or one on another machine)
// gets the image the ordinary way, and nothing is logged.
TEST(SharedImages, WithoutTheExtensionTheImageIsLeftAloneAndDrawnAsUsual) {
    TempDir dir;
    test::XvfbServer plain;
    ASSERT_TRUE(plain.Start(24, 200, 200, {"-extension", "MIT-SHM"}));
    setenv("DISPLAY", plain.DisplayName().c_str(), 1);
    AppScreen screen("plain");
    ProbeForm form;
    ASSERT_TRUE(test::ShowOnScreen(form, screen, 0, 0, 100, 80));
    DrawingSurface surface(&form);
    Display* display = screen.GetDisplay();
    char* data = static_cast<char*>(std::calloc(10 * 10, 4));
    XImage* image =
        XCreateImage(display, DefaultVisual(display, 0), 24, ZPixmap, 0, data, 10, 10, 32, 0);
    XPutPixel(image, 3, 4, kGreen);
    surface.ShareImage(image);
    EXPECT_EQ(image->data, data);
    surface.DrawImage(20, 20, 0, 0, image);
    surface.FinishImageTransfers();
    surface.UnshareImage(image);
    XImage* shown = XGetImage(display, form.GetWindow(), 23, 24, 1, 1, AllPlanes, ZPixmap);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(XGetPixel(shown, 0, 0) & 0xFFFFFF, unsigned(kGreen));
    XDestroyImage(shown);
    XDestroyImage(image);
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

}  // namespace
}  // namespace nebulark
