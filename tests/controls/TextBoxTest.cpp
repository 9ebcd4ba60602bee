// The text box on a shown form, typed into through XTEST: what reaches the
// text, what the cells show, how little a key repaints, and when it beeps.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "ControlKit.h"
#include "controls/TextBoxCustom.h"
#include "widgets/DrawingSurface.h"

namespace nebulark {
namespace {

using test::BeepCounter;

constexpr int64_t kWhite = 0xFFFFFF, kYellow = 0xFFFF00, kGrey = 0xAAAAAA;

class TextBox : public test::ControlBench {
protected:
    // A focused box at (10, top) of the given width.
    void Place(TextBoxCustom& box, int w, int maxLength, int top = 10) {
        box.SetPosition(10, top);
        box.SetSize(w, 30);
        box.setMaxLength(maxLength);
        box.Show();
        box.Focus();
        Settle();
    }
    // A point inside a cell, clear of its character.
    int64_t CellPaper(const TextBoxCustom& box, int cell) {
        const TextGrid& grid = box.getGrid();
        const Point origin = grid.cellOrigin(cell);
        const Point at = box.GetPosition();
        return Pixel(at.x + origin.x + grid.cellWidth() - 3, at.y + origin.y + 1);
    }
};

TEST_F(TextBox, AKeyRepaintsOnlyTheCellsItChanges) {
    TextBoxCustom box(&form, "");
    Place(box, 200, 10);
    const int cells = box.getGrid().columns() * box.getGrid().rows();
    ASSERT_GE(cells, 11);
    EXPECT_EQ(box.cellsDrawnLastTime(), 1) << "gaining the focus draws the caret cell";
    EXPECT_EQ(CellPaper(box, 0), kYellow);

    Type("a");
    EXPECT_EQ(box.GetCaption(), "a");
    EXPECT_EQ(box.cellsDrawnLastTime(), 2);
    EXPECT_EQ(CellPaper(box, 0), kWhite);
    EXPECT_EQ(CellPaper(box, 1), kYellow);
    Tap(XK_Left);
    EXPECT_EQ(box.cellsDrawnLastTime(), 2);

    // An exposure repaints the whole box.
    XClearArea(screen.GetDisplay(), form.GetWindow(), 0, 0, 0, 0, True);
    Settle();
    EXPECT_EQ(box.cellsDrawnLastTime(), cells);
    EXPECT_EQ(CellPaper(box, 0), kYellow);

    // Losing the focus takes the caret away.
    Click(form.GetWindow(), 250, 150);
    EXPECT_EQ(box.cellsDrawnLastTime(), 1);
    EXPECT_EQ(CellPaper(box, 0), kWhite);
}

TEST_F(TextBox, ModesTypedWithRealKeys) {
    TextBoxCustom date(&form, "");
    date.setDateMode(true);
    Place(date, 200, 10);
    Type("12052026");
    EXPECT_EQ(date.GetCaption(), "12/05/2026");
    Type("\b");
    EXPECT_EQ(date.GetCaption(), "12/05/202");

    // A password box shows what a box holding stars shows, and answers the
    // real text.
    TextBoxCustom secret(&form, "");
    secret.setPassword(true);
    TextBoxCustom stars(&form, "**");
    stars.SetPosition(10, 60);
    stars.SetSize(200, 30);
    stars.Show();
    Place(secret, 200, 10, 110);
    Type("ab");
    date.Focus();
    Settle();
    EXPECT_EQ(secret.GetCaption(), "ab");
    EXPECT_EQ(Pixels(10, 110, 200, 30), Pixels(10, 60, 200, 30));

    secret.setReadOnly(true);
    secret.Focus();
    Type("c");
    EXPECT_EQ(secret.GetCaption(), "ab");
    EXPECT_EQ(CellPaper(secret, 2), kWhite) << "no caret in a read-only box";
    secret.setEnabledAndRepaint(false);
    EXPECT_EQ(CellPaper(secret, 0), kGrey);
}

TEST_F(TextBox, RefusedKeysBeepAndChangeNothing) {
    BeepCounter beeps(dir);
    TextBoxCustom name(&form, "");
    Place(name, 200, 10);
    Type("\b");
    EXPECT_TRUE(beeps.Heard(1)) << "Backspace at 0";
    Type("ABCDEFGHIJK");
    EXPECT_TRUE(beeps.Heard(2)) << "the eleventh character";
    EXPECT_EQ(name.GetCaption(), "ABCDEFGHIJ");

    // A box too narrow for its text keeps what it shows.
    TextBoxCustom narrow(&form, "");
    Place(narrow, 50, 256);
    const int columns = narrow.getGrid().columns();
    Type(std::string(static_cast<size_t>(columns) + 1, 'x'));
    EXPECT_TRUE(beeps.Heard(3));
    EXPECT_EQ(narrow.GetCaption(), std::string(static_cast<size_t>(columns), 'x'));
}

TEST_F(TextBox, WhatWasTypedSurvivesMovingAndHiding) {
    TextBoxCustom box(&form, "");
    Place(box, 200, 10);
    Type("Mario");
    box.SetPosition(20, 80);
    EXPECT_EQ(box.GetCaption(), "Mario");
    box.Hide();
    EXPECT_EQ(box.GetCaption(), "Mario");
    box.Show();
    EXPECT_EQ(box.GetCaption(), "Mario");
    EXPECT_EQ(Pixel(15, 15), kGrey) << "the old place is cleared";

    // A click past the text puts the caret after it, one between two
    // characters on the second.
    box.Focus();
    const TextGrid& grid = box.getGrid();
    Click(form.GetWindow(), 20 + 3 + grid.cellWidth() * 8, 80 + 5);
    EXPECT_EQ(box.getCaret(), 5);
    Click(form.GetWindow(), 20 + 3 + grid.cellWidth() + 2, 80 + 5);
    EXPECT_EQ(box.getCaret(), 1);
}

}  // namespace
}  // namespace nebulark
