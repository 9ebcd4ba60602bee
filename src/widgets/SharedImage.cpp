#include "widgets/SharedImage.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>

namespace nebulark {

namespace {

// Errors of the extension's requests are caught while a segment is attached;
// any other error goes on to the handler that was in place.
int extensionOpcode = 0;
bool attachRefused = false;
XErrorHandler outerHandler = nullptr;

int CatchAttachError(Display* display, XErrorEvent* error) {
    if (error->request_code == extensionOpcode) {
        attachRefused = true;
        return 0;
    }
    return outerHandler != nullptr ? outerHandler(display, error) : 0;
}

size_t ByteSize(const XImage& image) {
    return static_cast<size_t>(image.bytes_per_line) * static_cast<size_t>(image.height);
}

bool SameLayout(const XImage& a, const XImage& b) {
    return a.width == b.width && a.height == b.height && a.depth == b.depth &&
           a.format == b.format && a.bits_per_pixel == b.bits_per_pixel &&
           a.bytes_per_line == b.bytes_per_line && a.byte_order == b.byte_order &&
           a.xoffset == b.xoffset;
}

}  // namespace

SharedImage::SharedImage(Display* display, Visual* visual) : display(display), visual(visual) {
    int event = 0, error = 0;
    available = display != nullptr && visual != nullptr && XShmQueryExtension(display) &&
                XQueryExtension(display, SHMNAME, &extensionOpcode, &event, &error);
}

SharedImage::~SharedImage() {
    if (adopted != nullptr) Return(*adopted);
}

bool SharedImage::Adopt(XImage& image) {
    if (adopted != nullptr) Return(*adopted);
    if (!available || image.data == nullptr || image.format != ZPixmap || image.width <= 0 ||
        image.height <= 0 || !MakeSegment(image))
        return false;
    std::memcpy(shared->data, image.data, ByteSize(image));
    ownPixels = image.data;
    image.data = shared->data;
    adopted = &image;
    return true;
}

void SharedImage::Return(XImage& image) {
    if (&image == adopted) GiveBack(true);
}

bool SharedImage::Holds(const XImage& image) const {
    return &image == adopted && image.data == shared->data;
}

void SharedImage::Put(Drawable drawable, GC gc, int sourceX, int sourceY, unsigned w, unsigned h,
                      int x, int y, bool last) {
    if (adopted == nullptr) return;
    XShmPutImage(display, drawable, gc, shared, sourceX, sourceY, x, y, w, h, last ? True : False);
    lastPut = NextRequest(display) - 1;
    pending = true;
}

// The server handles requests in order and numbers its events after the
// last request it has handled, so once an event or reply numbered at or past
// the last put has been read, the server has finished every put. The
// completion event asked for with the last put is usually in by now; only
// when it is not does a round trip wait for the server.
void SharedImage::Settle() {
    if (!pending) return;
    if (LastKnownRequestProcessed(display) < lastPut) XEventsQueued(display, QueuedAfterReading);
    if (LastKnownRequestProcessed(display) < lastPut) XSync(display, False);
    pending = false;
}

void SharedImage::Abandon() {
    if (adopted != nullptr) GiveBack(false);
    available = false;
}

void SharedImage::GiveBack(bool connected) {
    if (connected) Settle();
    std::memcpy(ownPixels, adopted->data, ByteSize(*adopted));
    adopted->data = ownPixels;
    adopted = nullptr;
    ownPixels = nullptr;
    Detach(connected);
}

// The layout the server expects must be the image's own, byte for byte, or
// the segment is not used.
bool SharedImage::MakeSegment(const XImage& image) {
    shared = XShmCreateImage(display, visual, static_cast<unsigned>(image.depth), ZPixmap, nullptr,
                             &segment, static_cast<unsigned>(image.width),
                             static_cast<unsigned>(image.height));
    if (shared == nullptr) {
        available = false;
        return false;
    }
    if (!SameLayout(*shared, image)) {
        XDestroyImage(shared);
        shared = nullptr;
        return false;
    }
    if (Attach()) return true;
    available = false;
    shared->data = nullptr;
    XDestroyImage(shared);
    shared = nullptr;
    return false;
}

// The segment is marked for removal as soon as both sides hold it, so that it
// goes with the process however the process ends.
bool SharedImage::Attach() {
    segment.shmid = shmget(IPC_PRIVATE, ByteSize(*shared), IPC_CREAT | 0600);
    if (segment.shmid < 0) return false;
    void* memory = shmat(segment.shmid, nullptr, 0);
    if (memory == reinterpret_cast<void*>(-1)) {
        shmctl(segment.shmid, IPC_RMID, nullptr);
        segment = XShmSegmentInfo{};
        return false;
    }
    segment.shmaddr = shared->data = static_cast<char*>(memory);
    segment.readOnly = True;
    attachRefused = false;
    outerHandler = XSetErrorHandler(CatchAttachError);
    const bool sent = XShmAttach(display, &segment) != 0;
    XSync(display, False);
    XSetErrorHandler(outerHandler);
    outerHandler = nullptr;
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (sent && !attachRefused) return true;
    shmdt(segment.shmaddr);
    segment = XShmSegmentInfo{};
    return false;
}

void SharedImage::Detach(bool connected) {
    if (shared == nullptr) return;
    if (connected) {
        XShmDetach(display, &segment);
        XSync(display, False);
    }
    shmdt(segment.shmaddr);
    segment = XShmSegmentInfo{};
    // The pixels were never Xlib's to free.
    shared->data = nullptr;
    XDestroyImage(shared);
    shared = nullptr;
    pending = false;
}

}  // namespace nebulark
