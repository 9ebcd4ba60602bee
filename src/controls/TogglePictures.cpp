#include "controls/TogglePictures.h"

#include <array>
#include <cstdint>

namespace nebulark {

namespace TogglePictures {

namespace {

// The pictures are written below as rows of palette indices, top row first,
// and encoded at compile time into the layout of a compiled-in picture.
using Grid = std::array<std::array<char, kSide>, kSide>;
using Rows = std::array<const char*, kSide>;
constexpr size_t kRowBytes = kSide / 2;
using Bytes = std::array<unsigned char, EmbeddedImage::kPaletteBytes + kRowBytes * kSide>;

// Index 6 is near black, so that the option box's dot is not transparent;
// the check box never uses it.
constexpr std::array<uint32_t, 16> kPalette = {
    0x000000, 0x424242, 0x848484, 0xD6D6CE, 0xFFFFFF, 0x9B9B9B, 0x010101, 0xFFFFFF,
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};

// The inside of the check box's square: rows and columns 2 to 17.
constexpr int kBoxFirst = 2, kBoxLast = 17;

constexpr Rows kCheckedRows = {
    "22222222222222222224", "21111111111111111134", "21444444444444444434", "21444444444444444434",
    "21444444444444444434", "21444444444444444434", "21444444444444004434", "21444444444440004434",
    "21444004444400044434", "21444000444000444434", "21444400040004444434", "21444440000044444434",
    "21444444000444444434", "21444444404444444434", "21444444444444444434", "21444444444444444434",
    "21444444444444444434", "21444444444444444434", "23333333333333333334", "44444444444444444444"};

constexpr Rows kSelectedRows = {
    "00000000000000000000", "00000000000000000000", "00000002222220000000", "00000022111122000000",
    "00000211444411200000", "00002144444444350000", "00022144666644355000", "00021446666664435000",
    "00021446666664435000", "00021446666664435000", "00021446666664435000", "00022144666644355000",
    "00002144444444350000", "00000233444433500000", "00000055333355000000", "00000005555550000000",
    "00000000000000000000", "00000000000000000000", "00000000000000000000", "00000000000000000000"};

constexpr Grid FromRows(const Rows& rows) {
    Grid grid{};
    for (int row = 0; row < kSide; ++row)
        for (int column = 0; column < kSide; ++column)
            grid[row][column] = rows[row][column];
    return grid;
}

// Every `from` inside the square from (first, first) to (last, last) becomes `to`.
constexpr Grid Replace(Grid grid, char from, char to, int first = 0, int last = kSide - 1) {
    for (int row = first; row <= last; ++row)
        for (int column = first; column <= last; ++column)
            if (grid[row][column] == from) grid[row][column] = to;
    return grid;
}

// The palette, then the rows bottom first, two pixels a byte, the left one in
// the high nibble.
constexpr Bytes Encode(const Grid& grid) {
    Bytes bytes{};
    for (size_t entry = 0; entry < kPalette.size(); ++entry)
        for (size_t channel = 0; channel < 3; ++channel)
            bytes[entry * 3 + channel] =
                static_cast<unsigned char>(kPalette[entry] >> (16 - 8 * channel));
    for (int row = 0; row < kSide; ++row) {
        const auto& line = grid[kSide - 1 - row];
        for (int column = 0; column < kSide; column += 2)
            bytes[EmbeddedImage::kPaletteBytes + row * kRowBytes + column / 2] =
                static_cast<unsigned char>((line[column] - '0') << 4 | (line[column + 1] - '0'));
    }
    return bytes;
}

constexpr Grid kChecked = FromRows(kCheckedRows);
constexpr Grid kSelected = FromRows(kSelectedRows);
constexpr Grid kUnselected = Replace(kSelected, '6', '4');

// Each table holds on-enabled, on-disabled, off-enabled and off-disabled. A
// disabled box is grey inside, its tick drawn in the dark shade; the disabled
// ring is grey inside, its dot in the dark shade.
constexpr std::array<Bytes, 4> kCheckBoxBytes = {
    Encode(kChecked),
    Encode(
        Replace(Replace(kChecked, '4', '5', kBoxFirst, kBoxLast), '0', '1', kBoxFirst, kBoxLast)),
    Encode(Replace(kChecked, '0', '4', kBoxFirst, kBoxLast)),
    Encode(
        Replace(Replace(kChecked, '4', '5', kBoxFirst, kBoxLast), '0', '5', kBoxFirst, kBoxLast))};

constexpr std::array<Bytes, 4> kOptionBoxBytes = {
    Encode(kSelected), Encode(Replace(Replace(kSelected, '4', '5'), '6', '1')), Encode(kUnselected),
    Encode(Replace(kUnselected, '4', '5'))};

constexpr EmbeddedImage Embedded(const Bytes& bytes) {
    return EmbeddedImage(bytes.data(), bytes.size());
}

constexpr std::array<EmbeddedImage, 4> kCheckBoxPictures = {
    Embedded(kCheckBoxBytes[0]), Embedded(kCheckBoxBytes[1]), Embedded(kCheckBoxBytes[2]),
    Embedded(kCheckBoxBytes[3])};

constexpr std::array<EmbeddedImage, 4> kOptionBoxPictures = {
    Embedded(kOptionBoxBytes[0]), Embedded(kOptionBoxBytes[1]), Embedded(kOptionBoxBytes[2]),
    Embedded(kOptionBoxBytes[3])};

constexpr size_t StateIndex(bool on, bool enabled) {
    return (on ? 0 : 2) + (enabled ? 0 : 1);
}

}  // namespace

const EmbeddedImage& CheckBoxPicture(bool checked, bool enabled) {
    return kCheckBoxPictures[StateIndex(checked, enabled)];
}

const EmbeddedImage& OptionBoxPicture(bool selected, bool enabled) {
    return kOptionBoxPictures[StateIndex(selected, enabled)];
}

}  // namespace TogglePictures

}  // namespace nebulark
