#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include "controls/PaintedControl.h"
#include "images/PixelLayout.h"
#include "widgets/PixelLayoutProbe.h"

namespace nebulark {

class EmbeddedImage;

// A control that shows one picture, optionally inside a sunken one-pixel
// frame. The picture is either an XImage the caller owns and keeps alive, or
// a compiled-in picture that the control converts at its first paint and
// keeps, as its own image, until the picture is replaced.
class MyImage : public PaintedControl {
public:
    MyImage(GUIElement* container, XImage* image);
    MyImage(GUIElement* container, const EmbeddedImage* embedded, int32_t w, int32_t h);
    // Releases the conversion of a compiled-in picture.
    ~MyImage() override;

    void Paint() override;
    // Creating does not show the control; Show does.
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

    // The server's pixel layout, probed once per process: every piece of code
    // that writes or reads XImage pixels takes the byte positions of red,
    // green and blue from it. These names read and write that one record.
    static void probePixelLayout(GUIElement* element) { nebulark::probePixelLayout(element); }
    static void adoptProbeImage(const XImage& probe) { nebulark::adoptProbeImage(probe); }

    static inline int& depth = serverPixelLayout.depth;  // 0: not probed yet
    static inline int& format = serverPixelLayout.format;
    static inline int& xoffset = serverPixelLayout.xoffset;
    static inline int& bitmapPad = serverPixelLayout.bitmapPad;
    static inline int& bitsPerPixel = serverPixelLayout.bitsPerPixel;
    static inline int& bitmapBitOrder = serverPixelLayout.bitmapBitOrder;
    static inline int& ixRosso = serverPixelLayout.ixRosso;
    static inline int& ixVerde = serverPixelLayout.ixVerde;
    static inline int& ixBlu = serverPixelLayout.ixBlu;

private:
    XImage* image = nullptr;
    const EmbeddedImage* embedded = nullptr;
    int border = 0;

    bool Shown() const { return created && visible; }
    void ReleaseConversion();
};

}  // namespace nebulark
