#include "util/TextFile.h"

#include <cstdio>
#include <cstring>

namespace nebulark {

namespace {

// Reads one line of at most `capacity - 1` bytes. Answers 1 for a line, 0 at
// the end of the file, -1 for a line that does not fit or a read error.
int readLine(std::FILE* file, char* buffer, size_t capacity, std::string& line) {
    size_t length = 0;
    int c = 0;
    while ((c = std::fgetc(file)) != EOF && c != '\n') {
        if (length + 1 >= capacity) return -1;
        buffer[length++] = static_cast<char>(c);
    }
    if (c == EOF && std::ferror(file)) return -1;
    if (c == EOF && length == 0) return 0;
    // A line is taken up to its first zero byte.
    line.assign(buffer, strnlen(buffer, length));
    return 1;
}

}  // namespace

std::vector<std::string> TextFile::readLines() {
    failed = openFailed = false;
    std::vector<std::string> lines;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        failed = openFailed = true;
        return lines;
    }
    char buffer[kMaxLineLength];
    std::string line;
    int status = 0;
    while ((status = readLine(file, buffer, sizeof buffer, line)) == 1)
        lines.push_back(line);
    if (status < 0) failed = true;
    std::fclose(file);
    return lines;
}

std::string TextFile::readAll() {
    std::string text;
    for (const std::string& line : readLines())
        text += line + "\r\n";
    return text;
}

bool TextFile::writeLines(const std::vector<std::string>& lines) {
    return writeWithMode(lines, "wb");
}

bool TextFile::appendLines(const std::vector<std::string>& lines) {
    return writeWithMode(lines, "ab");
}

bool TextFile::writeWithMode(const std::vector<std::string>& lines, const char* mode) {
    failed = openFailed = false;
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (file == nullptr) {
        failed = openFailed = true;
        return false;
    }
    for (const std::string& line : lines) {
        const bool ok = std::fwrite(line.data(), 1, line.size(), file) == line.size() &&
                        std::fputc('\n', file) != EOF && std::fflush(file) == 0;
        if (!ok) {
            failed = true;
            break;
        }
    }
    if (std::fclose(file) != 0) failed = true;
    return !failed;
}

}  // namespace nebulark
