#include "support/GameData.h"

#include <filesystem>
#include <fstream>

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

std::vector<uint32_t> RawPictureArea(const std::string& path, int pictureWidth, int x, int y, int w,
                                     int h) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint32_t> pixels;
    std::vector<unsigned char> row(static_cast<size_t>(w) * 3);
    for (int line = y; line < y + h; ++line) {
        file.seekg((static_cast<std::streamoff>(line) * pictureWidth + x) * 3);
        if (!file.read(reinterpret_cast<char*>(row.data()),
                       static_cast<std::streamsize>(row.size())))
            return {};
        for (size_t i = 0; i < row.size(); i += 3)
            pixels.push_back(static_cast<uint32_t>(row[i] << 16 | row[i + 1] << 8 | row[i + 2]));
    }
    return pixels;
}

}  // namespace nebulark::test
