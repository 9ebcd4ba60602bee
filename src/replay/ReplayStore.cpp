#include "replay/ReplayStore.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <set>

#include "replay/PlayDigest.h"
#include "replay/RecordingReader.h"
#include "replay/RecordingWriter.h"
#include "util/FileReplace.h"
#include "util/FileUtils.h"
#include "util/Log.h"
#include "util/ProcessUtils.h"

namespace nebulark {

namespace {

constexpr const char* kNotSaved = "Registrazione della partita non salvata in ";
constexpr const char* kInvalid = "Registrazione della partita non valida, non salvata in ";
constexpr const char* kSlotPrefix = "line-";
constexpr const char* kSlotSuffix = ".txt";
constexpr size_t kHashDigits = 16;
constexpr const char* kTemporaryMark = ".saving-";
// A temporary file this old belongs to no save still under way.
constexpr time_t kLeftoverAge = 60;

std::string slotName(const std::string& line, size_t identicalAbove) {
    PlayDigest digest;
    digest.addText(line);
    char hash[kHashDigits + 1];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(digest.value()));
    return kSlotPrefix + std::string(hash) + "-" + std::to_string(identicalAbove) + kSlotSuffix;
}

// The name of every line's recording that the table keeps.
std::set<std::string> keptSlots(const std::vector<std::string>& tableLines) {
    std::set<std::string> kept;
    for (size_t i = 0; i < tableLines.size(); ++i) {
        const auto above = std::count(tableLines.begin(), tableLines.begin() + i, tableLines[i]);
        kept.insert(slotName(tableLines[i], static_cast<size_t>(above)));
    }
    return kept;
}

bool isHex(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

bool isDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// A name slotName gives; other files in the folder are left alone.
bool isSlotName(const std::string& name) {
    const std::string prefix = kSlotPrefix;
    const std::string suffix = kSlotSuffix;
    const size_t fixed = prefix.size() + kHashDigits + 1 + suffix.size();
    if (name.size() <= fixed || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0 ||
        name[prefix.size() + kHashDigits] != '-')
        return false;
    return isHex(name.substr(prefix.size(), kHashDigits)) &&
           isDigits(name.substr(fixed - suffix.size(), name.size() - fixed));
}

// A temporary file of a save of this store that was killed, old enough that no
// save still under way can be writing it.
bool isOldLeftover(const std::string& folder, const std::string& name) {
    const size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string::npos) return false;
    const std::string stem = name.substr(0, mark);
    if ((stem != ReplayStore::kLastFile && !isSlotName(stem)) || !isTemporaryFileOf(name, stem))
        return false;
    struct stat info {};
    return stat((folder + name).c_str(), &info) == 0 &&
           info.st_mtime + kLeftoverAge <= std::time(nullptr);
}

// The text ends with the end line's "\n", which replaceFileLines puts back:
// the whole file goes in one write.
bool writeText(const std::string& path, const std::string& text) {
    return replaceFileLines(path, {text.substr(0, text.size() - 1)});
}

}  // namespace

bool ReplayStore::save(const Recording& recording, const std::vector<std::string>& tableLines) {
    const std::string text = RecordingWriter::text(recording);
    if (!RecordingReader::parse(text)) {
        LogMessage(kInvalid + folder());
        return false;
    }
    if (!makeFolder()) {
        LogMessage(kNotSaved + folder());
        return false;
    }
    // Pruned first, so that a recording of a line that left the table is not
    // taken for one of the new line's identical twins.
    prune(tableLines);
    bool saved = writeText(folder() + kLastFile, text);
    const std::string slot = freeSlot(recording.tableLine, tableLines);
    if (!slot.empty()) saved = writeText(folder() + slot, text) && saved;
    if (!saved) LogMessage(kNotSaved + folder());
    return saved;
}

void ReplayStore::prune(const std::vector<std::string>& tableLines) {
    const std::string path = folder();
    if (!fileExists(path)) return;
    const std::set<std::string> kept = keptSlots(tableLines);
    for (const std::string& name : listFiles(path))
        if ((isSlotName(name) && kept.count(name) == 0) || isOldLeftover(path, name))
            removeFile(path + name);
}

std::optional<Recording> ReplayStore::last() const {
    const std::string path = folder() + kLastFile;
    if (!fileExists(path)) return std::nullopt;
    return RecordingReader::read(path);
}

std::optional<Recording> ReplayStore::forLine(const std::vector<std::string>& tableLines,
                                              size_t index) const {
    if (index >= tableLines.size()) return std::nullopt;
    const std::string& line = tableLines[index];
    const auto above = std::count(tableLines.begin(), tableLines.begin() + index, line);
    const std::string path = folder() + slotName(line, static_cast<size_t>(above));
    if (!fileExists(path)) return std::nullopt;
    auto recording = RecordingReader::read(path);
    if (recording && recording->tableLine != line) return std::nullopt;
    return recording;
}

std::optional<std::pair<size_t, Recording>> ReplayStore::best(
    const std::vector<std::string>& tableLines) const {
    for (size_t i = 0; i < tableLines.size(); ++i)
        if (auto recording = forLine(tableLines, i))
            return std::make_pair(i, std::move(*recording));
    return std::nullopt;
}

// The folder FolderData names, without making it: a look-up makes nothing.
std::string ReplayStore::folder() const {
    return withTrailingSlash(withTrailingSlash(withTrailingSlash("Data") + gameName) + "Score") +
           "Replays/";
}

bool ReplayStore::makeFolder() const {
    const std::string data = FolderData();
    const std::string game = withTrailingSlash(data) + gameName;
    const std::string score = withTrailingSlash(game) + "Score";
    return ensureDirectory(game) && ensureDirectory(score) && ensureDirectory(folder());
}

std::string ReplayStore::freeSlot(const std::string& line,
                                  const std::vector<std::string>& tableLines) const {
    if (line.empty()) return "";
    const auto identical = std::count(tableLines.begin(), tableLines.end(), line);
    for (size_t k = 0; k < static_cast<size_t>(identical); ++k) {
        const std::string name = slotName(line, k);
        if (!fileExists(folder() + name)) return name;
    }
    return "";
}

}  // namespace nebulark
