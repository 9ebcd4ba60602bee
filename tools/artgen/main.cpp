// Draws the game's pictures and sounds.
//
//   nebulark_artgen DIRECTORY              writes the data files into DIRECTORY
//   nebulark_artgen --contact-sheet FILE   writes an overview picture (PPM)
//   nebulark_artgen --icon SIZE FILE       writes the desktop icon (PNG)
//   nebulark_artgen --icon-source FILE     writes the window icon as C++ source
//
// The output is the same, byte for byte, on every run.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "Artwork.h"
#include "ContactSheet.h"
#include "Icon.h"
#include "IconSource.h"
#include "PngFile.h"

using namespace nebulark::artgen;

namespace {

// Each file is written beside its final name and then renamed, so that a
// game running from the same directory never reads a half-written picture.
bool WriteAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    const std::filesystem::path temporary = path.string() + ".part";
    if (!WriteBytes(temporary.string(), bytes)) return false;
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (!error) return true;
    std::fprintf(stderr, "nebulark_artgen: cannot rename %s: %s\n", temporary.c_str(),
                 error.message().c_str());
    return false;
}

int WriteData(const std::filesystem::path& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) {
        std::fprintf(stderr, "nebulark_artgen: cannot create %s: %s\n", directory.c_str(),
                     error.message().c_str());
        return 1;
    }
    for (const DataFile& file : MakeDataFiles(MakeArtwork()))
        if (!WriteAtomically(directory / file.name, file.bytes)) return 1;
    return 0;
}

// The icon size must divide the canvas it is drawn on.
int WriteIcon(const std::string& sizeText, const std::string& path) {
    int size = 0;
    const char* end = sizeText.data() + sizeText.size();
    const auto [stop, error] = std::from_chars(sizeText.data(), end, size);
    if (error != std::errc() || stop != end || size <= 0 || kIconCanvas % size != 0) {
        std::fprintf(stderr, "nebulark_artgen: the icon size must divide %d\n", kIconCanvas);
        return 2;
    }
    SpriteSet sprites;
    const std::vector<uint8_t> png = EncodePng(size, size, MakeIcon(sprites, size));
    // An empty file would install as a broken icon.
    if (png.empty()) {
        std::fprintf(stderr, "nebulark_artgen: the icon could not be encoded\n");
        return 1;
    }
    return WriteAtomically(path, png) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 3 && first == "--contact-sheet")
        return WriteAtomically(argv[2], EncodePpm(MakeContactSheet(MakeArtwork()))) ? 0 : 1;
    if (argc == 4 && first == "--icon") return WriteIcon(argv[2], argv[3]);
    if (argc == 3 && first == "--icon-source") {
        const std::string source = MakeIconSource(SpriteSet());
        return WriteAtomically(argv[2], std::vector<uint8_t>(source.begin(), source.end())) ? 0 : 1;
    }
    if (argc == 2 && !first.empty() && first[0] != '-') return WriteData(first);
    std::fprintf(stderr,
                 "usage: nebulark_artgen DIRECTORY\n"
                 "       nebulark_artgen --contact-sheet FILE.ppm\n"
                 "       nebulark_artgen --icon SIZE FILE.png\n"
                 "       nebulark_artgen --icon-source FILE.cpp\n");
    return 2;
}
