#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "replay/Recording.h"

namespace nebulark {

// The recordings kept beside a game's high-score table, in
// "Data/<game>/Score/Replays/": the last game's, always, and one for each line
// of the table that has one. The table itself is never touched.
//
// A line's recording is "line-<hash>-<k>.txt", where the hash is a PlayDigest
// of the line's text and k counts the identical lines above it in the table,
// so that two games with the same name, score and level keep a recording each
// however the table is sorted. The recording also holds the line's text,
// which a look-up checks, so that a file never answers for another line.
class ReplayStore {
public:
    explicit ReplayStore(std::string gameName) : gameName(std::move(gameName)) {}

    // Saves the recording as the last game's and, when its table line is among
    // `tableLines` (the table as it stands after the result was added) and not
    // every identical line there has its recording yet, as that line's; then
    // lets go the recordings of lines that left the table. False, with one line
    // in the log, when a file could not be written (a folder that cannot be
    // written, a full disk) or the recording is one the reader would refuse.
    bool save(const Recording& recording, const std::vector<std::string>& tableLines);
    // Removes the recordings of lines no longer in the table, and temporary
    // files that a save killed half-way left behind a minute or more ago.
    void prune(const std::vector<std::string>& tableLines);

    // The last game's recording; empty when there is none or it cannot be read.
    std::optional<Recording> last() const;
    // The recording of the table's line at `index`; empty when it has none, a
    // line from before recordings were kept, or it cannot be read.
    std::optional<Recording> forLine(const std::vector<std::string>& tableLines,
                                     size_t index) const;
    // The first line of the table, best first, that has a recording that can
    // be read, with the recording.
    std::optional<std::pair<size_t, Recording>> best(
        const std::vector<std::string>& tableLines) const;

    // "Data/<game>/Score/Replays/".
    std::string folder() const;

    static constexpr const char* kLastFile = "last.txt";

private:
    bool makeFolder() const;
    // The first file name among the line's that no recording holds yet; empty
    // when every identical line of the table has one.
    std::string freeSlot(const std::string& line, const std::vector<std::string>& tableLines) const;

    std::string gameName;
};

}  // namespace nebulark
