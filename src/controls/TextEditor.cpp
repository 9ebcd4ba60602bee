#include "controls/TextEditor.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cctype>

#include "util/StringUtils.h"

namespace nebulark {

namespace {

constexpr int kDefaultLength = 256;
constexpr char kBackspace = 8;
constexpr char kReturn = 13;
constexpr char kEscape = 27;
constexpr char kDelete = 127;

bool IsSeparatorStep(int caret) {
    return caret == 3 || caret == 6;
}

bool IsSeparator(int index) {
    return index == 2 || index == 5;
}

}  // namespace

std::string reformatDate(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '/'), text.end());
    text = trimRight(text);
    if (text.size() > 1) text.insert(2, 1, '/');
    if (text.size() > 4) text.insert(5, 1, '/');
    return text;
}

TextEditor::TextEditor(const std::string& initial)
    : text(trimRight(initial)), buffer(kDefaultLength, ' ') {
    setText(text);
}

void TextEditor::setText(const std::string& value) {
    text = value;
    typedLength = std::min(static_cast<int>(value.size()), maxLength());
    const size_t shown = insertMode ? value.size() : std::min(value.size(), value.find('\n'));
    Replace(value, static_cast<int>(std::min(shown, buffer.size())));
}

std::string TextEditor::bufferText() const {
    return trimRight(buffer);
}

void TextEditor::setMaxLength(int value) {
    buffer.assign(static_cast<size_t>(std::clamp(value, 0, kLongest)), ' ');
    setText(text);
}

void TextEditor::setGrid(int columns, int rows) {
    gridColumns = columns;
    gridRows = rows;
    gridSet = true;
    Relayout(-1);
}

void TextEditor::setDateMode(bool on) {
    dateMode = on;
    if (!on) return;
    digitsOnly = true;
    deleteShifts = false;
    setMaxLength(10);
}

void TextEditor::setDeleteShifts(bool on) {
    deleteShifts = on;
    if (!on) return;
    insertMode = true;
    dateMode = false;
}

// The buffer's content for a text: blanks, with the text copied over as far
// as it fits. Overwrite mode shows one line only.
std::string TextEditor::Filled(const std::string& value) const {
    std::string line = insertMode ? value : value.substr(0, value.find('\n'));
    line.resize(buffer.size(), ' ');
    return line;
}

void TextEditor::Replace(const std::string& value, int newCaret) {
    buffer = Filled(value);
    caretIndex = std::clamp(newCaret, 0, maxLength());
    Relayout(-1);
}

// Blanks what the grid cannot show, and keeps the caret at most just after
// what it shows. When the character just typed is among what is lost, the
// caret goes back to where it was typed and the key is refused.
bool TextEditor::Relayout(int typedAt) {
    grid = TextLayout(buffer, gridColumns, gridRows);
    if (!gridSet) return true;
    int firstOutside = -1;
    for (int index = 0; index < maxLength(); ++index) {
        if (grid.cellOfIndex(index) >= 0) continue;
        buffer[static_cast<size_t>(index)] = ' ';
        if (firstOutside < 0) firstOutside = index;
    }
    if (firstOutside >= 0) caretIndex = std::min(caretIndex, firstOutside);
    if (typedAt < 0 || grid.cellOfIndex(typedAt) >= 0) return true;
    caretIndex = typedAt;
    return false;
}

// The text being edited: the buffer without trailing blanks. Unlike the
// committed text it keeps a line break typed at its end.
std::string TextEditor::EditedText() const {
    const size_t last = buffer.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : buffer.substr(0, last + 1);
}

std::string TextEditor::PaddedToCaret() const {
    std::string edited = EditedText();
    if (edited.size() < static_cast<size_t>(caretIndex))
        edited.resize(static_cast<size_t>(caretIndex), ' ');
    return edited;
}

void TextEditor::CountTyped(int change) {
    typedLength = std::clamp(typedLength + change, 0, maxLength());
}

KeyOutcome TextEditor::type(char character) {
    switch (character) {
        case kDelete:
            return Delete();
        case kBackspace:
            return Backspace();
        case kReturn:
            if (insertMode && caretIndex < maxLength()) return Insert(kReturn);
            return KeyOutcome::Ignored;
        case kEscape:
            return KeyOutcome::Ignored;
        default:
            break;
    }
    // Bytes 128 … 255 are negative as signed bytes, so they go with the
    // control characters.
    if (static_cast<signed char>(character) < 32 || !Accepts(character)) return KeyOutcome::Refused;
    return TypePrintable(character);
}

