#include "replay/Recording.h"

namespace nebulark {

void Recording::addKeyDown(int64_t tick, uint32_t keysym) {
    const Event release{tick, Kind::KeyUp, keysym, {}};
    if (!events.empty() && events.back() == release) {
        events.pop_back();
        lastKey = keyBefore;
        keyBefore.reset();
    }
    if (lastKey == KeyMark{Kind::KeyDown, keysym}) return;
    addKeyEvent(tick, Kind::KeyDown, keysym);
}

void Recording::addKeyUp(int64_t tick, uint32_t keysym) {
    addKeyEvent(tick, Kind::KeyUp, keysym);
}

void Recording::addTyped(int64_t tick, char character) {
    add(tick, Kind::Typed, static_cast<unsigned char>(character));
}

void Recording::addJoystick(int64_t tick, const JoystickBytes& bytes) {
    if (bytes == lastJoystick) return;
    lastJoystick = bytes;
    events.push_back(Event{tick, Kind::Joystick, 0, bytes});
}

void Recording::addSecond(int64_t tick, int64_t second) {
    if (second == lastSecond.value_or(start)) return;
    lastSecond = second;
    add(tick, Kind::Clock, second);
}

void Recording::addAway(int64_t tick) {
    add(tick, Kind::Away, 0);
}

void Recording::addKeysLost(int64_t tick) {
    addKeyEvent(tick, Kind::KeysLost, 0);
}

void Recording::addCheck(int64_t tick, uint64_t digest) {
    add(tick, Kind::Check, static_cast<int64_t>(digest));
}

bool Recording::operator==(const Recording& other) const {
    return seed == other.seed && start == other.start && name == other.name &&
           tableLine == other.tableLine && events == other.events && end == other.end;
}

void Recording::add(int64_t tick, Kind kind, int64_t value) {
    events.push_back(Event{tick, kind, value, {}});
}

void Recording::addKeyEvent(int64_t tick, Kind kind, int64_t value) {
    add(tick, kind, value);
    keyBefore = lastKey;
    lastKey = KeyMark{kind, value};
}

}  // namespace nebulark
