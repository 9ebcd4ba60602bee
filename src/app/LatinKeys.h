#pragma once

#include <X11/Xlib.h>

namespace nebulark {

// Keys read by their place under a layout of another script. The game's keys
// (G, P, N) and the names typed into the high-score table are Latin letters
// and digits; a player whose active layout is Cyrillic, Greek, Hebrew, Arabic
// and the like still presses the key marked G and means G.
namespace LatinKeys {

// A letter or digit of a script other than Latin: a keysym above Latin-1 that
// is no Latin letter of another set, no symbol and no function, cursor,
// keypad or modifier key.
bool IsOtherScriptKeysym(KeySym keysym);

// The Latin letter or digit at the key code's place on a US keyboard (the
// main block's codes, alike in the server's usual key code sets); NoSymbol for
// any other key.
KeySym UsKeysymAt(unsigned keycode);

// The letter or digit the key carries in the first group of the keyboard map
// that has one, else at its place on a US keyboard, in the case of `typed`;
// NoSymbol when the key carries none anywhere.
KeySym LatinKeysymFor(Display* display, unsigned keycode, KeySym typed);

}  // namespace LatinKeys

}  // namespace nebulark
