#pragma once

#include <X11/Xlib.h>

#include "images/PixelLayout.h"

namespace nebulark {

class GUIElement;

// Fills `serverPixelLayout` from one pixel of a known colour drawn on the
// element's form and read back; does nothing once the layout is probed.
// Mismatches with the expected layout (32-bit little-endian pixels of depth
// 24, red at byte 2, green at 1, blue at 0) are logged. It runs before every
// conversion to a server image and before the drawing surface reads pixels
// back, so the first of those pays for it.
void probePixelLayout(GUIElement* element);
// The part of the probe that reads the probe pixel's image: stores its
// layout, logs every mismatch and finds the channel positions.
void adoptProbeImage(const XImage& probe);
// Runs the probe for the element's form and answers the layout it found.
PixelChannels ProbePixelChannels(GUIElement* element);

}  // namespace nebulark
