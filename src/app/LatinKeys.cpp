#include "app/LatinKeys.h"

#include <X11/XKBlib.h>

#include <array>
#include <string_view>

namespace nebulark {

namespace LatinKeys {

namespace {

// XKB has at most four groups.
constexpr int kGroups = 4;

// A row of the alphanumeric block: its first key code, what its keys type on
// a US keyboard, and what they type there with Shift. The codes are alike in
// the server's usual key code sets.
struct Row {
    unsigned first;
    std::string_view plain;
    std::string_view shifted;
};

constexpr std::array<Row, 5> kBlock{{
    {10, "1234567890-=", "!@#$%^&*()_+"},
    {24, "qwertyuiop[]", "QWERTYUIOP{}"},
    {38, "asdfghjkl;'`", "ASDFGHJKL:\"~"},
    {51, "\\", "|"},
    {52, "zxcvbnm,./", "ZXCVBNM<>?"},
}};

bool IsLatinLetter(KeySym keysym) {
    return (keysym >= 'a' && keysym <= 'z') || (keysym >= 'A' && keysym <= 'Z');
}

// The row and place of a key code in the alphanumeric block.
const Row* RowOf(unsigned keycode) {
    for (const Row& row : kBlock)
        if (keycode >= row.first && keycode < row.first + row.plain.size()) return &row;
    return nullptr;
}

KeySym UsKeysym(const Row& row, unsigned keycode, bool shift) {
    return static_cast<unsigned char>((shift ? row.shifted : row.plain)[keycode - row.first]);
}

// The letter keys are the block's keys whose US symbol is a letter.
template <typename Visit>
void ForEachLetterKey(Visit visit) {
    for (const Row& row : kBlock)
        for (unsigned i = 0; i < row.plain.size(); ++i)
            if (IsLatinLetter(static_cast<unsigned char>(row.plain[i]))) visit(row.first + i);
}

std::optional<int> FirstLatinGroup(const KeyboardMap& map) {
    for (int group = 0; group < kGroups; ++group)
        if (IsLatinGroup(map, group).value_or(false)) return group;
    return std::nullopt;
}

// The key as a Latin group gives it: the second level with Shift where the
// key has one, and Caps Lock turning the case of a letter as it does there.
KeySym LatinGroupKeysym(const KeyboardMap& map, int group, const Press& press) {
    KeySym keysym = press.shift ? map(press.keycode, group, 1) : NoSymbol;
    if (keysym == NoSymbol) keysym = map(press.keycode, group, 0);
    if (!IsLatinLetter(keysym) || !press.capsLock) return keysym;
    const bool upper = press.shift != press.capsLock;
    return upper ? (keysym & ~KeySym{0x20}) : (keysym | 0x20);
}

// The character a Latin keysym types: the Latin-1 byte, and with Control a
// letter's control character, as a Latin layout types them.
unsigned char CharacterOf(KeySym keysym, bool control) {
    if (keysym < 0x20 || keysym > 0xFF || (keysym >= 0x7F && keysym < 0xA0)) return 0;
    if (control && IsLatinLetter(keysym)) return static_cast<unsigned char>(keysym & 0x1F);
    return static_cast<unsigned char>(keysym);
}

}  // namespace

std::optional<bool> IsLatinGroup(const KeyboardMap& map, int group) {
    int carried = 0, latin = 0;
    ForEachLetterKey([&](unsigned keycode) {
        const KeySym keysym = map(keycode, group, 0);
        if (keysym == NoSymbol) return;
        ++carried;
        if (IsLatinLetter(keysym)) ++latin;
    });
    if (carried == 0) return std::nullopt;
    return 2 * latin > carried;
}

std::optional<KeyTranslation> TranslateByPlace(const KeyboardMap& map, const Press& press) {
    const Row* row = RowOf(press.keycode);
    if (row == nullptr || IsLatinGroup(map, press.group).value_or(true)) return std::nullopt;
    KeySym keysym = NoSymbol;
    if (const std::optional<int> latin = FirstLatinGroup(map))
        keysym = LatinGroupKeysym(map, *latin, press);
    if (keysym == NoSymbol) {
        const bool upper =
            press.shift != (press.capsLock && IsLatinLetter(UsKeysym(*row, press.keycode, false)));
        keysym = UsKeysym(*row, press.keycode, upper);
    }
    return KeyTranslation{keysym, CharacterOf(keysym, press.control)};
}

// XkbKeycodeToKeysym answers NoSymbol for a group or level the key does not
// have, and when the server has no keyboard extension.
KeyboardMap ServerMap(Display* display) {
    return [display](unsigned keycode, int group, int level) {
        if (display == nullptr || keycode > 255) return KeySym{NoSymbol};
        return XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), group, level);
    };
}

Press PressOf(const XKeyEvent& event) {
    Press press;
    press.keycode = event.keycode;
    press.group = XkbGroupForCoreState(event.state);
    press.shift = (event.state & ShiftMask) != 0;
    press.capsLock = (event.state & LockMask) != 0;
    press.control = (event.state & ControlMask) != 0;
    return press;
}

}  // namespace LatinKeys

}  // namespace nebulark
