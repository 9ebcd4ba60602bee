// The display-only controls on a shown form: the cell control, the progress
// bar and the image frame, read back from the server.
#include <gtest/gtest.h>

#include <algorithm>

#include "ControlKit.h"
#include "controls/CellControl.h"
#include "controls/ImageFrame.h"
#include "controls/ProgressBar.h"
#include "images/RgbBuffer.h"
#include "widgets/DrawingSurface.h"
#include "widgets/XImageConversion.h"

namespace nebulark {
namespace {

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kGrey = 0xAAAAAA, kRed = 0xFF0000,
                   kBlue = 0x0000FF, kGreen = 0x00FF00;

bool Holds(const std::vector<uint32_t>& pixels, uint32_t colour) {
    return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
}

// A picture whose columns are the given colours, `h` rows high.
XImage* Columns(Form& form, const std::vector<uint32_t>& colours, int h) {
    const int w = static_cast<int>(colours.size());
    RgbBuffer rgb = RgbBuffer::allocate(w, h);
    for (int row = 0; row < h; ++row)
        for (int column = 0; column < w; ++column)
            for (int c = 0; c < 3; ++c)
                rgb.row(row)[column * 3 + c] = static_cast<unsigned char>(
                    colours[static_cast<size_t>(column)] >> (16 - 8 * c));
    return createXImageFromRgb(&form, rgb);
}

using DisplayControls = test::ControlBench;

TEST_F(DisplayControls, ACellRepaintsAndIsModifiedOnlyWhenSomethingChanges) {
    CellControl cell(&form);
    cell.SetPosition(10, 10);
    cell.SetSize(120, 20);
    cell.SetCaption("Punti");
    cell.setBevel(true);
    cell.SetBackColor(kGrey);
    cell.Show();
    EXPECT_FALSE(cell.isModified());
    EXPECT_EQ(Pixel(10, 10), kBlack);
    EXPECT_EQ(Pixel(129, 29), kWhite);
    EXPECT_TRUE(Holds(Pixels(11, 11, 118, 18), kBlack)) << "the caption";

    // Paint over the cell: an unchanged caption leaves the paint alone.
    DrawingSurface(&form).FillRect(0, 0, 200, 50, 0, -1, kRed);
    cell.SetCaption("Punti");
    EXPECT_FALSE(cell.isModified());
    EXPECT_EQ(Pixel(60, 20), kRed);
    cell.SetCaption("Livello");
    EXPECT_TRUE(cell.isModified());
    EXPECT_EQ(Pixel(12, 12), kGrey);

    // Highlight colours, and a white background turns the light bevel black.
    cell.clearModified();
    cell.setHighlightBackColor(kWhite);
    cell.setHighlighted(true);
    EXPECT_FALSE(cell.isModified());
    EXPECT_EQ(Pixel(12, 12), kWhite);
    EXPECT_EQ(Pixel(129, 29), kBlack);
    cell.SetBackColor(kGreen);
    cell.setHighlighted(false);
    cell.restoreBackColor();
    EXPECT_TRUE(cell.isModified());
    EXPECT_EQ(Pixel(12, 12), kGrey);

    // A caption far longer than its cell stays inside it.
    cell.setBevel(false);
    cell.SetCaption(std::string(500, 'W') + " " + std::string(300, 'i'));
    EXPECT_FALSE(Holds(Pixels(130, 0, 70, 50), kBlack));
    EXPECT_FALSE(Holds(Pixels(0, 31, 200, 19), kBlack));
    cell.Hide();
    EXPECT_EQ(Pixels(10, 10, 120, 20), std::vector<uint32_t>(120 * 20, kGrey));
}

TEST_F(DisplayControls, AProgressBarFillsInProportionWithinItsRange) {
    ProgressBar bar(&form, 10, 20);
    bar.SetPosition(10, 10);
    bar.SetSize(102, 20);
    bar.Show();
    EXPECT_FALSE(Holds(Pixels(10, 10, 102, 20), kBlue));
    EXPECT_EQ(Pixel(10, 10), kBlack);
    EXPECT_EQ(Pixel(111, 29), kWhite);

    bar.setValue(15);
    EXPECT_EQ(Pixel(11, 20), kBlue);
    EXPECT_EQ(Pixel(59, 20), kBlue);
    EXPECT_EQ(Pixel(61, 20), kGrey);
    bar.setValue(99);
    EXPECT_EQ(bar.getValue(), 20);
    EXPECT_EQ(Pixel(109, 20), kBlue);
    bar.setValue(-99);
    EXPECT_FALSE(Holds(Pixels(10, 10, 102, 20), kBlue));

    bar.setValue(20);
    bar.SetPosition(10, 100);
    EXPECT_EQ(Pixels(10, 10, 102, 20), std::vector<uint32_t>(102 * 20, kGrey));
    EXPECT_EQ(Pixel(50, 110), kBlue);

    ProgressBar empty(&form, 5, 5);
    empty.setValue(5);
    EXPECT_EQ(empty.fraction(), 0.0);
}

// Frames the pictures do not hold show the empty frame, and nothing is read
// outside a picture (the sanitizer build watches).
TEST_F(DisplayControls, AnImageFrameShowsOnlyFramesItsPicturesHold) {
    XImage* sheet = Columns(form, {kRed, kRed, kBlue, kBlack}, 3);
    ImageFrame fromSheet(&form, sheet, 0, 0);
    fromSheet.SetPosition(10, 10);
    fromSheet.SetSize(2, 3);
    fromSheet.Show();
    EXPECT_EQ(Pixels(10, 10, 2, 3), std::vector<uint32_t>(6, kRed));
    fromSheet.setFrame(1, 0);
    EXPECT_EQ(Pixels(10, 10, 2, 3),
              (std::vector<uint32_t>{kBlue, kBlack, kBlue, kBlack, kBlue, kBlack}));
    fromSheet.setBlackTransparent(true);
    EXPECT_EQ(Pixel(11, 10), kGrey);
    for (const auto& [column, row] : {std::pair{2, 0}, std::pair{0, 1}, std::pair{-1, 0}}) {
        fromSheet.setFrame(column, row);
        EXPECT_EQ(Pixels(10, 10, 2, 3), std::vector<uint32_t>(6, kGrey)) << column << "," << row;
    }

    XImage* green = Columns(form, {kGreen}, 1);
    ImageFrame listed(&form, std::vector<XImage*>{sheet, green}, 1, 0);
    listed.SetPosition(50, 10);
    listed.SetSize(4, 3);
    listed.Show();
    EXPECT_EQ(Pixel(50, 10), kGreen);
    EXPECT_EQ(Pixel(51, 10), kGrey) << "a smaller picture is not read past";
    listed.setFrame(1, 1);
    EXPECT_EQ(Pixel(50, 10), kGrey);

    // Drawn with black transparent, the caller's picture keeps its black.
    listed.setFrame(0, 0);
    listed.setBlackTransparent(true);
    EXPECT_EQ(Pixel(53, 10), kGrey);
    listed.setBlackTransparent(false);
    EXPECT_EQ(Pixel(53, 10), kBlack);
    // Across the form's right edge, the visible part is keyed and drawn.
    listed.setBlackTransparent(true);
    listed.SetPosition(296, 10);
    listed.SetSize(8, 3);
    EXPECT_EQ(Pixels(296, 10, 4, 1), (std::vector<uint32_t>{kRed, kRed, kBlue, kGrey}));
    destroyXImage(green);
    destroyXImage(sheet);
}

}  // namespace
}  // namespace nebulark
