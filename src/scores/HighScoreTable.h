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
    // that could be read. False, with the file left as it was, when the folder
    // could not be made, or the table could not be read and not be kept aside.
    bool addEntry(int score, const std::string& rest);
    bool hasError() const { return error; }

    static constexpr size_t kMaxEntries = 10;

    std::string gameName;
    // The folder could not be made or the file could not be read.
    bool error = false;

private:
    std::string folder() const;
    // The table file in its folder; empty, with the error flag set, when the
    // folder could not be made.
    std::string tableFile();
    // The steps of read and write on the table file, without the folder and
    // the lock, so that addEntry holds one lock across both.
    std::vector<std::string> readFile(const std::string& file);
    bool saveFile(const std::string& file, std::vector<std::string> lines, bool locked);

    // The last readFile opened the table but gave back only part of it.
    bool readInPart = false;
};

}  // namespace nebulark
