#include "util/FileUtils.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "util/BinaryFile.h"
#include "util/Log.h"
#include "util/StringUtils.h"

namespace nebulark {

bool fileExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

bool removeFile(const std::string& path) {
    return std::remove(path.c_str()) == 0;
}

// Another process may make the folder between the check and mkdir; a folder
// made by then is there all the same.
bool ensureDirectory(const std::string& path) {
    if (fileExists(path)) return true;
    return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

int fileSize(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return 0;
    return static_cast<int>(info.st_size);
}

std::string directoryOf(std::string& path) {
    path = replaceChar(path, '\\', '/');
    size_t cut = path.rfind('/');
    if (cut == std::string::npos) cut = path.rfind(':');
    if (cut == std::string::npos) return "";
    return path.substr(0, cut + 1);
}

std::string fileNameOf(const std::string& path) {
    std::string copy = path;
    const std::string folder = directoryOf(copy);
    return copy.substr(folder.size());
}

std::string withTrailingSlash(std::string path) {
    if (path.empty()) return path;
    const char last = path.back();
    if (last != '/' && last != '\\' && last != ':') path += '/';
    return path;
}

std::string withExtension(std::string path, const std::string& ext) {
    if (path.empty() || ext.empty()) return path;
    if (path.size() <= ext.size()) return path + ext;
    if (toLowerCase(path.substr(path.size() - ext.size())) == ext) return path;
    return path + ext;
}

bool copyFile(const std::string& source, const std::string& target) {
    const int size = fileSize(source);
    if (size <= 0) return false;
    std::vector<char> bytes(static_cast<size_t>(size));
    BinaryFile in(source, true, false, false);
    if (in.readAt(0, bytes.data(), bytes.size()) != bytes.size() || in.failed) return false;
    BinaryFile out(target, false, true, false);
    if (out.openFailed) return false;
    const bool written = out.writeAt(0, bytes.data(), bytes.size());
    out.close();
    return written && !out.failed;
}

std::string fileFingerprint(const std::string& path) {
    unsigned char sum[16] = {};
    BinaryFile in(path, true, false, false);
    std::vector<char> block(10240);
    size_t position = 0;
    long offset = 0;
    for (;;) {
        const size_t got = in.readAt(offset, block.data(), block.size());
        for (size_t i = 0; i < got; ++i) {
            sum[position] ^= static_cast<unsigned char>(block[i]);
            position = (position + 1) % 16;
        }
        if (got < block.size()) break;
        offset += static_cast<long>(got);
    }
    std::string text;
    for (unsigned char byte : sum)
        text += hexByte(byte);
    return text;
}

std::vector<std::string> listFiles(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        LogMessage(folder + " accesso negato!");
        return names;
    }
    while (const dirent* entry = readdir(dir)) {
        struct stat info {};
        const std::string full = withTrailingSlash(folder) + entry->d_name;
        if (stat(full.c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.push_back(entry->d_name);
    }
    closedir(dir);
    return names;
}

}  // namespace nebulark
