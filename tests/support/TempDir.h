#pragma once

#include <string>

namespace nebulark::test {

// A fresh directory made the working directory for the scope's life, then
// removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path; }
    // Whole content of a file in the directory, or "" when it cannot be read.
    static std::string Read(const std::string& name);
    static void Write(const std::string& name, const std::string& content);

private:
    std::string path;
    std::string previous;
};

}  // namespace nebulark::test
