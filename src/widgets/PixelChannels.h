#pragma once

namespace nebulark {

class GUIElement;

// How many bytes one pixel of the server takes, and the byte positions of
// red, green and blue inside it.
struct PixelChannels {
    int bytesPerPixel = 4;
    int red = 2;
    int green = 1;
    int blue = 0;
};

// The drawing surface's window on the pixel-layout probe: runs the probe for
// the element's form (the probe itself works once per process) and answers the
// layout it found. Until a probe succeeds they are those of a
// little-endian 32-bit TrueColor server, red at byte 2, green at 1, blue at 0.
PixelChannels ProbePixelChannels(GUIElement* element);

}  // namespace nebulark
