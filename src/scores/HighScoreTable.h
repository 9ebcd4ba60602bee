#pragma once

#include <string>
#include <vector>

namespace nebulark {

// A game's ten best results, kept in "Data/<game>/Score/Classifica.txt" as one
// line per result, best first. Lines are opaque text sorted byte-wise; the game
// writes them as the score in 8 digits, a blank and the rest of the entry.
class HighScoreTable {
public:
    explicit HighScoreTable(std::string gameName) : gameName(std::move(gameName)) {}

    // The file's lines in file order; empty when there is no file.
    std::vector<std::string> read();
    // Sorts the lines best first, keeps ten and saves them. True when the table
    // was saved.
    bool write(std::vector<std::string> lines);
    // Adds a result; `rest` follows the score on its line. A table that could
    // be read only in part (a line of 256 bytes or more, a zero byte) is kept
    // beside it under a name of its own, logged, and made again from the lines
    // that could be read; it is kept aside once, not again at each game over
    // whose save fails. False, with the file left as it was, when the folder
    // could not be made, the table could not be read and not be kept aside, or
    // the save failed.
    bool addEntry(int score, const std::string& rest);
    // The line addEntry adds for the result, byte for byte.
    static std::string entryLine(int score, const std::string& rest);
    // The folder could not be made, or the file was no regular file or could
    // not be read whole.
    bool hasError() const { return error; }

    static constexpr size_t kMaxEntries = 10;

    std::string gameName;

private:
    std::string folder() const;
    // The table file in its folder; empty, with the error flag set, when the
    // folder could not be made.
    std::string tableFile();
    // The save step of write and addEntry, without the folder and the lock, so
    // that addEntry holds one lock across its read and its save.
    bool saveFile(const std::string& file, std::vector<std::string> lines, bool locked);

    bool error = false;
};

}  // namespace nebulark
