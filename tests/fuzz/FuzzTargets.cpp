#include "FuzzTargets.h"

#include <cstdlib>
#include <iterator>
#include <string>

#include "images/BmpDecoder.h"
#include "images/EmbeddedImage.h"
#include "images/SourceExport.h"

namespace nebulark::fuzz {

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

// A decoder either refuses with a reason and no pixels, or gives a buffer
// exactly as large as the dimensions it reports.
void checkResult(const RgbBuffer& image, DecodeError error) {
    require((error == DecodeError::Ok) != image.empty());
    if (image.empty()) return;
    require(RgbBuffer::fits(image.width(), image.height()));
    require(image.size() == static_cast<size_t>(image.width()) * image.height() * 3);
}

void runBmp24(const uint8_t* data, size_t size) {
    if (size > kMaxFuzzInput) return;
    DecodeError error = DecodeError::Ok;
    const RgbBuffer image = decodeBmp24(data, size, error);
    checkResult(image, error);
}

void runBmp8(const uint8_t* data, size_t size) {
    if (size > kMaxFuzzInput) return;
    DecodeError error = DecodeError::Ok;
    const RgbBuffer image = decodeBmp8(data, size, error);
    checkResult(image, error);
}

// The export is built from the same bytes whenever the picture decodes.
void runBmp4(const uint8_t* data, size_t size) {
    if (size > kMaxFuzzInput) return;
    DecodeError error = DecodeError::Ok;
    const RgbBuffer image = decodeBmp4(data, size, error);
    checkResult(image, error);
    const std::string text = bmp4SourceText("FUZZ", data, size);
    require(text.empty() == (error == DecodeError::BadSize || error == DecodeError::BadPalette ||
                             error == DecodeError::Truncated));
    require(text.empty() || text.ends_with("};\n"));
}

// The first four bytes are the width and height as signed 16-bit values, so
// that zero, negative and over-limit sizes are all a mutation away; the rest
// is the embedded picture.
void runEmbedded(const uint8_t* data, size_t size) {
    if (size > kMaxFuzzInput || size < 4) return;
    const int width = static_cast<int16_t>(data[0] | data[1] << 8);
    const int height = static_cast<int16_t>(data[2] | data[3] << 8);
    DecodeError error = DecodeError::Ok;
    const RgbBuffer image = decodeEmbeddedBytes(width, height, data + 4, size - 4, error);
    checkResult(image, error);
}

constexpr FuzzTarget kTargets[] = {
    {"bmp24", runBmp24},
    {"bmp8", runBmp8},
    {"bmp4", runBmp4},
    {"embedded", runEmbedded},
};

}  // namespace

const FuzzTarget* fuzzTargetsBegin() {
    return std::begin(kTargets);
}

const FuzzTarget* fuzzTargetsEnd() {
    return std::end(kTargets);
}

const FuzzTarget* findFuzzTarget(std::string_view name) {
    for (const FuzzTarget& target : kTargets)
        if (name == target.name) return &target;
    return nullptr;
}

}  // namespace nebulark::fuzz
