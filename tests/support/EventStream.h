#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace nebulark::test {

// A steady stream of input to one window, sent from a connection and a thread
// of its own for as long as the stream lives, as a mouse or a held key sends
// it while the program under test goes on with its own work.
class EventStream {
public:
    enum class Kind {
        // XTEST motion between two points inside the window, as a mouse moves.
        PointerMotion,
        // A key's release and press sent to the window together, as the
        // server's auto-repeat sends them while a key is held.
        KeyRepeat,
        // A client message of a type the toolkit ignores.
        Messages,
    };

    EventStream(Window target, Kind kind, std::chrono::microseconds period);
    ~EventStream();
    EventStream(const EventStream&) = delete;
    EventStream& operator=(const EventStream&) = delete;

    bool Ok() const { return display != nullptr; }
    long Sent() const { return sent; }

private:
    Display* display = nullptr;
    Window target;
    Kind kind;
    std::chrono::microseconds period;
    // The window's centre on the root window, where the pointer moves.
    int centreX = 0;
    int centreY = 0;
    std::atomic<bool> stopping{false};
    std::atomic<long> sent{0};
    std::thread sender;

    void Send(int count);
    void SendKeyRepeat();
    void SendClientMessage();
    void SendMotion(int count);
};

}  // namespace nebulark::test
