#pragma once

#include <X11/Xlib.h>

namespace nebulark {

// An event of a window shown at `scale` (above 1), brought to its form's own
// pixels before the toolkit sees it: pointer positions, in the window and on
// the root, and the window's position are divided and rounded down, its size
// divided, and an exposed area grows to every pixel of the form it touches. Events without
// coordinates are left alone.
void ScaleDownEvent(XEvent& event, int scale);

}  // namespace nebulark
