#include "replay/RecordingWriter.h"

#include <charconv>

#include "replay/RecordingSyntax.h"

namespace nebulark {

namespace {

// Lower-case hexadecimal, without leading zeros unless `width` asks for them.
std::string hex(uint64_t value, size_t width = 0) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
    std::string text(digits, result.ptr);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::string joystickHex(const Recording::JoystickBytes& bytes) {
    std::string text;
    for (const uint8_t byte : bytes)
        text += hex(byte, 2);
    return text;
}

// What follows the tick and the kind's letter on an event's line, without
// the blank before it; empty for the kinds that take no value.
std::string valueOf(const Recording::Event& event) {
    switch (event.kind) {
        case Recording::Kind::KeyDown:
        case Recording::Kind::KeyUp:
            return hex(static_cast<uint64_t>(event.value));
        case Recording::Kind::Typed:
        case Recording::Kind::Clock:
            return std::to_string(event.value);
        case Recording::Kind::Joystick:
            return joystickHex(event.joystick);
        case Recording::Kind::Check:
            return hex(static_cast<uint64_t>(event.value), 16);
        case Recording::Kind::Away:
        case Recording::Kind::KeysLost:
            break;
    }
    return "";
}

// Built by appending, which GCC 12 does not mistake for an overlapping copy
// as it does a chain of string additions.
std::string eventLine(const Recording::Event& event) {
    std::string line = std::to_string(event.tick);
    line += ' ';
    line += static_cast<char>(event.kind);
    const std::string value = valueOf(event);
    if (!value.empty()) {
        line += ' ';
        line += value;
    }
    return line;
}

void appendLine(std::string& text, const std::string& line) {
    text += line;
    text += '\n';
}

}  // namespace

std::string RecordingWriter::text(const Recording& recording) {
    std::string text;
    text.reserve(64 + recording.events.size() * 14);
    appendLine(text, std::string(RecordingSyntax::kFirstLine));
    appendLine(text, "seed " + std::to_string(recording.seed));
    appendLine(text, "start " + std::to_string(recording.start));
    appendLine(text, "name " + RecordingSyntax::escaped(recording.name));
    if (!recording.tableLine.empty())
        appendLine(text, "line " + RecordingSyntax::escaped(recording.tableLine));
    for (const Recording::Event& event : recording.events)
        appendLine(text, eventLine(event));
    if (const auto& end = recording.end)
        appendLine(text, "end " + std::to_string(end->ticks) + " " + std::to_string(end->score) +
                             " " + std::to_string(end->level) + " " + std::to_string(end->lives) +
                             " " + hex(end->digest, 16));
    return text;
}

}  // namespace nebulark
