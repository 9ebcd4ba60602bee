#include "controls/ArrowKeys.h"

#include <X11/keysym.h>

namespace nebulark {

int arrowStep(KeySym keysym) {
    switch (keysym) {
        case XK_Left:
        case XK_Up:
            return -1;
        case XK_Right:
        case XK_Down:
            return 1;
        default:
            return 0;
    }
}

}  // namespace nebulark
