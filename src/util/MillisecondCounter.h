#pragma once

namespace nebulark {

// The toolkit's millisecond counter: 0 … 990 in steps of 10, advanced only by
// tick messages of the event loop and read by date-time stamps as their
// millisecond part. It is a tick count, not a fraction of the wall clock.
class MillisecondCounter {
public:
    static int Value();
    static void Set(int value);
    // Advances by 10, wrapping 990 to 0.
    static void Advance();
};

}  // namespace nebulark
