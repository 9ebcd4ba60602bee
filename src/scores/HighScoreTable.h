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
    // Adds a result; `rest` follows the score on its line. False, with the file
    // left as it was, when the folder could not be made or the file could not
    // be read whole.
    bool addEntry(int score, const std::string& rest);
    bool hasError() const { return error; }

    static constexpr size_t kMaxEntries = 10;

    std::string gameName;
    // The folder could not be made or the file could not be read.
    bool error = false;

private:
    std::string folder() const;
};

}  // namespace nebulark
