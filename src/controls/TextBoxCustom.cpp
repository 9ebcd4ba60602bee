#include "controls/TextBoxCustom.h"

#include <algorithm>

#include "app/Application.h"
#include "controls/ControlPaint.h"
#include "util/ProcessUtils.h"
#include "util/StringUtils.h"
#include "widgets/DrawingSurface.h"
#include "widgets/Form.h"

namespace nebulark {

namespace {

// A character's width when no font can be measured.
constexpr int kFallbackCharWidth = 7;

}  // namespace

TextBoxCustom::TextBoxCustom(GUIElement* container, const std::string& text) : editor(text) {
    typeName = "TextBoxCustom";
    parent = container;
    ownerPainted = true;
    caption = editor.storedText();
    backColor = 0xFFFFFF;
    width = 80;
    height = 30;
}

void TextBoxCustom::SetCaption(const std::string& value) {
    caption = value;
    editor.setText(value);
    RepaintIfShown();
}

std::string TextBoxCustom::GetCaption() const {
    return created ? editor.bufferText() : editor.storedText();
}

void TextBoxCustom::SetSize(int32_t w, int32_t h) {
    h = std::max(h, font.fontHeight() + 10);
    if (created) h = std::max(h, grid.cellHeight() + 6);
    PaintedControl::SetSize(w, h);
}

void TextBoxCustom::Hide() {
    if (created) {
        editor.commit();
        caption = editor.storedText();
    }
    PaintedControl::Hide();
}

// The cells are measured from the font the drawing surface writes with; a
// box lower than one row is made one row high.
void TextBoxCustom::Create() {
    if (created) return;
    AssignId();
    MeasureCells();
    height = std::max(height, grid.cellHeight() + 6);
    const CellColours colours = Colours();
    grid.fit(width, height, CellLook{' ', colours.ink, colours.paper});
    editor.setGrid(grid.columns(), grid.rows());
    editor.setText(editor.storedText());
    created = true;
    visible = true;
}

void TextBoxCustom::MeasureCells() {
    int charWidth = 0, fontHeight = 0;
    const Form* form = OwningForm();
    if (form != nullptr && form->GetWindow() != 0) {
        DrawingSurface surface(this);
        charWidth = surface.CharWidth();
        fontHeight = surface.LineHeight() - 1;
    }
    if (charWidth <= 0) charWidth = kFallbackCharWidth;
    if (fontHeight <= 0) fontHeight = font.fontHeight();
    grid.measure(charWidth, fontHeight);
}

// Box, grooved frame (light outside, dark inside, above and left), then every
// cell.
void TextBoxCustom::Paint() {
    if (!CanPaint()) return;
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    const int32_t paper = enabled ? static_cast<int32_t>(backColor) : ControlPaint::kGrey;
    surface.FillRect(at.x, at.y, width, height, 0, -1, paper);
    if (border) DrawFrame(surface, at);
    DrawChangedCells(surface, true, editor.caret());
}

void TextBoxCustom::DrawFrame(DrawingSurface& surface, Point at) {
    using ControlPaint::kBlack, ControlPaint::kWhite;
    ControlPaint::DrawBevel(surface, at.x, at.y, width, height, kWhite, kBlack);
    ControlPaint::DrawBevel(surface, at.x + 1, at.y + 1, width - 2, height - 2, kBlack, kWhite);
}

void TextBoxCustom::redrawText(bool full) {
    drawCells(full, editor.caret());
}

void TextBoxCustom::drawCells(bool full, int caret) {
    if (!CanPaint()) return;
    DrawingSurface surface(this);
    DrawChangedCells(surface, full, caret);
}

void TextBoxCustom::DrawChangedCells(DrawingSurface& surface, bool full, int caret) {
    const std::vector<CellLook> looks = TextGrid::looks(editor.layout(), editor.bufferChars(),
                                                        caret, editor.isPassword(), Colours());
    const std::vector<int> changed = grid.update(looks, full);
    const Point at = AbsolutePosition(x, y);
    const int alignment = CellAlignment();
    for (const int cell : changed) {
        const Point origin = grid.cellOrigin(cell);
        const CellLook& look = looks[static_cast<size_t>(cell)];
        surface.DrawTextBox(at.x + origin.x, at.y + origin.y, grid.cellWidth(), grid.cellHeight(),
                            std::string(1, look.shown), look.ink, look.paper, alignment);
    }
    lastCellsDrawn = static_cast<int>(changed.size());
}

CellColours TextBoxCustom::Colours() const {
    if (!enabled) return CellColours{ControlPaint::kDisabledText, ControlPaint::kGrey, -1};
    const bool caretShown = hasFocus && !readOnly;
    return CellColours{textColor, static_cast<int32_t>(backColor), caretShown ? caretColor : -1};
}

// Insert mode writes flowing text, so its characters sit at the left of their
// cells.
int TextBoxCustom::CellAlignment() const {
    if (editor.isInsertMode()) return 0;
    return rightAligned ? 1 : centred ? 2 : 0;
}

void TextBoxCustom::Focus() {
    GUIElement* previous = Application::FocusedElement();
    Child::Focus();
    if (previous == this) return;
    if (previous != nullptr) previous->OnFocusOut();
    Application::SetFocusedElement(this);
    OnFocusIn();
}

void TextBoxCustom::OnFocusIn() {
    Child::OnFocusIn();
    redrawText(false);
}

void TextBoxCustom::OnFocusOut() {
    Child::OnFocusOut();
    redrawText(false);
}

void TextBoxCustom::OnKeyDown(KeySym keysym) {
    Child::OnKeyDown(keysym);
    if (Editable()) React(editor.press(keysym));
}

bool TextBoxCustom::OnKeyChar(char character) {
    if (!Editable()) return false;
    if (onKeyChar != nullptr && !onKeyChar(this, character)) return false;
    React(editor.type(character));
    return true;
}

void TextBoxCustom::React(KeyOutcome outcome) {
    if (outcome == KeyOutcome::Refused) Beep();
    if (outcome != KeyOutcome::Ignored) redrawText(false);
}

void TextBoxCustom::OnMouseUp(Point point) {
    Child::OnMouseUp(point);
    if (!created || !enabled) return;
    const Point at = AbsolutePosition(x, y);
    const int cell = grid.cellAt(point.x - at.x, point.y - at.y);
    if (cell < 0) return;
    editor.click(cell);
    redrawText(false);
}

void TextBoxCustom::setEnabledAndRepaint(bool on) {
    enabled = on;
    if (created) Paint();
}

void TextBoxCustom::RepaintIfShown() {
    if (created && visible) Paint();
}

void TextBoxCustom::setMaxLength(int value) {
    if (!created) editor.setMaxLength(value);
}

void TextBoxCustom::setTextColor(int32_t colour) {
    textColor = colour;
    RepaintIfShown();
}

void TextBoxCustom::setCaretColor(int32_t colour) {
    caretColor = colour;
    RepaintIfShown();
}

void TextBoxCustom::setBorder(bool on) {
    border = on;
    RepaintIfShown();
}

void TextBoxCustom::setInsertMode(bool on) {
    editor.setInsertMode(on);
    RepaintIfShown();
}

// The buffer is made again at ten characters, from what was typed so far.
void TextBoxCustom::setDateMode(bool on) {
    if (created) editor.commit();
    editor.setDateMode(on);
    RepaintIfShown();
}

void TextBoxCustom::setDigitsOnly(bool on) {
    editor.setDigitsOnly(on);
    RepaintIfShown();
}

void TextBoxCustom::setDecimalPoint(bool on) {
    editor.setDecimalPoint(on);
    RepaintIfShown();
}

void TextBoxCustom::setPassword(bool on) {
    editor.setPassword(on);
    RepaintIfShown();
}

void TextBoxCustom::setReadOnly(bool on) {
    readOnly = on;
    RepaintIfShown();
}

void TextBoxCustom::setDeleteShifts(bool on) {
    editor.setDeleteShifts(on);
    RepaintIfShown();
}

void TextBoxCustom::setRightAligned(bool on) {
    rightAligned = on;
    if (on) centred = false;
    RepaintIfShown();
}

void TextBoxCustom::setCentred(bool on) {
    centred = on;
    if (on) rightAligned = false;
    RepaintIfShown();
}

}  // namespace nebulark
