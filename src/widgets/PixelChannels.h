#pragma once

namespace nebulark {

class GUIElement;

// Byte positions of red, green and blue inside one pixel of the server.
struct PixelChannels {
    int red = 2;
    int green = 1;
    int blue = 0;
};

// The drawing surface's window on the pixel-layout probe: runs the probe for
// the element's form (the probe itself works once per process) and answers the
// channel positions it found. Until a probe succeeds they are those of a
// little-endian 32-bit TrueColor server, red at byte 2, green at 1, blue at 0.
PixelChannels ProbePixelChannels(GUIElement* element);

}  // namespace nebulark
