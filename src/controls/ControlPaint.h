#pragma once

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

// A stored colour, with -1 (none) meaning the default grey.
int32_t OrGrey(int64_t colour);
// What a control's area is erased with: its container's colour, else its
// form's, else grey.
int32_t ContainerColour(const Child& control);
// The form's own colour, else grey.
int32_t FormColour(const Child& control);
// Fills the control's whole area, width × height pixels at its place on the
// form. Nothing is drawn while a form is being created, since its window is
// not mapped yet.
void Erase(Child& control, int32_t colour);
// Four one-pixel lines on the outermost pixels of the rectangle: top and left
// first, then right and bottom, so that the top-right and bottom-left corners
// take the second colour.
void DrawBevel(DrawingSurface& surface, int x, int y, int w, int h, int32_t topLeft,
               int32_t bottomRight);

}  // namespace ControlPaint

}  // namespace nebulark
