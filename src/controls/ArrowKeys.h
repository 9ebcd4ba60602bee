#pragma once

#include <X11/X.h>

namespace nebulark {

// The direction a cursor key moves a value control: -1 for Left and Up, +1 for
// Right and Down, 0 for every other key.
int arrowStep(KeySym keysym);

}  // namespace nebulark
