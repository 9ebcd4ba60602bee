#include "game/PlaySession.h"

#include <utility>

namespace nebulark {

using Kind = Recording::Kind;

void PlaySession::StartRecording(uint64_t seed, int64_t startSecond) {
    recording = Recording{};
    recording.seed = seed;
    recording.start = startSecond;
    mode = Mode::Recording;
    ticks = 0;
    digest = PlayDigest{};
}

void PlaySession::FinishRecording(int score, int level, int lives) {
    if (!IsRecording()) return;
    recording.end = Recording::End{ticks, score, level, lives, digest.value()};
    mode = Mode::Recorded;
}

std::optional<Recording> PlaySession::TakeRecorded() {
    if (mode != Mode::Recorded) return std::nullopt;
    mode = Mode::Idle;
    return std::move(recording);
}

void PlaySession::StartReplay(Recording played) {
    recording = std::move(played);
    mode = Mode::Replaying;
    ticks = 0;
    digest = PlayDigest{};
    next = 0;
    second = recording.start;
    joystick = {};
    held = false;
    firstDifference.reset();
}

bool PlaySession::FinishReplay(int score, int level, int lives) {
    const Recording::End reached{ticks, score, level, lives, digest.value()};
    if (recording.end != reached) NoteDifference(ticks);
    mode = Mode::Replayed;
    return !firstDifference.has_value();
}

bool PlaySession::PastRecordedEnd() const {
    return IsReplaying() && recording.end.has_value() && ticks >= recording.end->ticks;
}

void PlaySession::Stop() {
    mode = Mode::Idle;
    held = false;
}

void PlaySession::NoteKeyDown(uint32_t keysym) {
    if (IsRecording()) recording.addKeyDown(ticks, keysym);
}

void PlaySession::NoteKeyUp(uint32_t keysym) {
    if (IsRecording()) recording.addKeyUp(ticks, keysym);
}

void PlaySession::NoteTyped(char character) {
    if (IsRecording()) recording.addTyped(ticks, character);
}

// The snapshot is taken by the tick running, so a replay must have it before
// that tick: it is noted with the tick before, after whatever arrived then.
void PlaySession::NoteJoystick(const Recording::JoystickBytes& bytes) {
    if (IsRecording()) recording.addJoystick(ticks - 1, bytes);
}

void PlaySession::NoteAway() {
    if (IsRecording()) recording.addAway(ticks);
}

void PlaySession::NoteKeysLost() {
    if (IsRecording()) recording.addKeysLost(ticks);
}

void PlaySession::NoteSecond(int64_t value) {
    if (IsRecording()) recording.addSecond(ticks, value);
}

std::vector<Recording::Event> PlaySession::TakeDue() {
    std::vector<Recording::Event> due;
    if (!IsReplaying()) return due;
    const auto& events = recording.events;
    for (; next < events.size() && events[next].tick <= ticks; ++next) {
        const Recording::Event& event = events[next];
        switch (event.kind) {
            case Kind::Clock:
                second = event.value;
                break;
            case Kind::Joystick:
                joystick = event.joystick;
                break;
            // The digest has taken in every tick up to the checkpoint's, and
            // nothing of the tick about to run.
            case Kind::Check:
                if (static_cast<uint64_t>(event.value) != digest.value())
                    NoteDifference(event.tick);
                break;
            default:
                due.push_back(event);
        }
    }
    return due;
}

void PlaySession::EndTick() {
    if (IsRecording() && ticks % kCheckTicks == 0) recording.addCheck(ticks, digest.value());
}

void PlaySession::NoteDifference(int64_t tick) {
    if (!firstDifference) firstDifference = tick;
}

}  // namespace nebulark
