#include "support/EventStream.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace nebulark::test {

// The connection is opened here, before the thread starts, so that only the
// stream's own thread ever uses it afterwards.
EventStream::EventStream(Window target, Kind kind, std::chrono::microseconds period)
    : display(XOpenDisplay(nullptr)), target(target), kind(kind), period(period) {
    if (display == nullptr) return;
    XWindowAttributes attributes{};
    Window child = 0;
    if (XGetWindowAttributes(display, target, &attributes) != 0)
        XTranslateCoordinates(display, target, DefaultRootWindow(display), attributes.width / 2,
                              attributes.height / 2, &centreX, &centreY, &child);
    sender = std::thread([this] {
        auto next = std::chrono::steady_clock::now();
        for (int count = 0; !stopping; ++count) {
            Send(count);
            XFlush(display);
            ++sent;
            next += this->period;
            std::this_thread::sleep_until(next);
        }
        XSync(display, False);
    });
}

EventStream::~EventStream() {
    stopping = true;
    if (sender.joinable()) sender.join();
    if (display != nullptr) XCloseDisplay(display);
}

void EventStream::Send(int count) {
    switch (kind) {
    case Kind::PointerMotion:
        SendMotion(count);
        break;
    case Kind::KeyRepeat:
        SendKeyRepeat();
        break;
    case Kind::Messages:
        SendClientMessage();
        break;
    }
}

void EventStream::SendMotion(int count) {
    XTestFakeMotionEvent(display, DefaultScreen(display), centreX + count % 2 * 7, centreY,
                         CurrentTime);
}

void EventStream::SendKeyRepeat() {
    XEvent event{};
    XKeyEvent& key = event.xkey;
    key.display = display;
    key.window = target;
    key.root = DefaultRootWindow(display);
    key.same_screen = True;
    key.keycode = XKeysymToKeycode(display, XK_Right);
    key.type = KeyRelease;
    XSendEvent(display, target, False, KeyReleaseMask, &event);
    key.type = KeyPress;
    XSendEvent(display, target, False, KeyPressMask, &event);
}

void EventStream::SendClientMessage() {
    XEvent event{};
    XClientMessageEvent& message = event.xclient;
    message.type = ClientMessage;
    message.window = target;
    message.message_type = XInternAtom(display, "NEBULARK_TEST_NOISE", False);
    message.format = 32;
    XSendEvent(display, target, False, NoEventMask, &event);
}

}  // namespace nebulark::test
