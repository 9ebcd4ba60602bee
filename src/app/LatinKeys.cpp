#include "app/LatinKeys.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>

#include <array>
#include <string_view>

namespace nebulark {

namespace LatinKeys {

namespace {

constexpr KeySym kUnicodeKeysyms = 0x01000000;
// XKB has at most four groups; a key's letters sit on its first two levels.
constexpr int kGroups = 4;
constexpr int kLevels = 2;

bool IsLatinLetterOrDigit(KeySym keysym) {
    return (keysym >= '0' && keysym <= '9') || (keysym >= 'a' && keysym <= 'z') ||
           (keysym >= 'A' && keysym <= 'Z');
}

// The legacy keysym sets of Kana, Arabic, Cyrillic and Greek, and of Hebrew,
// Thai and Korean. The sets between them hold symbols, the ones below Latin
// letters of other languages.
bool IsOtherScriptLegacy(KeySym keysym) {
    return (keysym >= 0x4A1 && keysym <= 0x7FF) || (keysym >= 0xCDF && keysym <= 0xEFF);
}

// Unicode keysyms from Greek on, but for the Latin letters of Latin Extended
// Additional and the blocks of punctuation and symbols.
bool IsOtherScriptUnicode(KeySym keysym) {
    if (keysym < kUnicodeKeysyms + 0x370 || keysym > kUnicodeKeysyms + 0x10FFFF) return false;
    const KeySym code = keysym - kUnicodeKeysyms;
    const bool latinAdditional = code >= 0x1E00 && code <= 0x1EFF;
    const bool symbols = code >= 0x2000 && code <= 0x2BFF;
    return !latinAdditional && !symbols;
}

bool IsUpperCase(KeySym keysym) {
    KeySym lower = NoSymbol, upper = NoSymbol;
    XConvertCase(keysym, &lower, &upper);
    return keysym == upper && lower != upper;
}

KeySym InCaseOf(KeySym latin, KeySym typed) {
    KeySym lower = NoSymbol, upper = NoSymbol;
    XConvertCase(latin, &lower, &upper);
    return IsUpperCase(typed) ? upper : lower;
}

// XkbKeycodeToKeysym answers NoSymbol for a group or level the key does not
// have, and when the server has no keyboard extension.
KeySym FirstGroupLetter(Display* display, unsigned keycode) {
    for (int group = 0; group < kGroups; ++group)
        for (int level = 0; level < kLevels; ++level) {
            const KeySym keysym =
                XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), group, level);
            if (IsLatinLetterOrDigit(keysym)) return keysym;
        }
    return NoSymbol;
}

}  // namespace

bool IsOtherScriptKeysym(KeySym keysym) {
    return IsOtherScriptLegacy(keysym) || IsOtherScriptUnicode(keysym);
}

KeySym UsKeysymAt(unsigned keycode) {
    struct Row {
        unsigned first;
        const char* keys;
    };
    static constexpr std::array<Row, 4> kRows{{
        {10, "1234567890"},
        {24, "qwertyuiop"},
        {38, "asdfghjkl"},
        {52, "zxcvbnm"},
    }};
    for (const Row& row : kRows) {
        const std::string_view keys(row.keys);
        if (keycode >= row.first && keycode < row.first + keys.size())
            return static_cast<KeySym>(keys[keycode - row.first]);
    }
    return NoSymbol;
}

KeySym LatinKeysymFor(Display* display, unsigned keycode, KeySym typed) {
    KeySym latin = display != nullptr ? FirstGroupLetter(display, keycode) : NoSymbol;
    if (latin == NoSymbol) latin = UsKeysymAt(keycode);
    return latin == NoSymbol ? NoSymbol : InCaseOf(latin, typed);
}

}  // namespace LatinKeys

}  // namespace nebulark
