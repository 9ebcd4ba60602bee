#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace nebulark {

// An image whose pixels live in a memory segment shared with the X server, so
// that putting it whole costs the server one small request, and the program
// no copy, instead of its every byte through the connection.
//
// The image stays the caller's: Adopt moves its pixels into the segment and
// points the image there, Return moves them back into the image's own buffer.
// The server reads the segment after the put request has left, so before the
// pixels are changed again Settle waits for it to have done so. The last put
// of a batch asks the server for a completion event; once that has been read
// (the event loop reads it in its idle wait), Settle needs no round trip.
//
// Where the server lacks the extension, cannot reach the segment (a
// connection from another machine) or keeps its pixels in another format,
// Adopt answers false and leaves the image as it was: the caller puts it the
// ordinary way, with the same pixels. Such failures are quiet.
class SharedImage {
public:
    SharedImage(Display* display, Visual* visual);
    ~SharedImage();
    SharedImage(const SharedImage&) = delete;
    SharedImage& operator=(const SharedImage&) = delete;

    // One image at a time: an image adopted earlier is returned first.
    bool Adopt(XImage& image);
    void Return(XImage& image);
    bool Holds(const XImage& image) const;
    // The w × h rectangle at (sourceX, sourceY) of the held image, at (x, y)
    // of the drawable; the caller keeps it inside the image. `last` marks the
    // last put of a batch.
    void Put(Drawable drawable, GC gc, int sourceX, int sourceY, unsigned w, unsigned h, int x,
             int y, bool last);
    void Settle();
    // For a connection that has been closed, which let go of the segment on
    // the server's side: the pixels go back without a word to the server, and
    // nothing is shared from then on.
    void Abandon();

private:
    Display* display;
    Visual* visual;
    bool available = true;
    XShmSegmentInfo segment{};
    // The server's view of the segment: a record Xlib made, over our pixels.
    XImage* shared = nullptr;
    XImage* adopted = nullptr;
    char* ownPixels = nullptr;
    // A put the server may still be reading the segment for, and the
    // request number of the last one.
    bool pending = false;
    unsigned long lastPut = 0;

    bool MakeSegment(const XImage& image);
    bool Attach();
    void GiveBack(bool connected);
    void Detach(bool connected);
};

}  // namespace nebulark
