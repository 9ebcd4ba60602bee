#pragma once

#include <X11/X.h>

#include <string>

#include "controls/ToggleControl.h"

namespace nebulark {

// An on/off box with a caption beside it. A click, or Space while it holds
// the focus, flips it and calls the click handler; Return does not.
class CheckBox : public ToggleControl {
public:
    CheckBox(GUIElement* container, const std::string& caption);

    void SetCaption(const std::string& value) override;
    void OnMouseUp(Point point) override;
    // Keys act through OnKeyChar; the press does nothing, not even call
    // onKeyDown.
    void OnKeyDown(KeySym keysym) override;
    bool OnKeyChar(char character) override;
    // At least 22 pixels high: a shorter box grows at its first paint.
    void Paint() override;

    // Neither calls the click handler.
    void setChecked(bool on);
    bool isChecked() const { return checked; }

private:
    bool checked = false;

    void Flip();
};

}  // namespace nebulark
