#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <functional>

#include "images/BmpDecoder.h"
#include "images/ImageFiles.h"
#include "support/BmpWriter.h"
#include "support/TempDir.h"
#include "util/FileUtils.h"

using namespace nebulark;
using nebulark::test::BmpPicture;
using nebulark::test::TempDir;

namespace {

struct Decoder {
    int bits;
    RgbBuffer (*decode)(const unsigned char*, size_t, DecodeError&);
    RgbBuffer (*read)(const std::string&);
};

const Decoder kDecoders[] = {
    {24, decodeBmp24, readBmp24},
    {8, decodeBmp8, readBmp8},
    {4, decodeBmp4, readBmp4},
};

// A valid 3 × 2 picture of the decoder's depth with a two-entry palette.
std::string validBmp(int bits) {
    BmpPicture picture(bits, 3, 2);
    if (bits != 24) picture.palette = {0x000000, 0xFFFFFF};
    picture.pixels = bits == 24 ? std::vector<uint32_t>{1, 2, 3, 4, 5, 6}
                                : std::vector<uint32_t>{0, 1, 0, 1, 0, 1};
    return nebulark::test::bmpBytes(picture);
}

// Decodes a copy that ends exactly where the data ends, so that any read past
// it lands outside its heap block, where the sanitizer build sees it.
DecodeError decodeExact(const Decoder& decoder, const std::string& bytes, size_t length) {
    const std::vector<unsigned char> copy(bytes.begin(), bytes.begin() + length);
    DecodeError error = DecodeError::Ok;
    const RgbBuffer image = decoder.decode(copy.data(), copy.size(), error);
    EXPECT_EQ(image.empty(), error != DecodeError::Ok);
    return error;
}

// Reads the bytes as a file and answers what was logged.
std::string logOfReading(const Decoder& decoder, const std::string& bytes) {
    TempDir::Write("p.bmp", bytes);
    std::remove("log.txt");
    EXPECT_TRUE(decoder.read("p.bmp").empty());
    return TempDir::Read("log.txt");
}

std::string logLine(const std::string& path, DecodeError error) {
    return path + ": " + decodeErrorText(error) + "\n";
}

void makeSocket(const char* path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
}

}  // namespace

TEST(MalformedBmp, TruncatedAtEveryLengthIsRefused) {
    TempDir dir;
    for (const Decoder& decoder : kDecoders) {
        const std::string bytes = validBmp(decoder.bits);
        for (size_t length = 0; length < bytes.size(); ++length)
            EXPECT_EQ(decodeExact(decoder, bytes, length), DecodeError::Truncated)
                << decoder.bits << " bits cut at " << length;
        EXPECT_EQ(decodeExact(decoder, bytes, bytes.size()), DecodeError::Ok);
        for (size_t length : {size_t{0}, size_t{53}, size_t{54}, bytes.size() - 1})
            EXPECT_EQ(logOfReading(decoder, bytes.substr(0, length)),
                      logLine("p.bmp", DecodeError::Truncated));
    }
}

TEST(MalformedBmp, HeaderFieldsOutOfRangeAreRefused) {
    using E = DecodeError;
    struct Case {
        const char* what;
        size_t offset;  // of the header field patched
        int32_t value;
        E at24;
        E indexed;  // at 8 and 4 bits
    } const cases[] = {
        {"width 0", 18, 0, E::BadSize, E::BadSize},
        {"width -1", 18, -1, E::BadSize, E::BadSize},
        {"width INT32_MIN", 18, INT32_MIN, E::BadSize, E::BadSize},
        {"width 16385", 18, 16385, E::BadSize, E::BadSize},
        {"width INT32_MAX", 18, INT32_MAX, E::BadSize, E::BadSize},
        {"row size past size_t of 32 bits", 18, 0x40000000, E::BadSize, E::BadSize},
        {"width 16384, rows missing", 18, 16384, E::Truncated, E::Truncated},
        {"width 9, rows short", 18, 9, E::Truncated, E::Truncated},
        {"height 0", 22, 0, E::BadSize, E::BadSize},
        {"height -2 (top-down)", 22, -2, E::BadSize, E::BadSize},
        {"height INT32_MIN", 22, INT32_MIN, E::BadSize, E::BadSize},
        {"height 16385", 22, 16385, E::BadSize, E::BadSize},
        {"height 3, a row missing", 22, 3, E::Truncated, E::Truncated},
        {"pixel offset 53", 10, 53, E::Ok, E::BadPalette},
        {"pixel offset 0", 10, 0, E::Ok, E::BadPalette},
        {"pixel offset -1", 10, -1, E::Ok, E::BadPalette},
        {"pixel offset INT32_MIN", 10, INT32_MIN, E::Ok, E::BadPalette},
        {"palette area 1028", 10, 54 + 1028, E::Ok, E::BadPalette},
        {"palette area 1024, beyond the file", 10, 54 + 1024, E::Ok, E::Truncated},
    };
    TempDir dir;
    for (const Decoder& decoder : kDecoders) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(decoder.bits) + " bits, " + c.what);
            std::string bytes = validBmp(decoder.bits);
            nebulark::test::patchLe32(bytes, c.offset, c.value);
            const E expected = decoder.bits == 24 ? c.at24 : c.indexed;
            EXPECT_EQ(decodeExact(decoder, bytes, bytes.size()), expected);
            if (expected != E::Ok) {
                EXPECT_EQ(logOfReading(decoder, bytes), logLine("p.bmp", expected));
            }
        }
    }
}

