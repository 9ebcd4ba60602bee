#include "controls/ProgressBar.h"

#include <cmath>

#include "controls/ControlPaint.h"
#include "widgets/DrawingSurface.h"

namespace nebulark {

namespace {

constexpr int32_t kBarBlue = 0x0000FF;

}  // namespace

ProgressBar::ProgressBar(GUIElement* container, int32_t minimum, int32_t maximum)
    : minimum(minimum), maximum(maximum), value(minimum) {
    width = 190;
    height = 25;
    parent = container;
    typeName = "progressbar";
    canFocus = false;
    ownerPainted = true;
}

// A range given upside down keeps the value at its minimum rather than
// clamping against crossed ends.
void ProgressBar::setValue(int32_t v) {
    if (v == value) return;
    if (v > maximum) v = maximum;
    if (v < minimum) v = minimum;
    value = v;
    if (created) Paint();
}

void ProgressBar::setSunkenFrame(bool on) {
    sunkenFrame = on;
    if (created) Paint();
}

double ProgressBar::fraction() const {
    if (maximum <= minimum) return 0.0;
    return (static_cast<double>(value) - minimum) / (static_cast<double>(maximum) - minimum);
}

void ProgressBar::Paint() {
    if (!CanPaint()) return;
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    surface.FillRect(at.x, at.y, width, height, 0, -1, ControlPaint::OrGrey(backColor));
    if (sunkenFrame)
        ControlPaint::DrawBevel(surface, at.x, at.y, width, height, ControlPaint::kBlack,
                                ControlPaint::kWhite);
    const double f = fraction();
    if (f > 0)
        surface.FillRect(at.x + 1, at.y + 1, static_cast<int>(std::floor((width - 2) * f)),
                         height - 2, 0, -1, kBarBlue);
}

}  // namespace nebulark
