#include "util/Stopwatch.h"

#include <ctime>

namespace nebulark {

void Stopwatch::Start() {
    start = std::time(nullptr);
    stop = 0;
}

int64_t Stopwatch::Stop() {
    stop = std::time(nullptr);
    elapsed = stop - start;
    return elapsed;
}

}  // namespace nebulark
