#pragma once

#include <X11/Xlib.h>

#include <array>
#include <cstdint>

#include "controls/CommandElement.h"
#include "controls/PaintedControl.h"

namespace nebulark {

class EmbeddedImage;

// What the check box and the option box share: a compiled-in 20 × 20 picture
// for each state beside their text, a press of the mouse that does nothing
// (the release acts), Space as their key, and the click handler called
// whenever the user changes their state. The pictures are converted on the
// form at their first paint and released with the control.
class ToggleControl : public PaintedControl, public CommandElement {
public:
    ~ToggleControl() override;

    void OnMouseDown(Point point) override;
    void OnFocusIn() override;
    void OnFocusOut() override;

    virtual void setEnabledAndRepaint(bool on);
    virtual void setTextColor(int32_t colour);
    int32_t getTextColor() const { return textColor; }

protected:
    // The compiled-in picture of a state.
    using PictureSource = const EmbeddedImage& (*)(bool on, bool enabled);

    ToggleControl(GUIElement* container, const char* type, PictureSource source);

    int32_t textColor = 0;

    // The converted picture of the state, with the control's enabled state;
    // null when it cannot be made.
    XImage* Picture(bool on);
    // The caption colour: textColor while enabled, grey otherwise.
    int32_t InkColour() const;
    void Repaint();
    // The user changed the state: show it and tell the click handler.
    void Changed();
    // Space typed on the enabled, shown control while it holds the focus.
    bool SpaceTyped(char character) const;

private:
    PictureSource source;
    std::array<XImage*, 4> pictures{};
};

}  // namespace nebulark
