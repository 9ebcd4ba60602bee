// The text box's editing without a display: what each key does to the buffer
// and the caret in every mode, and how the grid bounds the text.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "controls/TextEditor.h"
#include "controls/TextGrid.h"

namespace nebulark {
namespace {

// Types every character and answers how many were refused.
int TypeAll(TextEditor& editor, const std::string& keys) {
    int refused = 0;
    for (const char key : keys)
        refused += editor.type(key) == KeyOutcome::Refused;
    return refused;
}

TextEditor NameBox() {
    TextEditor editor;
    editor.setMaxLength(10);
    editor.setGrid(13, 1);
    return editor;
}

TEST(TextEditor, OverwriteModeEditsAFixedLengthField) {
    TextEditor editor = NameBox();
    EXPECT_EQ(TypeAll(editor, " MARIO ROSS"), 1) << "the eleventh character";
    EXPECT_EQ(editor.bufferText(), " MARIO ROS") << "leading blank kept";
    EXPECT_EQ(editor.caret(), 10);

    for (int i = 0; i < 10; ++i)
        editor.press(XK_Left);
    EXPECT_EQ(editor.press(XK_Left), KeyOutcome::Handled);
    EXPECT_EQ(editor.caret(), 0);
    EXPECT_EQ(editor.type(8), KeyOutcome::Refused) << "Backspace at 0";
    TypeAll(editor, "LUIGI");
    EXPECT_EQ(editor.bufferText(), "LUIGIO ROS");

    // Delete leaves a blank; with delete-shifts it closes the gap.
    editor.type(127);
    EXPECT_EQ(editor.bufferText(), "LUIGI  ROS");
    editor.setDeleteShifts(true);
    EXPECT_TRUE(editor.isInsertMode());
    editor.press(XK_Right);
    editor.press(XK_Right);
    editor.type(127);
    EXPECT_EQ(editor.bufferText(), "LUIGI  OS");
    EXPECT_EQ(editor.caret(), 7);

    editor.type(8);
    EXPECT_EQ(editor.bufferText(), "LUIGI OS");
    EXPECT_EQ(editor.caret(), 6);
}

TEST(TextEditor, DateModeWritesDayMonthYear) {
    TextEditor editor;
    editor.setDeleteShifts(true);
    editor.setDateMode(true);
    EXPECT_TRUE(editor.isDigitsOnly());
    EXPECT_FALSE(editor.isDeleteShifts());
    EXPECT_EQ(editor.maxLength(), 10);
    editor.setInsertMode(false);
    editor.setGrid(20, 1);

    EXPECT_EQ(TypeAll(editor, "12a05-2026"), 2);
    EXPECT_EQ(editor.bufferText(), "12/05/2026");
    EXPECT_EQ(editor.type('1'), KeyOutcome::Refused);

    // Left jumps over a separator, Right lands beyond it.
    editor.click(5);
    EXPECT_EQ(editor.caret(), 4);
    editor.press(XK_Right);
    EXPECT_EQ(editor.caret(), 6);
    editor.press(XK_Left);
    EXPECT_EQ(editor.caret(), 4);

    // Backspace right after a separator takes the digit before it too, and
    // the rest is laid out again.
    editor.press(XK_Right);
    editor.type(8);
    EXPECT_EQ(editor.caret(), 4);
    EXPECT_EQ(editor.bufferText(), "12/02/026");
    EXPECT_EQ(reformatDate("1/2"), "12/");

    editor.setDeleteShifts(true);
    EXPECT_FALSE(editor.isDateMode());
}

TEST(TextEditor, DigitsOnlyTakesOneDecimalPoint) {
    TextEditor editor;
    editor.setDigitsOnly(true);
    editor.setGrid(20, 1);
    EXPECT_EQ(TypeAll(editor, "3.1"), 1);
    EXPECT_EQ(editor.bufferText(), "31");
    editor.setDecimalPoint(true);
    EXPECT_EQ(TypeAll(editor, ".4.x"), 2);
    EXPECT_EQ(editor.bufferText(), "31.4");
}

TEST(TextEditor, InsertModeBreaksLinesAndMovesBetweenThem) {
    TextEditor editor;
    editor.setInsertMode(true);
    editor.setGrid(5, 3);
    TypeAll(editor, "abc\rde");
    EXPECT_EQ(editor.bufferText(), "abc\rde");
    EXPECT_EQ(editor.layout().cellOfIndex(4), 5) << "d starts the second row";
    EXPECT_EQ(editor.layout().indexOfCell(4), 3) << "the rest of a broken row";

    editor.press(XK_Up);
    EXPECT_EQ(editor.caret(), 2);
    editor.type('X');
    EXPECT_EQ(editor.bufferText(), "abXc\rde");
    EXPECT_EQ(editor.press(XK_Up), KeyOutcome::Refused) << "first row";
    editor.click(1);
    editor.press(XK_Down);
    EXPECT_EQ(editor.caret(), 6);
    EXPECT_EQ(editor.press(XK_Down), KeyOutcome::Refused) << "no text below";

    // A line break at the end survives the next key.
    editor.click(7);
    editor.type('\r');
    editor.type('f');
    EXPECT_EQ(editor.bufferText(), "abXc\rde\rf");

    // A character that would push text out of the grid is refused whole.
    EXPECT_EQ(TypeAll(editor, "ghijk"), 1);
    EXPECT_EQ(editor.bufferText(), "abXc\rde\rfghij");
    editor.click(0);
    EXPECT_EQ(editor.type('Z'), KeyOutcome::Refused);
    EXPECT_EQ(editor.bufferText(), "abXc\rde\rfghij");

    // So is one that would push the last character out of a full buffer.
    TextEditor full;
    full.setMaxLength(3);
    full.setInsertMode(true);
    full.setGrid(20, 1);
    TypeAll(full, "abc");
    full.click(0);
    EXPECT_EQ(full.type('z'), KeyOutcome::Refused);
    EXPECT_EQ(full.bufferText(), "abc");
}

TEST(TextEditor, ABoxTooSmallDropsWhatItCannotShow) {
    TextEditor editor("abcdefgh");
    editor.setGrid(5, 1);
    EXPECT_EQ(editor.bufferText(), "abcde");
    EXPECT_EQ(editor.caret(), 5);
    EXPECT_EQ(editor.type('x'), KeyOutcome::Refused);
    EXPECT_EQ(editor.caret(), 5);
    EXPECT_EQ(editor.bufferText(), "abcde");

    // A click past the text puts the caret at its end.
    TextEditor shortText("ab");
    shortText.setGrid(5, 1);
    shortText.click(4);
    EXPECT_EQ(shortText.caret(), 2);
    shortText.click(1600);
    EXPECT_EQ(shortText.caret(), 2);
}

TEST(TextEditor, ControlCharactersHighBytesAndAnEmptyBufferAreRefusedSafely) {
    TextEditor editor("ab");
    editor.setGrid(20, 1);
    for (int code : {0, 1, 7, 9, 31, 128, 200, 255})
        EXPECT_EQ(editor.type(static_cast<char>(code)), KeyOutcome::Refused) << code;
    EXPECT_EQ(editor.type(27), KeyOutcome::Ignored);
    EXPECT_EQ(editor.type(13), KeyOutcome::Ignored);
    EXPECT_EQ(editor.bufferText(), "ab");

    TextEditor empty("kept");
    empty.setMaxLength(0);
    empty.setGrid(20, 1);
    EXPECT_EQ(TypeAll(empty, "a\b"), 2);
    EXPECT_EQ(empty.type(127), KeyOutcome::Handled);
    EXPECT_EQ(empty.press(XK_Right), KeyOutcome::Refused);
    EXPECT_EQ(empty.bufferText(), "");
    EXPECT_EQ(empty.storedText(), "kept");
    empty.setMaxLength(-5);
    EXPECT_EQ(empty.maxLength(), 0);
}

TEST(TextGrid, OnlyChangedCellsAreDrawnAndPasswordsShowStars) {
    TextEditor editor;
    editor.setGrid(4, 1);
    editor.setPassword(true);
    TextGrid grid;
    grid.measure(7, 12);
    grid.fit(6 + 4 * 9, 6 + 16, CellLook{' ', 0, 0xFFFFFF});
    const CellColours colours{0, 0xFFFFFF, 0xFFFF00};
    auto looks = [&] {
        return TextGrid::looks(editor.layout(), editor.bufferChars(), editor.caret(), true,
                               colours);
    };
    EXPECT_EQ(grid.update(looks(), false), std::vector<int>{0}) << "only the caret cell";
    editor.type('p');
    EXPECT_EQ(grid.update(looks(), false), (std::vector<int>{0, 1}));
    EXPECT_EQ(looks()[0].shown, '*');
    EXPECT_EQ(editor.bufferText(), "p");
    EXPECT_EQ(grid.update(looks(), true).size(), 4u);
    EXPECT_EQ(grid.cellAt(3 + 9 + 1, 2 + 1), 1);
    EXPECT_EQ(grid.cellAt(2, 2), -1);

    // However large the box, at most 1600 cells are laid out and kept.
    grid.fit(6 + 100 * 9, 6 + 100 * 16, CellLook{});
    editor.setGrid(grid.columns(), grid.rows());
    EXPECT_EQ(editor.layout().cellCount(), 1600);
    EXPECT_EQ(grid.update(looks(), true).size(), 1600u);
    EXPECT_EQ(grid.cellAt(3 + 5, 2 + 16 * 99), -1);
}

}  // namespace
}  // namespace nebulark
