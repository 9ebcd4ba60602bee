#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include "widgets/Child.h"

namespace nebulark {

class DrawingSurface;
class EmbeddedImage;

// A control that shows one picture, optionally inside a sunken one-pixel
// frame. The picture is either an XImage the caller owns and keeps alive, or
// a compiled-in picture that the control converts at its first paint and
// keeps, as its own image, until the picture is replaced.
//
// The class also holds the pixel layout of the X server, probed once per
// process: every piece of code that writes or reads XImage pixels takes the
// byte positions of red, green and blue from here.
class MyImage : public Child {
public:
    MyImage(GUIElement* container, XImage* image);
    MyImage(GUIElement* container, const EmbeddedImage* embedded, int32_t w, int32_t h);
    // Releases the conversion of a compiled-in picture.
    ~MyImage();

    void SetSize(int32_t w, int32_t h) override;
    void SetPosition(int32_t newX, int32_t newY) override;
    void Show() override;
    void Reveal() override;
    void Hide() override;
    void Paint() override;
    void Create() override;

    // Shows a caller-owned image instead of the current picture.
    virtual void setXImage(XImage* value);
    // Shows a compiled-in picture, converted again at the next paint.
    virtual void setEmbeddedImage(const EmbeddedImage* value);
    virtual void setBorder(int on);
    // Stores the enabled flag without repainting.
    virtual void setEnabledQuietly(bool flag);

    XImage* getXImage() const { return image; }
    const EmbeddedImage* getEmbeddedImage() const { return embedded; }
    int getBorder() const { return border; }

    // Fills the layout below from one pixel drawn on the element's form and
    // read back; does nothing once `depth` is non-zero. Mismatches with the
    // expected layout (32-bit little-endian pixels of depth 24, red at byte 2,
    // green at 1, blue at 0) are logged.
    static void probePixelLayout(GUIElement* element);
    // The part of the probe that reads the probe pixel's image: stores its
    // layout, logs every mismatch and finds the channel positions.
    static void adoptProbeImage(const XImage& probe);

    static inline int depth = 0;  // 0: not probed yet
    static inline int format = ZPixmap;
    static inline int xoffset = 0;
    static inline int bitmapPad = 0;
    static inline int bitsPerPixel = 0;
    static inline int bitmapBitOrder = 0;
    static inline int ixRosso = 2;
    static inline int ixVerde = 1;
    static inline int ixBlu = 0;

private:
    XImage* image = nullptr;
    const EmbeddedImage* embedded = nullptr;
    int border = 0;

    bool Shown() const { return created && visible; }
    void ReleaseConversion();
    int64_t BackgroundColour() const;
    void DrawBorder(DrawingSurface& surface, Point at);
};

}  // namespace nebulark
