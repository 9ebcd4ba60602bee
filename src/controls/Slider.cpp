#include "controls/Slider.h"

#include <algorithm>

#include "controls/ArrowKeys.h"
#include "controls/ControlPaint.h"
#include "util/StringUtils.h"
#include "widgets/DrawingSurface.h"

namespace nebulark {

namespace {

constexpr int32_t kDisabledInk = 0x9B9B9B;

// Positions given along the track and across it, turned into form positions
// for the slider's direction.
struct Axes {
    bool vertical;
    XPoint At(int64_t along, int64_t across) const {
        return vertical ? ControlPaint::ToXPoint(across, along)
                        : ControlPaint::ToXPoint(along, across);
    }
};

}  // namespace

Slider::Slider(GUIElement* container, bool vertical, int32_t minimum, int32_t maximum)
    : ValueControl(container, "slider"), scale(minimum, maximum), vertical(vertical) {}

void Slider::OnKeyDown(KeySym keysym) {
    if (!enabled || !hasFocus) return;
    if (scale.StepBy(arrowStep(keysym))) Changed();
}

void Slider::setValue(int32_t v) {
    if (scale.SetValue(v)) Paint();
}

void Slider::setTextColor(int32_t colour) {
    textColor = colour;
    Paint();
}

void Slider::setShowLimits(bool on) {
    showLimits = on;
    Paint();
}

// The point is in form coordinates; the ticks are measured from the slider's
// place on the form.
void Slider::SlideTo(Point point) {
    const Point at = AbsolutePosition(x, y);
    const int64_t offset = vertical ? int64_t{point.y} - at.y : int64_t{point.x} - at.x;
    const std::optional<int32_t> picked =
        scale.ValueAt(scale.TrackFor(FittedSize(), vertical), offset);
    if (picked && scale.SetValue(*picked)) Changed();
}

void Slider::Changed() {
    Paint();
    if (onSlide != nullptr) onSlide(this, scale.Value());
    if (onValueChanged != nullptr) onValueChanged(this);
}

int32_t Slider::InkColour() const {
    return enabled ? textColor : kDisabledInk;
}

// The slider first takes the size its range needs; the face, the limits, the
// track with its ticks and thumb and the focus lines are drawn over it.
void Slider::Paint() {
    if (!BeginPaint(FittedSize())) return;
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    const int32_t face = ControlPaint::FaceColour(*this);
    surface.FillRect(at.x, at.y, width + 1, height + 1, 0, -1, face);
    if (showLimits) PaintLimits(surface, at, face);
    PaintTrack(surface, at);
    if (hasFocus && enabled)
        ControlPaint::DrawFocusMark(surface, at.x, at.y, at.x + width - 1, at.y + height - 2,
                                    InkColour());
}

void Slider::PaintLimits(DrawingSurface& surface, Point at, int32_t face) {
    const std::string low = toText(scale.Minimum());
    const std::string high = toText(scale.Maximum());
    const int32_t ink = InkColour();
    if (vertical) {
        surface.DrawTextBox(at.x, at.y, width + 1, 18, low, ink, face, kAlignCentre);
        surface.DrawTextBox(at.x, at.y + height - 18, width + 1, 18, high, ink, face, kAlignCentre);
    } else {
        surface.DrawTextBox(at.x, at.y, 20, height, low, ink, face, kAlignCentre);
        surface.DrawTextBox(at.x + width - 19, at.y, 20, height, high, ink, face, kAlignCentre);
    }
}

// The track runs through the middle of the slider, with a light line beside
// it; each tick is a short line across it, edged light on its far side. The
// thumb is an arrowhead beside the track pointing at the tick of the value:
// to the right of a vertical track, above a horizontal one. When the values
// share the track's pixels, only the two ends have a tick.
void Slider::PaintTrack(DrawingSurface& surface, Point at) {
    const Axes axes{vertical};
    const int32_t ink = InkColour();
    const int64_t start = vertical ? at.y : at.x;
    const int64_t middle = vertical ? at.x + (width + 1) / 2 : at.y + (height + 1) / 2;
    const int side = vertical ? 1 : -1;
    const SliderTrack track = scale.TrackFor(Size{width, height}, vertical);
    auto line = [&](int64_t along1, int64_t across1, int64_t along2, int64_t across2,
                    int32_t colour) {
        const XPoint a = axes.At(along1, across1), b = axes.At(along2, across2);
        surface.DrawLine(a.x, a.y, b.x, b.y, colour);
    };
    line(start + track.first, middle, start + track.last, middle, ink);
    line(start + track.first, middle + 1, start + track.last, middle + 1, ControlPaint::kLight);
    const int64_t steps = scale.Steps();
    const int64_t every = scale.WholeSteps(vertical) ? 1 : std::max<int64_t>(steps, 1);
    for (int64_t tick = 0; tick <= steps; tick += every) {
        const int64_t along = start + scale.TickOffset(track, tick);
        line(along, middle - 3, along, middle + 3, ink);
        line(along + 1, middle - 3, along + 1, middle + 3, ControlPaint::kLight);
    }
    const int64_t thumb = start + scale.TickOffset(track, int64_t{scale.Value()} - scale.Minimum());
    ControlPaint::DrawArrowhead(surface, axes.At(thumb, middle + 5 * side),
                                axes.At(thumb - 10 * side, middle + 15 * side),
                                axes.At(thumb + 10 * side, middle + 15 * side), ink);
}

}  // namespace nebulark
