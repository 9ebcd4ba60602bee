#include "images/ImageFiles.h"

#include <algorithm>
#include <new>
#include <vector>

#include "images/BmpDecoder.h"
#include "images/SourceExport.h"
#include "util/BinaryFile.h"
#include "util/FileUtils.h"
#include "util/Log.h"

namespace nebulark {

namespace {

// No picture within RgbBuffer's limits needs more than this many bytes of
// file (pixels, row padding, header and palette), so reading stops there.
constexpr size_t kMaxBmpFileBytes = RgbBuffer::kMaxBytes + (size_t{1} << 20);
constexpr size_t kReadBlock = size_t{1} << 20;

void logProblem(const std::string& path, const char* reason) {
    LogMessage(path + ": " + reason);
}

// Reads at most maxBytes from the start of the file, in blocks so that the
// buffer never grows beyond what the file holds.
bool readBlocks(BinaryFile& file, size_t maxBytes, std::vector<unsigned char>& bytes) {
    while (bytes.size() < maxBytes) {
        const size_t start = bytes.size();
        const size_t wanted = std::min(kReadBlock, maxBytes - start);
        bytes.resize(start + wanted);
        const size_t got = file.readAt(static_cast<long>(start), bytes.data() + start, wanted);
        bytes.resize(start + got);
        if (file.failed) return false;
        if (got < wanted) break;
    }
    return true;
}

// Logs and answers false when the file is missing or cannot be read.
bool readFileStart(const std::string& path, size_t maxBytes, std::vector<unsigned char>& bytes) {
    if (!fileExists(path)) {
        logProblem(path, "non trovato");
        return false;
    }
    BinaryFile file(path, true, false, false);
    bool read = false;
    if (!file.openFailed) {
        try {
            read = readBlocks(file, maxBytes, bytes);
        } catch (const std::bad_alloc&) {
            read = false;
        }
    }
    if (!read) LogMessage("Errore loading " + path);
    return read;
}

using BmpDecoder = RgbBuffer (*)(const unsigned char*, size_t, DecodeError&);

RgbBuffer decodeBmpBytes(const std::string& path, const std::vector<unsigned char>& bytes,
                         BmpDecoder decode) {
    DecodeError error = DecodeError::Ok;
    RgbBuffer image = decode(bytes.data(), bytes.size(), error);
    if (error != DecodeError::Ok) logProblem(path, decodeErrorText(error));
    return image;
}

RgbBuffer readBmpFile(const std::string& path, BmpDecoder decode) {
    std::vector<unsigned char> bytes;
    if (!readFileStart(path, kMaxBmpFileBytes, bytes)) return {};
    return decodeBmpBytes(path, bytes, decode);
}

}  // namespace

bool readBmpHeader(const std::string& path, int& width, int& height, int& pixelOffset) {
    width = height = pixelOffset = 0;
    std::vector<unsigned char> bytes;
    if (!readFileStart(path, kBmpHeaderSize, bytes)) return false;
    BmpHeader header;
    if (!parseBmpHeader(bytes.data(), bytes.size(), header)) {
        logProblem(path, decodeErrorText(DecodeError::Truncated));
        return false;
    }
    width = header.width;
    height = header.height;
    pixelOffset = header.pixelOffset;
    return true;
}

RgbBuffer readBmp24(const std::string& path) {
    return readBmpFile(path, decodeBmp24);
}

RgbBuffer readBmp8(const std::string& path) {
    return readBmpFile(path, decodeBmp8);
}

RgbBuffer readBmp4(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (!readFileStart(path, kMaxBmpFileBytes, bytes)) return {};
    RgbBuffer image = decodeBmpBytes(path, bytes, decodeBmp4);
    // A refused picture leaves any earlier export in place.
    if (!image.empty())
        writeSourceExport(path, bmp4SourceText(sourceExportName(path), bytes.data(), bytes.size()));
    return image;
}

RgbBuffer readRawRgbFile(const std::string& path, int width, int height, unsigned& fileBytes) {
    if (!fileExists(path)) {
        logProblem(path, "non trovato");
        return {};
    }
    fileBytes = static_cast<unsigned>(fileSize(path));
    if (!RgbBuffer::fits(width, height)) {
        logProblem(path, decodeErrorText(DecodeError::BadSize));
        return {};
    }
    RgbBuffer image = RgbBuffer::allocate(width, height);
    if (image.empty()) {
        logProblem(path, decodeErrorText(DecodeError::NoMemory));
        return {};
    }
    // Only the bytes the picture needs are read, in one piece.
    BinaryFile file(path, true, false, false);
    const size_t got = file.openFailed ? 0 : file.readAt(0, image.data(), image.size());
    if (file.openFailed || file.failed) {
        LogMessage("Errore loading " + path);
        return {};
    }
    if (got < image.size()) {
        logProblem(path, "file troppo corto");
        return {};
    }
    return image;
}

}  // namespace nebulark
