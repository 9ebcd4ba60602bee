#include "replay/RecordingReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <vector>

#include "replay/RecordingSyntax.h"
#include "util/Log.h"

namespace nebulark {

namespace {

using Fields = std::vector<std::string_view>;
using Kind = Recording::Kind;

constexpr const char* kUnreadable = "Registrazione della partita illeggibile: ";
constexpr size_t kJoystickDigits = 2 * std::tuple_size_v<Recording::JoystickBytes>;
constexpr size_t kDigestDigits = 16;

// The text's lines without their "\n"; empty when the last line has none,
// as in a file cut short.
std::optional<std::vector<std::string_view>> linesOf(std::string_view text) {
    if (text.empty() || text.back() != '\n') return std::nullopt;
    std::vector<std::string_view> lines;
    for (size_t from = 0; from < text.size();) {
        const size_t to = text.find('\n', from);
        lines.push_back(text.substr(from, to - from));
        from = to + 1;
    }
    return lines;
}

// Split at every blank, so that a doubled, leading or trailing blank makes an
// empty field, which no number accepts.
Fields fieldsOf(std::string_view line) {
    Fields fields;
    for (size_t from = 0;;) {
        const size_t to = line.find(' ', from);
        fields.push_back(line.substr(from, to == std::string_view::npos ? to : to - from));
        if (to == std::string_view::npos) return fields;
        from = to + 1;
    }
}

bool allOf(std::string_view digits, std::string_view allowed) {
    return !digits.empty() && digits.find_first_not_of(allowed) == std::string_view::npos;
}

// A number as the writer writes it, in the base given, with no sign and no
// leading zero, at most `most`.
std::optional<uint64_t> number(std::string_view digits, uint64_t most, int base = 10) {
    const std::string_view allowed = base == 10 ? "0123456789" : "0123456789abcdef";
    if (!allOf(digits, allowed) || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    uint64_t value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (result.ec != std::errc() || value > most) return std::nullopt;
    return value;
}

std::optional<int64_t> count(std::string_view digits, int64_t most) {
    const auto value = number(digits, static_cast<uint64_t>(most));
    if (!value) return std::nullopt;
    return static_cast<int64_t>(*value);
}

// Exactly `width` lower-case hexadecimal digits, leading zeros included.
std::optional<uint64_t> fixedHex(std::string_view digits, size_t width) {
    if (digits.size() != width || !allOf(digits, "0123456789abcdef")) return std::nullopt;
    uint64_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    return value;
}

std::optional<Recording::JoystickBytes> joystickBytes(std::string_view digits) {
    if (!fixedHex(digits, kJoystickDigits)) return std::nullopt;
    Recording::JoystickBytes bytes{};
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(*fixedHex(digits.substr(2 * i, 2), 2));
    return bytes;
}

// What follows "<word> " at the start of the line.
std::optional<std::string_view> after(std::string_view line, std::string_view word) {
    if (line.size() <= word.size() || line.substr(0, word.size()) != word ||
        line[word.size()] != ' ')
        return std::nullopt;
    return line.substr(word.size() + 1);
}

// Reads a recording line by line, keeping the last tick so that ticks never
// go backwards.
class LineReader {
public:
    bool header(const std::vector<std::string_view>& lines, size_t& next);
    bool event(std::string_view line);
    bool end(std::string_view line);

    Recording recording;

private:
    std::optional<int64_t> tick(std::string_view digits);
    bool argument(Recording::Event& event, const Fields& fields) const;

    int64_t lastTick = 0;
};

bool LineReader::header(const std::vector<std::string_view>& lines, size_t& next) {
    if (lines.size() < 5 || lines[0] != RecordingSyntax::kFirstLine) return false;
    const auto seed = after(lines[1], "seed");
    const auto start = after(lines[2], "start");
    const auto name = after(lines[3], "name");
    const auto seedValue = seed ? number(*seed, UINT64_MAX) : std::nullopt;
    const auto startValue = start ? count(*start, RecordingSyntax::kMostSecond) : std::nullopt;
    const auto nameText = name ? RecordingSyntax::unescaped(*name) : std::nullopt;
    if (!seedValue || !startValue || !nameText) return false;
    recording.seed = *seedValue;
    recording.start = *startValue;
    recording.name = *nameText;
    next = 4;
    if (const auto line = after(lines[4], "line")) {
        const auto lineText = RecordingSyntax::unescaped(*line);
        if (!lineText || lineText->empty()) return false;
        recording.tableLine = *lineText;
        next = 5;
    }
    return true;
}

std::optional<int64_t> LineReader::tick(std::string_view digits) {
    const auto value = count(digits, RecordingSyntax::kMostTicks);
    if (!value || *value < lastTick) return std::nullopt;
    lastTick = *value;
    return value;
}

bool LineReader::event(std::string_view line) {
    const Fields fields = fieldsOf(line);
    if (fields.size() < 2 || fields[1].size() != 1) return false;
    const auto at = tick(fields[0]);
    if (!at) return false;
    Recording::Event event{*at, static_cast<Kind>(fields[1][0]), 0, {}};
    if (!argument(event, fields)) return false;
    recording.events.push_back(event);
    return true;
}

// The kind's argument, checked against its bounds; a kind the format does not
// know has none that could be right.
bool LineReader::argument(Recording::Event& event, const Fields& fields) const {
    const bool takesNone = event.kind == Kind::Away || event.kind == Kind::KeysLost;
    if (fields.size() != (takesNone ? 2u : 3u)) return false;
    if (takesNone) return true;
    std::optional<uint64_t> value;
    switch (event.kind) {
        case Kind::KeyDown:
        case Kind::KeyUp:
            value = number(fields[2], RecordingSyntax::kMostKeysym, 16);
            break;
        case Kind::Typed:
            value = number(fields[2], 127);
            if (value == 0u) value.reset();
            break;
        case Kind::Clock:
            value = number(fields[2], RecordingSyntax::kMostSecond);
            break;
        case Kind::Check:
            value = fixedHex(fields[2], kDigestDigits);
            break;
        case Kind::Joystick: {
            const auto bytes = joystickBytes(fields[2]);
            if (bytes) event.joystick = *bytes;
            return bytes.has_value();
        }
        default:
            return false;
    }
    if (value) event.value = static_cast<int64_t>(*value);
    return value.has_value();
}

bool LineReader::end(std::string_view line) {
    const Fields fields = fieldsOf(line);
    if (fields.size() != 6 || fields[0] != "end") return false;
    const auto ticks = tick(fields[1]);
    const auto score = count(fields[2], RecordingSyntax::kMostScore);
    const auto level = count(fields[3], RecordingSyntax::kMostLevel);
    const auto lives = count(fields[4], RecordingSyntax::kMostLives);
    const auto digest = fixedHex(fields[5], kDigestDigits);
    if (!ticks || !score || !level || *level < 1 || !lives || !digest) return false;
    recording.end = Recording::End{*ticks, static_cast<int>(*score), static_cast<int>(*level),
                                   static_cast<int>(*lives), *digest};
    return true;
}

// The whole file, when it is a regular file no longer than the bound. It is
// opened without waiting, so that a FIFO put in its place cannot hold the game.
std::optional<std::string> fileText(const std::string& path) {
    const int handle = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (handle < 0) return std::nullopt;
    struct stat info {};
    std::optional<std::string> text;
    if (fstat(handle, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<uint64_t>(info.st_size) <= RecordingSyntax::kMostBytes) {
        text.emplace();
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(handle, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            // A file that grew past the bound while it was read is refused too.
            if (got < 0 || text->size() + static_cast<size_t>(got) > RecordingSyntax::kMostBytes) {
                text.reset();
                break;
            }
            if (got == 0) break;
            text->append(buffer, static_cast<size_t>(got));
        }
    }
    close(handle);
    return text;
}

}  // namespace

std::optional<Recording> RecordingReader::parse(std::string_view text) {
    if (text.size() > RecordingSyntax::kMostBytes) return std::nullopt;
    const auto lines = linesOf(text);
    if (!lines) return std::nullopt;
    LineReader reader;
    size_t next = 0;
    if (!reader.header(*lines, next)) return std::nullopt;
    // The end line is the last line, and only the last.
    for (; next + 1 < lines->size(); ++next)
        if (!reader.event((*lines)[next])) return std::nullopt;
    if (next >= lines->size() || !reader.end((*lines)[next])) return std::nullopt;
    return std::move(reader.recording);
}

std::optional<Recording> RecordingReader::read(const std::string& path) {
    const auto text = fileText(path);
    auto recording = text ? parse(*text) : std::nullopt;
    if (!recording) LogMessage(kUnreadable + path);
    return recording;
}

}  // namespace nebulark
