#include "util/ProcessUtils.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "util/ChildProcesses.h"
#include "util/FileUtils.h"
#include "util/PlayRandom.h"
#include "util/StringUtils.h"

namespace nebulark {

namespace {

constexpr const char* kBeepFile = "Data/beep.wav";
constexpr const char* kAudioPlayer = "aplay";

// Answers the folder's name, creating the folder when nothing of that name
// exists. A regular file of that name is left alone.
std::string folderOnDemand(const std::string& name) {
    if (!fileExists(name)) mkdir(name.c_str(), 0777);
    return name;
}

// The process's play stream, which RandomInt draws from.
struct PlayStream {
    PlayRandom random;
    bool seeded = false;
};

PlayStream& playStream() {
    static PlayStream stream;
    return stream;
}

}  // namespace

bool RunShell(const std::string& command) {
    return std::system(command.c_str()) != 0;
}

bool RunProgram(const std::string& program, const std::string& arguments) {
    // The arguments are handed to the shell as they stand; the shell splits them.
    return RunShell(program + " " + arguments);
}

void RunShellInChild(const std::string& command) {
    const auto run = [&command] { RunShell(command); };
    if (startChildProcess(run) < 0) run();
}

// Built by appending rather than with operator+, which GCC 12 at -O3 warns
// about falsely (-Wrestrict).
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    quoted += replaceAll(text, "'", "'\\''");
    quoted += '\'';
    return quoted;
}

void Beep() {
    if (fileExists(kBeepFile)) RunShellInChild(std::string(kAudioPlayer) + " " + kBeepFile);
}

int RandomInt(int low, int high) {
    PlayStream& stream = playStream();
    if (!stream.seeded) SeedPlayRandom(static_cast<uint64_t>(std::time(nullptr)));
    return stream.random.Int(low, high);
}

void SeedPlayRandom(uint64_t seed) {
    PlayStream& stream = playStream();
    stream.random.Seed(seed);
    stream.seeded = true;
}

uint64_t SeedPlayRandomFromTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const uint64_t seed =
        static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
    SeedPlayRandom(seed);
    return seed;
}

std::string EnsureTrailingSlash(std::string path) {
    if (path.empty()) return path;
    const char last = path.back();
    if (last != '/' && last != '\\') path += '/';
    return path;
}

std::string FolderDocuments() {
    return folderOnDemand("Documenti");
}

std::string FolderDesktop() {
    return folderOnDemand("Desktop");
}

std::string FolderDownload() {
    return folderOnDemand("Download");
}

std::string FolderData() {
    return folderOnDemand("Data");
}

std::string FolderMusic() {
    return folderOnDemand("Musica");
}

std::string FolderPictures() {
    return folderOnDemand("Immagini");
}

std::string FolderProgramData() {
    return folderOnDemand("ProgramData");
}

std::string SettingsPath(const std::string& first, const std::string& second,
                         const std::string& file) {
    std::string folder = folderOnDemand("Settings");
    folder = folderOnDemand(EnsureTrailingSlash(folder) + first);
    folder = folderOnDemand(EnsureTrailingSlash(folder) + second);
    return EnsureTrailingSlash(folder) + file;
}

std::string SystemDrive() {
    return "c:";
}

std::string SystemVolume() {
    return "SYS:";
}

}  // namespace nebulark
