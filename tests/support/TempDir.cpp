#include "support/TempDir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace nebulark::test {

TempDir::TempDir() {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd) != nullptr) previous = cwd;
    std::string pattern = std::filesystem::temp_directory_path().string() + "/nebulark-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) {
        path = pattern;
        if (chdir(path.c_str()) != 0) path.clear();
    }
}

TempDir::~TempDir() {
    if (!previous.empty() && chdir(previous.c_str()) != 0) return;
    std::error_code ignored;
    if (!path.empty()) {
        // A test may have made parts of the tree read-only.
        for (auto& entry : std::filesystem::recursive_directory_iterator(path, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path, ignored);
    }
}

std::string TempDir::Read(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void TempDir::Write(const std::string& name, const std::string& content) {
    std::ofstream(name, std::ios::binary) << content;
}

}  // namespace nebulark::test