bool TextEditor::Accepts(char character) const {
    if (!digitsOnly || std::isdigit(static_cast<unsigned char>(character))) return true;
    return character == '.' && decimalPoint && EditedText().find('.') == std::string::npos;
}

KeyOutcome TextEditor::TypePrintable(char character) {
    if (caretIndex >= maxLength()) return KeyOutcome::Refused;
    if (insertMode) return Insert(character);
    const int typedAt = caretIndex;
    buffer[static_cast<size_t>(caretIndex++)] = character;
    if (dateMode && IsSeparator(caretIndex) && caretIndex < maxLength())
        buffer[static_cast<size_t>(caretIndex++)] = '/';
    if (!Relayout(typedAt)) return KeyOutcome::Refused;
    CountTyped(1);
    return KeyOutcome::Handled;
}

// A character that would push text out of the buffer or out of the grid is
// refused and the text stays as it was.
KeyOutcome TextEditor::Insert(char character) {
    std::string longer = PaddedToCaret();
    longer.insert(static_cast<size_t>(caretIndex), 1, character);
    if (longer.size() > buffer.size()) return KeyOutcome::Refused;
    const std::string filled = Filled(longer);
    if (gridSet && !TextLayout(filled, gridColumns, gridRows).holdsAllText(filled))
        return KeyOutcome::Refused;
    text = longer;
    Replace(longer, caretIndex + 1);
    CountTyped(1);
    return KeyOutcome::Handled;
}

// In a date box a separator goes together with the digit before it, and the
// rest is laid out again as day, month and year.
KeyOutcome TextEditor::Backspace() {
    if (caretIndex == 0) return KeyOutcome::Refused;
    std::string shorter = PaddedToCaret();
    const int gone = dateMode && IsSeparatorStep(caretIndex) ? 2 : 1;
    shorter.erase(static_cast<size_t>(caretIndex - gone), static_cast<size_t>(gone));
    if (dateMode) shorter = reformatDate(shorter);
    text = shorter;
    Replace(shorter, caretIndex - gone);
    CountTyped(-1);
    return KeyOutcome::Handled;
}

KeyOutcome TextEditor::Delete() {
    if (!deleteShifts) {
        if (caretIndex < maxLength()) buffer[static_cast<size_t>(caretIndex)] = ' ';
        return KeyOutcome::Handled;
    }
    std::string shorter = EditedText();
    if (static_cast<size_t>(caretIndex) >= shorter.size()) return KeyOutcome::Handled;
    shorter.erase(static_cast<size_t>(caretIndex), 1);
    text = shorter;
    Replace(shorter, caretIndex);
    CountTyped(-1);
    return KeyOutcome::Handled;
}

KeyOutcome TextEditor::press(KeySym keysym) {
    switch (keysym) {
        case XK_Left:
            return MoveLeft();
        case XK_Right:
            return MoveRight();
        case XK_Up:
            return MoveVertically(-1);
        case XK_Down:
            return MoveVertically(1);
        default:
            return KeyOutcome::Ignored;
    }
}

KeyOutcome TextEditor::MoveLeft() {
    const int step = dateMode && IsSeparatorStep(caretIndex) ? 2 : 1;
    caretIndex = std::max(caretIndex - step, 0);
    return KeyOutcome::Handled;
}

KeyOutcome TextEditor::MoveRight() {
    if (caretIndex >= typedLength) return KeyOutcome::Refused;
    caretIndex = std::min(caretIndex + 1, maxLength());
    if (dateMode && IsSeparator(caretIndex)) caretIndex = std::min(caretIndex + 1, maxLength());
    return KeyOutcome::Handled;
}

// Up goes to the cell straight above; Down to the one straight below, when
// that cell shows typed text.
KeyOutcome TextEditor::MoveVertically(int rows) {
    if (!insertMode) return KeyOutcome::Ignored;
    const int cell = grid.cellOfIndex(caretIndex);
    const int target = cell + rows * grid.columns();
    if (cell < 0 || target < 0 || target >= grid.cellCount()) return KeyOutcome::Refused;
    const int index = grid.indexOfCell(target);
    if (rows > 0 && index >= typedLength) return KeyOutcome::Refused;
    caretIndex = index;
    return KeyOutcome::Handled;
}

void TextEditor::click(int cell) {
    if (cell < 0 || cell >= grid.cellCount()) return;
    int index = std::min(grid.indexOfCell(cell), typedLength);
    if (dateMode && IsSeparator(index)) --index;
    caretIndex = std::clamp(index, 0, maxLength());
}

}  // namespace nebulark
