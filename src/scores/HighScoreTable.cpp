#include "scores/HighScoreTable.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstddef>
#include <fstream>
#include <functional>
#include <sstream>

#include "scores/TableLock.h"
#include "util/FileReplace.h"
#include "util/FileUtils.h"
#include "util/Log.h"
#include "util/ProcessUtils.h"
#include "util/StringUtils.h"
#include "util/TextFile.h"

namespace nebulark {

namespace {

constexpr const char* kTableFile = "Classifica.txt";
constexpr int kScoreWidth = 8;
constexpr const char* kSetAsideSuffix = ".unreadable-";
constexpr int kMostSetAsideCopies = 1000;

// How much of the table file a read gave back. A missing file is a whole,
// empty table.
enum class ReadStatus { Whole, InPart, Unreadable };

struct TableRead {
    std::vector<std::string> lines;
    ReadStatus status = ReadStatus::Whole;
};

std::string wholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// True when the lines give back the file byte for byte. The line reader cuts a
// line at a zero byte and stops at a line of 256 bytes or more; a table read
// like that must not be saved again, or the rest of it would be lost.
bool readWhole(const std::string& path, const std::vector<std::string>& lines) {
    const std::string content = wholeFile(path);
    std::string rebuilt;
    for (const std::string& line : lines)
        rebuilt += line + '\n';
    if (!content.empty() && content.back() != '\n' && !rebuilt.empty()) rebuilt.pop_back();
    return rebuilt == content;
}

// A table that could not be read whole is kept under a name of its own beside
// the table, "Classifica.txt.unreadable-N" with the first N not taken, before
// the lines that could be read are saved in its place. The hard link never
// replaces an earlier copy and needs no copying; the rename of the save then
// leaves the old bytes under the new name only. False when no copy could be
// made, and the table must then be left alone.
bool setAside(const std::string& table) {
    for (int number = 1; number <= kMostSetAsideCopies; ++number) {
        const std::string copy = table + kSetAsideSuffix + std::to_string(number);
        if (link(table.c_str(), copy.c_str()) == 0) {
            LogMessage("Classifica illeggibile, conservata in " + copy);
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

// True when `name` is one that setAside gives a copy: the table's name with
// kSetAsideSuffix (`stem`), then a number.
bool isCopyName(const std::string& name, const std::string& stem) {
    if (name.size() <= stem.size() || name.compare(0, stem.size(), stem) != 0) return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(stem.size()), name.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// True when a copy of the table is already kept beside it: one that is the
// table's own file, as the hard link of setAside leaves it while the saves
// after it keep failing (a full disk), or one that holds the same bytes. Told
// from the files themselves, this holds across games and restarts, so the same
// damaged table is set aside once, however many game overs find it.
bool keptAside(const std::string& table) {
    struct stat tableInfo {};
    if (stat(table.c_str(), &tableInfo) != 0) return false;
    const std::string folder = table.substr(0, table.rfind('/') + 1);
    const std::string stem = table.substr(folder.size()) + kSetAsideSuffix;
    std::string content;
    for (const std::string& name : listFiles(folder.empty() ? "." : folder)) {
        // A symbolic link named like a copy keeps nothing once the table is
        // replaced, so only a regular file counts.
        const std::string copy = folder + name;
        struct stat info {};
        if (!isCopyName(name, stem) || lstat(copy.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        if (info.st_dev == tableInfo.st_dev && info.st_ino == tableInfo.st_ino) return true;
        if (info.st_size != tableInfo.st_size) continue;
        if (content.empty()) content = wholeFile(table);
        if (!content.empty() && wholeFile(copy) == content) return true;
    }
    return false;
}

// Reads the table file's lines and tells whether they are the whole file. A
// FIFO is refused unread, since it would keep the read waiting for a writer
// that never comes; a file that exists but cannot be opened is unreadable, so
// that addEntry never replaces it with a table of one line.
TableRead readTable(const std::string& file) {
    if (refuseIrregularFile(file)) return {{}, ReadStatus::Unreadable};
    if (!fileExists(file)) return {};
    TextFile text(file);
    TableRead table{text.readLines(), ReadStatus::Whole};
    if (text.openFailed)
        table.status = ReadStatus::Unreadable;
    else if (text.failed || !readWhole(file, table.lines))
        table.status = ReadStatus::InPart;
    return table;
}

// Removes the temporary files that interrupted saves left beside the table.
// Only called under the table's lock, when no other save can be using one.
void removeLeftovers(const std::string& table) {
    const std::string folder = table.substr(0, table.rfind('/') + 1);
    const std::string name = table.substr(folder.size());
    for (const std::string& file : listFiles(folder.empty() ? "." : folder))
        if (isTemporaryFileOf(file, name)) removeFile(folder + file);
}

std::string scoreField(int score) {
    const std::string digits = padLeft(toText(score), '0', kScoreWidth);
    return digits.substr(digits.size() - kScoreWidth);
}

}  // namespace

std::vector<std::string> HighScoreTable::read() {
    error = false;
    const std::string file = tableFile();
    if (file.empty()) return {};
    TableRead table = readTable(file);
    error = table.status != ReadStatus::Whole;
    return std::move(table.lines);
}

bool HighScoreTable::write(std::vector<std::string> lines) {
    error = false;
    const std::string file = tableFile();
    if (file.empty()) return false;
    TableLock lock(followLinks(file));
    return saveFile(file, std::move(lines), lock.isHeld());
}

bool HighScoreTable::addEntry(int score, const std::string& rest) {
    error = false;
    const std::string file = tableFile();
    if (file.empty()) return false;
    TableLock lock(followLinks(file));
    TableRead table = readTable(file);
    // A table read only in part is set aside whole, once; the lines that could
    // be read then make the table again, so that later games can save.
    const std::string target = followLinks(file);
    const bool savable =
        table.status == ReadStatus::Whole ||
        (table.status == ReadStatus::InPart && (keptAside(target) || setAside(target)));
    if (!savable) {
        error = true;
        return false;
    }
    table.lines.push_back(entryLine(score, rest));
    // A table that could not be saved is reported too, not only one that could
    // not be read: the caller must not take the result as stored.
    return saveFile(file, std::move(table.lines), lock.isHeld());
}

std::string HighScoreTable::entryLine(int score, const std::string& rest) {
    return scoreField(score) + " " + rest;
}

bool HighScoreTable::saveFile(const std::string& file, std::vector<std::string> lines,
                              bool locked) {
    std::sort(lines.begin(), lines.end(), std::greater<>());
    if (lines.size() > kMaxEntries) lines.resize(kMaxEntries);
    if (refuseIrregularFile(file)) {
        error = true;
        return false;
    }
    // A table reached through a symbolic link is saved in the link's target,
    // and the link is kept. Without the lock a leftover may be the temporary
    // file of a save still under way, so none is removed.
    const std::string target = followLinks(file);
    if (!target.empty() && locked) removeLeftovers(target);
    const bool saved = replaceFileLines(file, lines);
    return saved && !error;
}

std::string HighScoreTable::tableFile() {
    const std::string path = folder();
    if (path.empty()) error = true;
    return path.empty() ? "" : path + kTableFile;
}

std::string HighScoreTable::folder() const {
    std::string path = withTrailingSlash(FolderData()) + gameName;
    if (!ensureDirectory(path)) return "";
    path = withTrailingSlash(path) + "Score";
    if (!ensureDirectory(path)) return "";
    return withTrailingSlash(path);
}

}  // namespace nebulark
