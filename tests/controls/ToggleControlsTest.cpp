// The check box and the option box on a shown form: their pictures read back
// pixel by pixel, and clicks and keys sent through XTEST.
#include <X11/keysym.h>

#include "ControlFixture.h"
#include "controls/CheckBox.h"
#include "controls/OptionBox.h"

namespace nebulark {
namespace {

using test::kBlack;
using test::kGrey;
using Row = std::vector<uint32_t>;

constexpr uint32_t kFace = 0x3060A0;

constexpr uint32_t kPalette[] = {0x000000, 0x424242, 0x848484, 0xD6D6CE,
                                 0xFFFFFF, 0x9B9B9B, 0x010101};

// The enabled, checked box.
const char* const kTicked[20] = {
    "22222222222222222224", "21111111111111111134", "21444444444444444434", "21444444444444444434",
    "21444444444444444434", "21444444444444444434", "21444444444444004434", "21444444444440004434",
    "21444004444400044434", "21444000444000444434", "21444400040004444434", "21444440000044444434",
    "21444444000444444434", "21444444404444444434", "21444444444444444434", "21444444444444444434",
    "21444444444444444434", "21444444444444444434", "23333333333333333334", "44444444444444444444"};

// The enabled, selected option.
const char* const kRing[20] = {
    "00000000000000000000", "00000000000000000000", "00000002222220000000", "00000022111122000000",
    "00000211444411200000", "00002144444444350000", "00022144666644355000", "00021446666664435000",
    "00021446666664435000", "00021446666664435000", "00021446666664435000", "00022144666644355000",
    "00002144444444350000", "00000233444433500000", "00000055333355000000", "00000005555550000000",
    "00000000000000000000", "00000000000000000000", "00000000000000000000", "00000000000000000000"};

// Unchecked, the tick takes the inside's colour; disabled, the inside is grey
// and the tick dark.
std::vector<uint32_t> CheckBoxPixels(bool checked, bool enabled) {
    std::vector<uint32_t> pixels;
    for (int row = 0; row < 20; ++row) {
        for (int column = 0; column < 20; ++column) {
            char index = kTicked[row][column];
            const bool inside = row >= 2 && row <= 17 && column >= 2 && column <= 17;
            if (inside && !checked && index == '0') index = '4';
            if (inside && !enabled) index = index == '4' ? '5' : index == '0' ? '1' : index;
            pixels.push_back(kPalette[index - '0']);
        }
    }
    return pixels;
}

// Unselected, the dot takes the inside's colour; disabled, the inside is grey
// and the dot dark.
std::vector<uint32_t> OptionBoxPixels(bool selected, bool enabled, uint32_t face) {
    std::vector<uint32_t> pixels;
    for (int row = 0; row < 20; ++row) {
        for (int column = 0; column < 20; ++column) {
            char index = kRing[row][column];
            if (!selected && index == '6') index = '4';
            if (!enabled) index = index == '4' ? '5' : index == '6' ? '1' : index;
            pixels.push_back(index == '0' ? face : kPalette[index - '0']);
        }
    }
    return pixels;
}

int clicks = 0;

void CountClick(GUIElement*) {
    ++clicks;
}

class Toggles : public test::ControlFixture {
protected:
    void SetUp() override {
        ControlFixture::SetUp();
        clicks = 0;
    }
};

// A check box at (20, 30), 100 wide: its picture at (21, 31), its caption
// from x = 46 and, while focused, its dashed mark along y = 32.
TEST_F(Toggles, ACheckBoxGrowsTo22AndShowsEachStateAsDrawn) {
    CheckBox box(&form, "Suono");
    box.SetPosition(20, 30);
    box.SetSize(100, 15);
    box.Show();
    EXPECT_EQ(box.GetHeight(), 22);
    EXPECT_EQ(Pixels(21, 31, 20, 20), CheckBoxPixels(false, true));
    EXPECT_EQ(Pixel(20, 51), kGrey) << "the face in the form's colour";
    EXPECT_GT(Count(46, 31, 70, 22, kBlack), 0) << "the caption";
    box.setChecked(true);
    EXPECT_EQ(Pixels(21, 31, 20, 20), CheckBoxPixels(true, true));
    box.setEnabledAndRepaint(false);
    EXPECT_EQ(Pixels(21, 31, 20, 20), CheckBoxPixels(true, false));
    EXPECT_EQ(Count(46, 31, 70, 22, kBlack), 0);
    EXPECT_GT(Count(46, 31, 70, 22, 0x9B9B9B), 0);
    box.setChecked(false);
    box.SetBackColor(kFace);
    EXPECT_EQ(Pixels(21, 31, 20, 20), CheckBoxPixels(false, false));
    EXPECT_EQ(Pixel(20, 51), kFace);
    EXPECT_EQ(clicks, 0);
}

TEST_F(Toggles, ClicksAndSpaceFlipACheckBoxButReturnDoesNot) {
    CheckBox box(&form, "Musica");
    box.SetPosition(20, 30);
    box.SetSize(100, 22);
    box.setClickHandler(CountClick);
    box.Show();
    Click(30, 40);
    EXPECT_TRUE(box.isChecked());
    EXPECT_GT(Count(43, 32, 70, 1, kBlack), 20) << "the focus mark";
    Key(XK_space);
    EXPECT_FALSE(box.isChecked());
    Key(XK_Return);
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(clicks, 2);

    box.setEnabledAndRepaint(false);
    EXPECT_EQ(Count(43, 32, 70, 1, kBlack), 0);
    Key(XK_space);
    Click(30, 40);
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(clicks, 2);
}

// Options 26 pixels apart from (20, 10): the picture of option i at
// (21, 16 + 26 i), its focus mark's top line along y = 12 + 26 i.
TEST_F(Toggles, AnOptionBoxGrowsToItsOptionsAndDrawsItsRingsOnItsFace) {
    OptionBox box(&form);
    box.SetPosition(20, 10);
    box.SetSize(150, 30);
    for (const char* caption : {"Facile", "Medio", "Difficile", "Estremo"})
        box.addItem(caption, "");
    box.Show();
    EXPECT_EQ(box.GetHeight(), 104);
    box.setSelected(1);
    EXPECT_EQ(Pixels(21, 16, 20, 20), OptionBoxPixels(false, true, kGrey));
    EXPECT_EQ(Pixels(21, 42, 20, 20), OptionBoxPixels(true, true, kGrey));
    // The surround follows a new face colour.
    box.SetBackColor(kFace);
    EXPECT_EQ(Pixels(21, 42, 20, 20), OptionBoxPixels(true, true, kFace));
    box.setEnabledAndRepaint(false);
    EXPECT_EQ(Pixels(21, 16, 20, 20), OptionBoxPixels(false, false, kFace));
    EXPECT_EQ(Pixels(21, 42, 20, 20), OptionBoxPixels(true, false, kFace));
}

// An option whose ring crosses the form's bottom edge shows the part that is
// inside it, and reading the window past the edge is no error.
TEST_F(Toggles, ARingAcrossTheFormsEdgeShowsItsVisiblePart) {
    OptionBox box(&form);
    box.SetPosition(20, 150);
    box.SetSize(150, 30);
    for (const char* caption : {"Facile", "Medio", "Difficile"})
        box.addItem(caption, "");
    box.Show();
    box.setSelected(1);
    // The second ring spans rows 182 to 201 of a form 200 tall.
    const std::vector<uint32_t> ring = OptionBoxPixels(true, true, kGrey);
    EXPECT_EQ(Pixels(21, 182, 20, 18), std::vector<uint32_t>(ring.begin(), ring.begin() + 18 * 20));
}

TEST_F(Toggles, KeysAndClicksMoveTheSelectionAndWrapAtTheEnds) {
    OptionBox first(&form), second(&form);
    first.SetPosition(20, 10);
    first.SetSize(120, 120);
    second.SetPosition(160, 10);
    second.SetSize(120, 30);
    for (OptionBox* box : {&first, &second}) {
        for (const char* caption : {"Uno", "Due", "Tre"})
            box->addItem(caption, "");
        box->setClickHandler(CountClick);
        box->Show();
    }
    Key(XK_Tab);
    EXPECT_GT(Count(45, 12, 90, 1, kBlack), 20) << "a mark on the first option";
    Key(XK_Down);
    EXPECT_EQ(first.getSelected(), 0) << "Down from none";
    Key(XK_Tab);
    Key(XK_Up);
    EXPECT_EQ(second.getSelected(), 2) << "Up from none";
    Key(XK_Down);
    EXPECT_EQ(second.getSelected(), 0);
    Key(XK_Up);
    EXPECT_EQ(second.getSelected(), 2);
    Key(XK_space);
    EXPECT_EQ(second.getSelected(), 0);
    Key(XK_Left);
    Key(XK_Return);
    EXPECT_EQ(clicks, 5);

    Click(50, 125);  // below the last option
    EXPECT_EQ(first.getSelected(), 2);
    EXPECT_GT(Count(45, 64, 90, 1, kBlack), 20);
    EXPECT_EQ(Count(45, 12, 90, 1, kBlack), 0);
    Click(50, 40);
    EXPECT_EQ(first.getSelected(), 1);
    EXPECT_EQ(clicks, 7);

    // A click on an emptied box selects nothing, and still says so.
    first.clear();
    Click(50, 40);
    EXPECT_EQ(first.getSelected(), -1);
    EXPECT_EQ(clicks, 8);
}

TEST_F(Toggles, ListOperationsKeepEveryIndexInsideTheList) {
    OptionBox box(&form);
    EXPECT_EQ(box.captionAt(0), "");
    EXPECT_EQ(box.valueAt(-1), "");
    EXPECT_FALSE(box.setSelected(0));
    box.addItem("a", "A");
    box.addItem("b", "B");
    box.addItem("c", "C");
    EXPECT_TRUE(box.setSelected(-5));
    EXPECT_EQ(box.getSelected(), 0);
    EXPECT_FALSE(box.setSelected(3));
    EXPECT_EQ(box.getSelected(), 0);
    EXPECT_EQ(box.captionAt(7), "c");
    EXPECT_EQ(box.valueAt(-4), "A");
    EXPECT_FALSE(box.removeItem(-2));
    EXPECT_FALSE(box.removeItem());
    EXPECT_FALSE(box.removeItem(3));

    // A selection on the last option follows it up.
    box.setSelected(2);
    EXPECT_TRUE(box.removeItem(0));
    EXPECT_EQ(box.getSelected(), 1);
    EXPECT_EQ(box.valueAt(0), "B");

    // Cleared, the box keeps its index and shows it once it is there again.
    EXPECT_TRUE(box.clear());
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.getSelected(), 1);
    box.SetPosition(20, 10);
    box.Show();
    box.addItem("x", "");
    box.addItem("y", "");
    EXPECT_EQ(Pixels(21, 42, 20, 20), OptionBoxPixels(true, true, kGrey));
    box.selectFirst();
    EXPECT_EQ(box.getSelected(), 0);
}

}  // namespace
}  // namespace nebulark
