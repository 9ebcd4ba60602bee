#include "app/EventScale.h"

#include "app/DisplayScale.h"

namespace nebulark {

namespace {

template <typename PointerEvent>
void ScalePointer(PointerEvent& event, int scale) {
    event.x = Unscaled(event.x, scale);
    event.y = Unscaled(event.y, scale);
    event.x_root = Unscaled(event.x_root, scale);
    event.y_root = Unscaled(event.y_root, scale);
}

// From the pixel holding the first edge to the one holding the last.
void ScaleSpan(int& start, int& length, int scale) {
    const int first = Unscaled(start, scale);
    const int last = Unscaled(start + length - 1, scale);
    start = first;
    length = length > 0 ? last - first + 1 : 0;
}

}  // namespace

void ScaleDownEvent(XEvent& event, int scale) {
    if (scale < 2) return;
    switch (event.type) {
        case KeyPress:
        case KeyRelease:
            ScalePointer(event.xkey, scale);
            break;
        case ButtonPress:
        case ButtonRelease:
            ScalePointer(event.xbutton, scale);
            break;
        case MotionNotify:
            ScalePointer(event.xmotion, scale);
            break;
        case EnterNotify:
        case LeaveNotify:
            ScalePointer(event.xcrossing, scale);
            break;
        case Expose:
            ScaleSpan(event.xexpose.x, event.xexpose.width, scale);
            ScaleSpan(event.xexpose.y, event.xexpose.height, scale);
            break;
        case ConfigureNotify:
            event.xconfigure.x = Unscaled(event.xconfigure.x, scale);
            event.xconfigure.y = Unscaled(event.xconfigure.y, scale);
            event.xconfigure.width /= scale;
            event.xconfigure.height /= scale;
            break;
        default:
            break;
    }
}

}  // namespace nebulark
