#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "util/PixelCopy.h"

namespace nebulark {

class SharedImage;

// What a surface has put on its window: the put requests, the pixels they
// covered, and the bytes of pixels that went through the connection (none for
// an image shared with the server).
struct ImageTraffic {
    uint64_t puts = 0;
    uint64_t pixels = 0;
    uint64_t bytesSent = 0;
};

// Puts images on a drawable: an image shared with the server through that
// memory, any other through the connection, counting what each put cost.
// One image at a time is shared.
class ImagePutter {
public:
    ImagePutter();
    ~ImagePutter();
    ImagePutter(const ImagePutter&) = delete;
    ImagePutter& operator=(const ImagePutter&) = delete;

    void Share(Display* display, Visual* visual, XImage& image);
    // With the connection closed the server has let go of the memory already.
    void Unshare(XImage& image, bool connected);
    bool Shares(const XImage* image) const;
    // Waits until the server has read the shared image put last.
    void Finish();
    // The connection is gone: the shared memory is let go without a word to
    // the server.
    void Abandon();
    // Lets the shared memory go, telling the server.
    void Release();

    // The w × h part of the image at (sourceX, sourceY), to go at (x, y), cut
    // to the image as Xlib cuts a plain put (the server would refuse a shared
    // one reaching outside); empty when nothing of it is left.
    static std::optional<PixelCopy> Cut(const XImage& image, int sourceX, int sourceY, unsigned w,
                                        unsigned h, int x, int y);
    // Puts a part Cut gave; `last` of several puts in one go asks a shared put
    // to report its completion.
    void Put(Display* display, Drawable drawable, GC gc, XImage& image, const PixelCopy& part,
             bool last);

    const ImageTraffic& Traffic() const { return traffic; }

private:
    std::unique_ptr<SharedImage> shared;
    ImageTraffic traffic;
};

}  // namespace nebulark
