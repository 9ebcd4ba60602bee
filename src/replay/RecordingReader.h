#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "replay/Recording.h"

namespace nebulark {

// Reads recordings back, strictly: a file that is not exactly what
// RecordingWriter writes (see RecordingSyntax for its lines and bounds) gives
// no recording at all, so that a replay never plays a game other than the one
// recorded.
class RecordingReader {
public:
    // The recording the text holds; empty when the text is cut short (no
    // final "\n"), names another format or version, has a line that does not
    // parse, a number out of its bounds, ticks going backwards, no end line
    // or lines after it, or is longer than RecordingSyntax::kMostBytes.
    static std::optional<Recording> parse(std::string_view text);
    // The recording in the file; empty, with the line "Registrazione della
    // partita illeggibile: <path>" in the log, when the file is missing, is
    // no regular file (a FIFO is never waited on), is longer than the bound
    // or does not parse.
    static std::optional<Recording> read(const std::string& path);
};

}  // namespace nebulark
