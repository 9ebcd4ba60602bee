#include "scores/HighScoreTable.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

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
constexpr int kMostSetAsideCopies = 1000;

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

// Holds an exclusive lock on "<table>.lock" for its life, so that two games
// saving at the same moment take turns over the read, the change and the
// rename, and neither loses the other's entry. A process that holds the lock
// for longer than kLockWait (stopped, or stuck on a slow disk) must not freeze
// the game: the save then goes on without the lock, which the rename still
// keeps whole. Without a lock file (a folder that cannot be written) the save
// goes on too and reports its own failure.
class TableLock {
public:
    explicit TableLock(const std::string& table) {
        if (!table.empty())
            handle = open((table + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (handle >= 0) held = take();
    }
    ~TableLock() {
        if (handle >= 0) close(handle);
    }
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

    bool isHeld() const { return held; }

private:
    static constexpr auto kLockWait = std::chrono::seconds(3);
    static constexpr auto kLockRetry = std::chrono::milliseconds(10);

    bool take() const {
        const auto deadline = std::chrono::steady_clock::now() + kLockWait;
        while (flock(handle, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) return false;
            if (std::chrono::steady_clock::now() >= deadline) {
                LogMessage("Classifica bloccata da un altro processo: salvataggio senza lock");
                return false;
            }
            std::this_thread::sleep_for(kLockRetry);
        }
        return true;
    }

    int handle = -1;
    bool held = false;
};

// A table that could not be read whole is kept under a name of its own beside
// the table, "Classifica.txt.unreadable-N" with the first N not taken, before
// the lines that could be read are saved in its place. The hard link never
// replaces an earlier copy and needs no copying; the rename of the save then
// leaves the old bytes under the new name only. False when no copy could be
// made, and the table must then be left alone.
bool setAside(const std::string& table) {
    for (int number = 1; number <= kMostSetAsideCopies; ++number) {
        const std::string copy = table + ".unreadable-" + std::to_string(number);
        if (link(table.c_str(), copy.c_str()) == 0) {
            LogMessage("Classifica illeggibile, conservata in " + copy);
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
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
    return readFile(file);
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
    std::vector<std::string> lines = readFile(file);
    // A table read only in part is set aside whole once; the lines that could
    // be read then make the table again, so that later games can save.
    if (error && !(readInPart && setAside(followLinks(file)))) return false;
    error = false;
    lines.push_back(scoreField(score) + " " + rest);
    // A table that could not be saved is reported too, not only one that could
    // not be read: the caller must not take the result as stored.
    return saveFile(file, std::move(lines), lock.isHeld());
}

std::vector<std::string> HighScoreTable::readFile(const std::string& file) {
    readInPart = false;
    // A FIFO would keep the read waiting for a writer that never comes.
    if (refuseIrregularFile(file)) {
        error = true;
        return {};
    }
    if (!fileExists(file)) return {};
    TextFile text(file);
    std::vector<std::string> lines = text.readLines();
    // A table that exists but cannot be opened counts as unreadable too, so that
    // addEntry never replaces it with a table of one line.
    if (text.failed || !readWhole(file, lines)) error = true;
    readInPart = error && !text.openFailed;
    return lines;
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
