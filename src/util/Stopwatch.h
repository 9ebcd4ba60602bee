#pragma once

#include <cstdint>

namespace nebulark {

// Measures whole seconds of wall-clock time between Start and Stop.
class Stopwatch {
public:
    void Start();
    // Answers the seconds elapsed since Start.
    int64_t Stop();
    int64_t Hours() const { return elapsed / 3600; }
    int64_t Minutes() const { return (elapsed % 3600) / 60; }
    int64_t Seconds() const { return (elapsed % 3600) % 60; }

    int64_t start = 0;
    int64_t stop = 0;
    int64_t elapsed = 0;
};

}  // namespace nebulark
