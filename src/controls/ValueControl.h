#pragma once

#include <cstdint>

#include "widgets/Child.h"

namespace nebulark {

// What the slider and the scroll bar share: they are shown, hidden, moved and
// focused alike, they follow the pointer from a press on them until the
// button is released or the focus leaves, and Space works as the Down key.
// The event loop sends pointer motion to a focused slider or scroll bar
// wherever the pointer is, so a drag goes on outside the control.
class ValueControl : public Child {
public:
    // Moving or resizing a shown control first clears the place it leaves.
    void SetSize(int32_t w, int32_t h) override;
    void SetPosition(int32_t newX, int32_t newY) override;
    void Show() override;
    void Reveal() override;
    // Clears the control's area to the colour around it; the control is then
    // no longer created, so that the next Show starts afresh.
    void Hide() override;
    void OnMouseUp(Point point) override;
    void OnMouseDown(Point point) override;
    bool OnKeyChar(char character) override;
    void OnMouseMove(int32_t mouseX, int32_t mouseY) override;
    void Focus() override;
    void OnFocusIn() override;
    void OnFocusOut() override;
    void Create() override;

    virtual void setEnabledAndRepaint(bool on);

protected:
    ValueControl(GUIElement* container, const char* type);

    bool dragging = false;

    // A press of the left button on the enabled control, and every pointer
    // position while the drag lasts, in form coordinates.
    virtual void PressAt(Point point) = 0;
    virtual void DragTo(Point point) = 0;
    // How many pixels the control paints beyond its width and height.
    virtual int32_t Overhang() const { return 0; }
    // False while the control may not paint (not created, or its form being
    // created); otherwise the control takes the size it is painted at.
    bool BeginPaint(Size fitted);

private:
    void Relocate(int32_t newX, int32_t newY, int32_t w, int32_t h);
};

}  // namespace nebulark
