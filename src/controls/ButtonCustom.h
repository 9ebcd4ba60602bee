#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>

#include "controls/CommandElement.h"
#include "controls/PaintedControl.h"

namespace nebulark {

class DrawingSurface;

// A push button: a face inside a one-pixel bevel with a caption, an optional
// picture and a dashed focus mark. It fires its click handler when it is
// released under the mouse, or when Return is released while it has the
// focus; it is drawn pushed in from the press to the release. The pictures
// belong to the caller.
class ButtonCustom : public PaintedControl, public CommandElement {
public:
    ButtonCustom(GUIElement* form, const std::string& caption);

    void SetCaption(const std::string& value) override;
    void OnMouseUp(Point point) override;
    void OnMouseDown(Point point) override;
    void OnKeyDown(KeySym keysym) override;
    bool OnKeyChar(char character) override;
    void Paint() override;
    void OnFocusIn() override;
    void OnFocusOut() override;

    virtual void setEnabledAndRepaint(bool on);
    // Takes effect at the next repaint.
    virtual void setTextColor(int32_t colour);

    // Shows only the face, the bevel and the focus mark.
    void setContentHidden(bool on);
    void setImage(XImage* value);
    // Shown instead of the image while the button is disabled.
    void setDisabledImage(XImage* value);

    bool isPressed() const { return pressed; }
    int32_t getTextColor() const { return textColor; }

private:
    int32_t textColor = 0;
    bool pressed = false;
    bool contentHidden = false;
    XImage* image = nullptr;
    XImage* disabledImage = nullptr;

    void Repaint();
    void SetPressed(bool on);
    int32_t FaceColour() const;
    void DrawContent(DrawingSurface& surface, Point at, int32_t face);
};

}  // namespace nebulark
