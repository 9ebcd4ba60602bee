#pragma once

#include <X11/X.h>

#include <cstdint>

namespace nebulark {

// Which keys are held, polled by the game instead of reacting to key events.
// One entry per code 0 … 255; the cursor keys share the entries of the
// letters a, d, w and x.
class HeldKeyTable {
public:
    // The entry of a keysym, or -1 for a keysym the table ignores.
    static int CodeOf(KeySym keysym);

    // In single-key mode a press first forgets every held key, also when the
    // pressed key itself is ignored.
    void Press(KeySym keysym);
    void Release(KeySym keysym);
    bool IsHeld(KeySym keysym) const;
    void Clear();

    bool singleKeyMode = true;

private:
    uint8_t keys[256] = {};
};

}  // namespace nebulark
