#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <optional>

#include "app/ApplicationState.h"

namespace nebulark {

// Keys read by their place under a layout of another script. The game's keys
// (G, P, N) and the names typed into the high-score table are Latin letters
// and digits; a player whose active layout is Greek, Hebrew, Arabic, Cyrillic
// and the like still presses the key marked G and means G.
//
// The decision is taken once for the whole keyboard, by the active group of
// the map: when that group is a Latin layout, its keys type what they type;
// when it is not, every key of the alphanumeric block types what it types in
// the map's first Latin group, or else on a US keyboard, with Shift giving
// what Shift gives there. Punctuation that a layout of another script puts on
// a letter key (the Greek layout's `;` on Q, the Hebrew `/`) is so read as
// the letter too.
namespace LatinKeys {

// The keysym a key code carries in a group of the keyboard map at a shift
// level, NoSymbol where it carries none: the server's map, or a test's.
using KeyboardMap = std::function<KeySym(unsigned keycode, int group, int level)>;

// What a key press is, as far as translation by place looks at it.
struct Press {
    unsigned keycode = 0;
    int group = 0;
    bool shift = false;
    bool capsLock = false;
    bool control = false;
};

// A group is a Latin layout when most of its letter keys that carry a symbol
// carry a Latin letter. A group with no symbols on those keys is neither.
std::optional<bool> IsLatinGroup(const KeyboardMap& map, int group);

// What the press types by its place when the active group is no Latin
// layout; nothing when it is one, or when the key lies outside the
// alphanumeric block, so that the key types what it types.
std::optional<KeyTranslation> TranslateByPlace(const KeyboardMap& map, const Press& press);

// The server's keyboard map as the display's client copy holds it.
KeyboardMap ServerMap(Display* display);

// The press an event describes: its key code, its group and its modifiers.
Press PressOf(const XKeyEvent& event);

}  // namespace LatinKeys

}  // namespace nebulark
