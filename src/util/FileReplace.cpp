#include "util/FileReplace.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "util/FileUtils.h"
#include "util/Log.h"
#include "util/TextFile.h"

namespace nebulark {

namespace {

// What a temporary file adds to the name of the file it will replace, before
// the six characters mkstemp makes unique.
constexpr const char* kTemporarySuffix = ".saving-";

// As many links as the system itself follows before it gives up.
constexpr int kMostLinks = 40;

// The mode a new file gets from the C library, or the old file's mode, so that
// replacing a file keeps its permissions.
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

// Holds back the signals that ask a process to stop for its life, so that a
// save, once begun, is finished before such a signal ends the process; only a
// kill or a crash can then leave a temporary file behind.
class StopSignalsHeld {
public:
    StopSignalsHeld() {
        sigset_t stops;
        sigemptyset(&stops);
        for (int signal : {SIGTERM, SIGINT, SIGHUP})
            sigaddset(&stops, signal);
        sigprocmask(SIG_BLOCK, &stops, &before);
    }
    ~StopSignalsHeld() { sigprocmask(SIG_SETMASK, &before, nullptr); }
    StopSignalsHeld(const StopSignalsHeld&) = delete;
    StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

private:
    sigset_t before;
};

}  // namespace

std::string followLinks(const std::string& path) {
    std::string current = path;
    for (int step = 0; step < kMostLinks; ++step) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        char target[PATH_MAX];
        const ssize_t length = readlink(current.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<size_t>(length) >= sizeof target) return "";
        const std::string next(target, static_cast<size_t>(length));
        current = next.front() == '/' ? next : current.substr(0, current.rfind('/') + 1) + next;
    }
    return "";
}

bool replaceFileLines(const std::string& path, const std::vector<std::string>& lines) {
    const std::string target = followLinks(path);
    if (target.empty()) return false;
    const StopSignalsHeld held;
    std::string temporary = target + kTemporarySuffix + "XXXXXX";
    const int handle = mkstemp(temporary.data());
    if (handle < 0) return false;
    const bool prepared = fchmod(handle, modeFor(target)) == 0;
    close(handle);
    const bool saved = prepared && TextFile(temporary).writeLines(lines) && syncToDisk(temporary) &&
                       std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!saved) removeFile(temporary);
    return saved;
}

bool isTemporaryFileOf(const std::string& name, const std::string& file) {
    const std::string stem = file + kTemporarySuffix;
    if (name.size() != stem.size() + 6 || name.compare(0, stem.size(), stem) != 0) return false;
    return std::all_of(name.end() - 6, name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

bool refuseIrregularFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return false;
    LogMessage(path + ": non è un file regolare");
    return true;
}

}  // namespace nebulark
