#pragma once

#include <string>

#include "replay/Recording.h"

namespace nebulark {

// A recording as the text of its file (see RecordingSyntax), every line
// ended with "\n". A recording without its end record gets no end line, and
// RecordingReader refuses it.
class RecordingWriter {
public:
    static std::string text(const Recording& recording);
};

}  // namespace nebulark
