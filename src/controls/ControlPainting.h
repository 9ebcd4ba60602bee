#pragma once

#include <X11/Xlib.h>

#include <cstdint>

namespace nebulark {

class Child;
class DrawingSurface;

// The light shade that edges the value controls' lines and arrowheads.
constexpr int32_t kControlLight = 0xDDDDDD;

// The colour around a control: its container's colour, else its form's, else
// the default grey.
int32_t containerColour(const Child& control);
// The colour a control paints its face with: its own, else the colour around
// it.
int32_t faceColour(const Child& control);
// Paints w × h pixels from the control's place on its form in the colour
// around it, as a hidden control leaves its area. Nothing is drawn while the
// form is being created.
void eraseControlArea(Child& control, int32_t w, int32_t h);
// A filled triangle edged in the light shade along its first two sides.
void paintArrowhead(DrawingSurface& surface, XPoint a, XPoint b, XPoint c, int32_t colour);
// A form position for drawing: X coordinates are 16 bits wide.
XPoint toXPoint(int64_t x, int64_t y);

}  // namespace nebulark
