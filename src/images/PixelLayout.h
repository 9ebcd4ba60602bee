#pragma once

namespace nebulark {

// How many bytes one pixel of the server takes, and the byte positions of
// red, green and blue inside it.
struct PixelChannels {
    int bytesPerPixel = 4;
    int red = 2;
    int green = 1;
    int blue = 0;
};

// The X server's pixel layout as the one-time probe found it. Until the probe
// has run, `depth` is 0 and the channel positions are those of a
// little-endian 32-bit TrueColor server: red at byte 2, green at 1, blue at 0.
struct PixelLayout {
    int depth = 0;   // 0: not probed yet
    int format = 2;  // ZPixmap
    int xoffset = 0;
    int bitmapPad = 0;
    int bitsPerPixel = 0;
    int bitmapBitOrder = 0;
    int ixRosso = 2;
    int ixVerde = 1;
    int ixBlu = 0;

    bool Probed() const { return depth != 0; }
    // The channel positions with the pixel size; 4 bytes until a probe
    // reported one.
    PixelChannels Channels() const;
};

// The process-wide record every piece of code that writes or reads server
// pixels takes its layout from.
inline PixelLayout serverPixelLayout;

}  // namespace nebulark
