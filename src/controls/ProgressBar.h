#pragma once

#include <cstdint>

#include "controls/PaintedControl.h"

namespace nebulark {

// A sunken bar filled in blue in proportion to a value between a minimum and
// a maximum. It takes no focus.
class ProgressBar : public PaintedControl {
public:
    ProgressBar(GUIElement* container, int32_t minimum, int32_t maximum);

    void Paint() override;

    // Clamped to the range; repaints when the value changes.
    void setValue(int32_t v);
    int32_t getValue() const { return value; }
    void setSunkenFrame(bool on);

    // The share of the range the value has reached, 0 … 1; 0 for an empty
    // range.
    double fraction() const;

private:
    int32_t minimum;
    int32_t maximum;
    int32_t value;
    bool sunkenFrame = true;
};

}  // namespace nebulark
