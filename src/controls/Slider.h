#pragma once

#include <X11/X.h>

#include <cstdint>

#include "controls/SliderValue.h"
#include "controls/ValueControl.h"

namespace nebulark {

class DrawingSurface;
class Slider;

// Told the new value whenever the user changes it.
using SlideCallback = void (*)(Slider* slider, int32_t value);

// Picks a whole number between a minimum and a maximum along a track with one
// tick per value, by clicking, dragging or the cursor keys, which wrap at
// both ends.
class Slider : public ValueControl {
public:
    Slider(GUIElement* container, bool vertical, int32_t minimum, int32_t maximum);

    void OnKeyDown(KeySym keysym) override;
    void Paint() override;

    // Clamped to the range; the user's callback is not called.
    void setValue(int32_t v);
    int32_t getValue() const { return scale.Value(); }
    int32_t getMinimum() const { return scale.Minimum(); }
    int32_t getMaximum() const { return scale.Maximum(); }
    void setTextColor(int32_t colour);
    void setShowLimits(bool on);
    void setOnSlide(SlideCallback callback) { onSlide = callback; }

protected:
    void PressAt(Point point) override { SlideTo(point); }
    void DragTo(Point point) override { SlideTo(point); }

private:
    bool showLimits = true;
    SliderValue scale;
    int32_t textColor = 0;
    bool vertical;
    SlideCallback onSlide = nullptr;

    Size FittedSize() const { return scale.Fit(Size{width, height}, vertical); }
    int32_t InkColour() const;
    void SlideTo(Point point);
    void Changed();
    void PaintLimits(DrawingSurface& surface, Point at, int32_t face);
    void PaintTrack(DrawingSurface& surface, Point at);
};

}  // namespace nebulark
