#pragma once

#include <X11/X.h>

#include <string>

#include "controls/TextLayout.h"

namespace nebulark {

// What a key did to the text.
enum class KeyOutcome {
    Ignored,  // not a key the text box handles
    Handled,  // the text or the caret may have changed
    Refused,  // rejected: the box beeps
};

// The editing behind a text box, with no display: a fixed-length buffer, the
// caret, the modes and what each key does. The buffer holds `maxLength`
// characters, blank where nothing was typed; the text is the buffer without
// its trailing white space. Once a grid is set, the buffer never holds more
// than the grid shows: characters that fall outside it are blanked.
class TextEditor {
public:
    // The longest buffer a text box accepts.
    static constexpr int kLongest = 65535;

    explicit TextEditor(const std::string& text = "");

    // The committed text. The buffer is refilled from it, the caret put after
    // it; then the grid, if set, cuts what does not fit.
    void setText(const std::string& value);
    const std::string& storedText() const { return text; }
    // The buffer without its trailing white space.
    std::string bufferText() const;
    // Makes the buffer's text the committed text.
    void commit() { text = bufferText(); }
    // Clamped to 0 … kLongest; the buffer is refilled from the text.
    void setMaxLength(int value);
    int maxLength() const { return static_cast<int>(buffer.size()); }
    void setGrid(int columns, int rows);

    // Option setters with their coupling: date mode brings digits only and
    // ten characters and ends delete-shifts; delete-shifts brings insert
    // mode and ends date mode.
    void setInsertMode(bool on) { insertMode = on; }
    void setDateMode(bool on);
    void setDigitsOnly(bool on) { digitsOnly = on; }
    void setDecimalPoint(bool on) { decimalPoint = on; }
    void setPassword(bool on) { password = on; }
    void setDeleteShifts(bool on);
    bool isInsertMode() const { return insertMode; }
    bool isDateMode() const { return dateMode; }
    bool isDigitsOnly() const { return digitsOnly; }
    bool isPassword() const { return password; }
    bool isDeleteShifts() const { return deleteShifts; }

    // A typed character (taken as a signed byte).
    KeyOutcome type(char character);
    // A cursor key, by keysym.
    KeyOutcome press(KeySym keysym);
    // A click on a cell of the grid.
    void click(int cell);

    const std::string& bufferChars() const { return buffer; }
    int caret() const { return caretIndex; }
    int textLength() const { return typedLength; }
    const TextLayout& layout() const { return grid; }

private:
    std::string text;
    std::string buffer;
    int caretIndex = 0;
    int typedLength = 0;
    int gridColumns = 0;
    int gridRows = 0;
    bool gridSet = false;
    bool insertMode = false;
    bool dateMode = false;
    bool digitsOnly = false;
    bool decimalPoint = false;
    bool password = false;
    bool deleteShifts = false;
    TextLayout grid;

    std::string Filled(const std::string& value) const;
    void Replace(const std::string& value, int newCaret);
    bool Relayout(int typedAt);
    std::string EditedText() const;
    std::string PaddedToCaret() const;
    void CountTyped(int change);
    bool Accepts(char character) const;
    KeyOutcome TypePrintable(char character);
    KeyOutcome Insert(char character);
    KeyOutcome Backspace();
    KeyOutcome Delete();
    KeyOutcome MoveLeft();
    KeyOutcome MoveRight();
    KeyOutcome MoveVertically(int rows);
};

// The date box's text after an edit: separators taken out, trailing blanks
// trimmed, then "/" put back after the day and the month.
std::string reformatDate(std::string text);

}  // namespace nebulark
