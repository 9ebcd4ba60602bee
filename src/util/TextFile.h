#pragma once

#include <string>
#include <vector>

namespace nebulark {

// A whole text file read or written as a list of lines.
class TextFile {
public:
    explicit TextFile(const char* path) : path(path) {}
    explicit TextFile(std::string path) : path(std::move(path)) {}

    // Lines without their "\n". Reading stops at the first line of
    // kMaxLineLength bytes or more, which sets `failed`.
    std::vector<std::string> readLines();
    // The lines joined, each followed by "\r\n".
    std::string readAll();
    bool writeLines(const std::vector<std::string>& lines);
    bool appendLines(const std::vector<std::string>& lines);

    static constexpr int kMaxLineLength = 256;

    bool failed = false;
    bool openFailed = false;
    std::string path;

private:
    bool writeWithMode(const std::vector<std::string>& lines, const char* mode);
};

}  // namespace nebulark
