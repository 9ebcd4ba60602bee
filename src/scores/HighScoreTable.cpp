#include "scores/HighScoreTable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "util/FileUtils.h"
#include "util/ProcessUtils.h"
#include "util/StringUtils.h"
#include "util/TextFile.h"

namespace nebulark {

namespace {

constexpr const char* kTableFile = "Classifica.txt";
constexpr int kScoreWidth = 8;

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

// The mode a new file gets from the C library, or the old file's mode, so that
// replacing the table keeps its permissions.
mode_t modeFor(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool syncToDisk(const std::string& path) {
    const int handle = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) return false;
    const bool synced = fsync(handle) == 0;
    close(handle);
    return synced;
}

// Writes the lines to a new file beside `path` and renames it over `path`. A
// kill, a crash or a full disk in the middle leaves the old table whole; the
// rename makes the new one appear in a single step.
bool replaceFile(const std::string& path, const std::vector<std::string>& lines) {
    std::string temporary = path + ".XXXXXX";
    const int handle = mkstemp(temporary.data());
    if (handle < 0) return false;
    const bool prepared = fchmod(handle, modeFor(path)) == 0;
    close(handle);
    const bool saved = prepared && TextFile(temporary).writeLines(lines) && syncToDisk(temporary) &&
                       std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!saved) removeFile(temporary);
    return saved;
}

std::string scoreField(int score) {
    const std::string digits = padLeft(toText(score), '0', kScoreWidth);
    return digits.substr(digits.size() - kScoreWidth);
}

}  // namespace

std::vector<std::string> HighScoreTable::read() {
    error = false;
    const std::string path = folder();
    if (path.empty()) {
        error = true;
        return {};
    }
    const std::string file = path + kTableFile;
    if (!fileExists(file)) return {};
    TextFile text(file);
    std::vector<std::string> lines = text.readLines();
    // A table that exists but cannot be opened counts as unreadable too, so that
    // addEntry never replaces it with a table of one line.
    if (text.failed || !readWhole(file, lines)) error = true;
    return lines;
}

bool HighScoreTable::write(std::vector<std::string> lines) {
    error = false;
    std::sort(lines.begin(), lines.end(), std::greater<>());
    if (lines.size() > kMaxEntries) lines.resize(kMaxEntries);
    const std::string path = folder();
    if (path.empty()) {
        error = true;
        return false;
    }
    const bool saved = replaceFile(path + kTableFile, lines);
    return saved && !error;
}

bool HighScoreTable::addEntry(int score, const std::string& rest) {
    std::vector<std::string> lines = read();
    if (error) return false;
    lines.push_back(scoreField(score) + " " + rest);
    // A table that could not be saved is reported too, not only one that could
    // not be read: the caller must not take the result as stored.
    return write(lines);
}

std::string HighScoreTable::folder() const {
    std::string path = withTrailingSlash(FolderData()) + gameName;
    if (!ensureDirectory(path)) return "";
    path = withTrailingSlash(path) + "Score";
    if (!ensureDirectory(path)) return "";
    return withTrailingSlash(path);
}

}  // namespace nebulark
