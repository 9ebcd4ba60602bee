#include "gameframework/HeldKeyTable.h"

#include <X11/keysym.h>

#include <cstring>

namespace nebulark {

int HeldKeyTable::CodeOf(KeySym keysym) {
    switch (keysym) {
        case XK_Left:
            return 'a';
        case XK_Right:
            return 'd';
        case XK_Up:
            return 'w';
        case XK_Down:
            return 'x';  // not 's': the layout of the keys the game was made for
        default:
            return keysym <= 255 ? static_cast<int>(keysym) : -1;
    }
}

void HeldKeyTable::Press(KeySym keysym) {
    if (singleKeyMode) Clear();
    const int code = CodeOf(keysym);
    if (code >= 0) keys[code] = 1;
}

void HeldKeyTable::Release(KeySym keysym) {
    const int code = CodeOf(keysym);
    if (code >= 0) keys[code] = 0;
}

bool HeldKeyTable::IsHeld(KeySym keysym) const {
    const int code = CodeOf(keysym);
    return code >= 0 && keys[code] == 1;
}

void HeldKeyTable::Clear() {
    std::memset(keys, 0, sizeof keys);
}

}  // namespace nebulark
