#include "support/GameData.h"

#include <filesystem>

namespace nebulark::test {

bool LinkGameData(const std::string& from) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directory("Data", error);
    for (const auto& entry : fs::directory_iterator(from, error)) {
        if (!entry.is_regular_file()) continue;
        fs::create_symlink(entry.path(), fs::path("Data") / entry.path().filename(), error);
        if (error) return false;
    }
    return !error && fs::exists("Data/blank.bin") && fs::exists("Data/Explosion.wav");
}

}  // namespace nebulark::test