// Width and height each within the side limit, but the picture larger than
// any decoder will allocate.
TEST(MalformedBmp, PicturesOverTheSizeLimitAreRefusedBeforeAllocating) {
    for (const Decoder& decoder : kDecoders) {
        std::string bytes = validBmp(decoder.bits);
        nebulark::test::patchLe32(bytes, 18, 16384);
        nebulark::test::patchLe32(bytes, 22, 16384);
        EXPECT_EQ(decodeExact(decoder, bytes, bytes.size()), DecodeError::BadSize);
    }
}

TEST(MalformedBmp, PaletteIndexBeyondTheEntriesIsRefused) {
    TempDir dir;
    for (const Decoder& decoder : {kDecoders[1], kDecoders[2]}) {
        SCOPED_TRACE(std::to_string(decoder.bits) + " bits");
        BmpPicture picture(decoder.bits, 3, 2);
        picture.palette = {0x000000, 0xFFFFFF};
        picture.pixels = {0, 1, 0, 1, 2, 1};  // index 2 on the top row
        const std::string bytes = nebulark::test::bmpBytes(picture);
        EXPECT_EQ(decodeExact(decoder, bytes, bytes.size()), DecodeError::BadPaletteIndex);
        EXPECT_EQ(logOfReading(decoder, bytes), logLine("p.bmp", DecodeError::BadPaletteIndex));
        // Three stray bytes after one entry are not a second entry.
        picture.palette = {0x00FF00};
        picture.paletteSlack = 3;
        picture.pixels = {0, 0, 0, 0, 0, 1};
        const std::string partial = nebulark::test::bmpBytes(picture);
        EXPECT_EQ(decodeExact(decoder, partial, partial.size()), DecodeError::BadPaletteIndex);
    }
}

TEST(MalformedFiles, MissingUnopenableAndUnreadableFilesAreLogged) {
    TempDir dir;
    makeSocket("socket.bmp");                    // exists, but open() fails even for root
    ASSERT_TRUE(ensureDirectory("folder.bmp"));  // opens, but reading fails
    unsigned size = 12345;
    const std::function<RgbBuffer(const std::string&)> readers[] = {
        readBmp24, readBmp8, readBmp4,
        [&size](const std::string& path) { return readRawRgbFile(path, 3, 2, size); }};
    for (const auto& read : readers) {
        std::remove("log.txt");
        EXPECT_TRUE(read("missing.bmp").empty());
        EXPECT_TRUE(read("socket.bmp").empty());
        EXPECT_TRUE(read("folder.bmp").empty());
        EXPECT_EQ(TempDir::Read("log.txt"),
                  "missing.bmp: non trovato\nErrore loading socket.bmp\n"
                  "Errore loading folder.bmp\n");
    }
    std::remove("log.txt");
    int width = 7, height = 7, offset = 7;
    EXPECT_FALSE(readBmpHeader("missing.bmp", width, height, offset));
    EXPECT_EQ(width + height + offset, 0);
    EXPECT_FALSE(readBmpHeader("socket.bmp", width, height, offset));
    TempDir::Write("short.bmp", std::string(53, 'B'));
    EXPECT_FALSE(readBmpHeader("short.bmp", width, height, offset));
    EXPECT_EQ(TempDir::Read("log.txt"),
              "missing.bmp: non trovato\nErrore loading socket.bmp\nshort.bmp: dati troncati\n");
}

TEST(RawRgbFile, SizeIsCheckedAgainstTheDimensions) {
    TempDir dir;
    const std::string eighteen = "ABCDEFGHIJKLMNOPQR";
    struct Case {
        std::string content;
        int width, height;
        const char* log;  // "" when the picture loads
    } const cases[] = {
        {eighteen, 3, 2, ""},
        {eighteen + "S", 3, 2, ""},  // bytes past the picture are ignored
        {eighteen.substr(0, 17), 3, 2, "r.bin: file troppo corto\n"},
        {"", 3, 2, "r.bin: file troppo corto\n"},
        {eighteen, 0, 2, "r.bin: dimensioni non valide\n"},
        {eighteen, -3, -2, "r.bin: dimensioni non valide\n"},
        {eighteen, INT_MIN, 1, "r.bin: dimensioni non valide\n"},
        {eighteen, 16385, 1, "r.bin: dimensioni non valide\n"},
        {eighteen, 16384, 16384, "r.bin: dimensioni non valide\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " from " +
                     std::to_string(c.content.size()) + " bytes");
        TempDir::Write("r.bin", c.content);
        std::remove("log.txt");
        unsigned size = 12345;
        const RgbBuffer image = readRawRgbFile("r.bin", c.width, c.height, size);
        EXPECT_EQ(size, c.content.size());
        EXPECT_EQ(TempDir::Read("log.txt"), c.log);
        EXPECT_EQ(image.empty(), *c.log != '\0');
        if (!image.empty()) {
            EXPECT_EQ(std::string(image.data(), image.data() + image.size()), eighteen);
        }
    }
    unsigned untouched = 12345;  // a missing file has no size to report
    EXPECT_TRUE(readRawRgbFile("missing.bin", 3, 2, untouched).empty());
    EXPECT_EQ(untouched, 12345u);
}
