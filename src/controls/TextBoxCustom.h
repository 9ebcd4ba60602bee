#pragma once

#include <cstdint>
#include <string>

#include "controls/PaintedControl.h"
#include "controls/TextEditor.h"
#include "controls/TextGrid.h"

namespace nebulark {

class DrawingSurface;

// The toolkit's text-entry control: the text in a grid of fixed-size cells
// inside a grooved frame, the cell at the caret on a highlight colour while
// the box has the focus. The editing lives in a TextEditor; the box turns
// keys and clicks into its operations, beeps when it refuses one, and
// repaints only the cells whose character or colours changed.
class TextBoxCustom : public PaintedControl {
public:
    TextBoxCustom(GUIElement* container, const std::string& text);

    // The text refills the buffer and puts the caret after it.
    void SetCaption(const std::string& value) override;
    // While created, the buffer without trailing white space.
    std::string GetCaption() const override;
    // At least one row high, and never lower than the font needs.
    void SetSize(int32_t w, int32_t h) override;
    // What was typed stays the text when the box is hidden (moving or resizing
    // a shown box hides it first).
    void Hide() override;
    void Create() override;
    void Paint() override;
    // Takes the toolkit's keyboard focus from whoever had it.
    void Focus() override;
    void OnFocusIn() override;
    void OnFocusOut() override;
    void OnKeyDown(KeySym keysym) override;
    bool OnKeyChar(char character) override;
    void OnMouseUp(Point point) override;

    // Draws the cells: all of them, or only those that changed.
    virtual void redrawText(bool full);
    virtual void drawCells(bool full, int caret);
    virtual void setEnabledAndRepaint(bool on);

    // Only while the box is not created.
    void setMaxLength(int value);
    void setTextColor(int32_t colour);
    void setCaretColor(int32_t colour);
    void setBorder(bool on);
    void setInsertMode(bool on);
    void setDateMode(bool on);
    void setDigitsOnly(bool on);
    void setDecimalPoint(bool on);
    void setPassword(bool on);
    void setReadOnly(bool on);
    void setDeleteShifts(bool on);
    void setRightAligned(bool on);
    void setCentred(bool on);

    int getMaxLength() const { return editor.maxLength(); }
    int getCaret() const { return editor.caret(); }
    const TextEditor& getEditor() const { return editor; }
    const TextGrid& getGrid() const { return grid; }
    // How many cells the last drawing of cells put on the window.
    int cellsDrawnLastTime() const { return lastCellsDrawn; }

private:
    TextEditor editor;
    TextGrid grid;
    int32_t textColor = 0x000000;
    int32_t caretColor = 0xFFFF00;
    bool border = true;
    bool readOnly = false;
    bool rightAligned = false;
    bool centred = false;
    int lastCellsDrawn = 0;

    bool Editable() const { return enabled && !readOnly; }
    void RepaintIfShown();
    void React(KeyOutcome outcome);
    void MeasureCells();
    CellColours Colours() const;
    int CellAlignment() const;
    void DrawFrame(DrawingSurface& surface, Point at);
    void DrawChangedCells(DrawingSurface& surface, bool full, int caret);
};

}  // namespace nebulark
