#pragma once

#include <X11/Xlib.h>

#include <cstdint>

namespace nebulark {

class Child;
class DrawingSurface;

// Colours and strokes that several controls paint with.
namespace ControlPaint {

inline constexpr int32_t kBlack = 0x000000;
inline constexpr int32_t kWhite = 0xFFFFFF;
// The toolkit's default background, used wherever a colour is left at -1.
inline constexpr int32_t kGrey = 0xAAAAAA;
// Text of a disabled control.
inline constexpr int32_t kDisabledText = 0x9B9B9B;
// The light shade that edges the value controls' lines and arrowheads.
inline constexpr int32_t kLight = 0xDDDDDD;

// A stored colour, with -1 (none) meaning the default grey.
int32_t OrGrey(int64_t colour);
// What a control's area is erased with: its container's colour, else its
// form's, else grey.
int32_t ContainerColour(const Child& control);
// The form's own colour, else grey.
int32_t FormColour(const Child& control);
// The colour a control paints its face with: its own, else its container's.
int32_t FaceColour(const Child& control);
// Fills the control's whole area, width × height pixels at its place on the
// form. Nothing is drawn while a form is being created, since its window is
// not mapped yet.
void Erase(Child& control, int32_t colour);
// The same for w × h pixels from the control's place, for controls that draw
// beyond their width and height.
void Erase(Child& control, int32_t colour, int32_t w, int32_t h);
// Showing a control that paints itself: it is created when it is not yet,
// marked shown and painted.
void ShowAndPaint(Child& control);
// Hiding one: a created control has its w × h pixels from its place filled
// with the colour `colourOf` gives and is marked hidden. The control then
// forgets its creation itself, so that the next Show starts afresh.
void EraseAndHide(Child& control, int32_t (*colourOf)(const Child&), int32_t w, int32_t h);
// Four one-pixel lines on the outermost pixels of the rectangle: top and left
// first, then right and bottom, so that the top-right and bottom-left corners
// take the second colour.
void DrawBevel(DrawingSurface& surface, int x, int y, int w, int h, int32_t topLeft,
               int32_t bottomRight);
// A dashed focus mark: its top line runs one pixel below `top`, its left
// side reaches up to `top` and its right side one pixel below `bottom`.
void DrawFocusMark(DrawingSurface& surface, int left, int top, int right, int bottom,
                   int32_t colour);
// Draws w × h pixels of a picture from (sourceX, sourceY) at (x, y), with its
// pure black pixels showing what is under them. The picture belongs to the
// caller, or is kept for the next paint: it is drawn through a copy, since
// keyed drawing changes the picture it is given.
void DrawBlackTransparent(DrawingSurface& surface, int x, int y, int w, int h, XImage* picture,
                          int sourceX = 0, int sourceY = 0);
// A filled triangle edged in the light shade along its first two sides.
void DrawArrowhead(DrawingSurface& surface, XPoint a, XPoint b, XPoint c, int32_t colour);
// A form position for drawing: X coordinates are 16 bits wide.
XPoint ToXPoint(int64_t x, int64_t y);

}  // namespace ControlPaint

}  // namespace nebulark
