#include "util/MillisecondCounter.h"

namespace nebulark {

namespace {
int counter = 0;
}

int MillisecondCounter::Value() {
    return counter;
}

void MillisecondCounter::Set(int value) {
    counter = value;
}

void MillisecondCounter::Advance() {
    counter = (counter + 10) % 1000;
}

}  // namespace nebulark
