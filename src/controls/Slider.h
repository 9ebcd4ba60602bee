#pragma once

#include <X11/X.h>

#include <cstdint>

#include "controls/SliderValue.h"
#include "widgets/Child.h"

namespace nebulark {

class DrawingSurface;
class Slider;

// Told the new value whenever the user changes it.
using SlideCallback = void (*)(Slider* slider, int32_t value);

// Picks a whole number between a minimum and a maximum along a track with one
// tick per value, by clicking, dragging or the cursor keys. A drag goes on
// while the pointer is outside the slider, since the event loop sends pointer
// motion to a focused slider wherever the pointer is.
class Slider : public Child {
public:
    Slider(GUIElement* container, bool vertical, int32_t minimum, int32_t maximum);

    void SetSize(int32_t w, int32_t h) override;
    void SetPosition(int32_t newX, int32_t newY) override;
    void Show() override;
    void Reveal() override;
    void Hide() override;
    void OnMouseUp(Point point) override;
    void OnMouseDown(Point point) override;
    void OnKeyDown(KeySym keysym) override;
    bool OnKeyChar(char character) override;
    void OnMouseMove(int32_t mouseX, int32_t mouseY) override;
    void Focus() override;
    void Paint() override;
    void OnFocusIn() override;
    void OnFocusOut() override;
    void Create() override;

    virtual void setEnabledAndRepaint(bool on);

    // Clamped to the range; the user's callback is not called.
    void setValue(int32_t v);
    int32_t getValue() const { return scale.Value(); }
    int32_t getMinimum() const { return scale.Minimum(); }
    int32_t getMaximum() const { return scale.Maximum(); }
    void setTextColor(int32_t colour);
    void setShowLimits(bool on);
    void setOnSlide(SlideCallback callback) { onSlide = callback; }

private:
    bool showLimits = true;
    bool dragging = false;
    SliderValue scale;
    int32_t textColor = 0;
    bool vertical;
    SlideCallback onSlide = nullptr;

    Size FittedSize() const { return scale.Fit(Size{width, height}, vertical); }
    int32_t InkColour() const;
    void Relocate(int32_t newX, int32_t newY, int32_t w, int32_t h);
    void SlideTo(Point point);
    void Changed();
    void PaintLimits(DrawingSurface& surface, Point at, int32_t face);
    void PaintTrack(DrawingSurface& surface, Point at);
    void PaintFocusLines(DrawingSurface& surface, Point at);
};

}  // namespace nebulark
