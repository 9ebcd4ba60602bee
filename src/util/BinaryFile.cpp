#include "util/BinaryFile.h"

namespace nebulark {

namespace {

std::ios::openmode modeFor(bool forReading, bool forWriting, bool append) {
    const std::ios::openmode binary = std::ios::binary;
    if (forReading) return std::ios::in | binary;
    if (forWriting) return std::ios::in | std::ios::out | std::ios::trunc | binary;
    if (append) return std::ios::in | std::ios::out | std::ios::app | binary;
    return std::ios::in | std::ios::out | binary;
}

}  // namespace

BinaryFile::BinaryFile(const std::string& path, bool forReading, bool forWriting, bool append)
    : stream(std::make_unique<std::fstream>(path, modeFor(forReading, forWriting, append))) {
    if (!stream->good()) {
        failed = openFailed = closed = true;
        stream.reset();
    }
}

BinaryFile::~BinaryFile() {
    close();
}

size_t BinaryFile::readAt(long offset, void* buffer, size_t count) {
    if (failed || closed || !stream) return 0;
    stream->clear();
    if (offset < 0 || !stream->seekg(offset)) {
        failed = true;
        return 0;
    }
    stream->read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
    const size_t got = static_cast<size_t>(stream->gcount());
    lastReadReachedEnd = stream->eof();
    if (lastReadReachedEnd)
        stream->clear();
    else if (stream->fail())
        failed = true;
    return got;
}

bool BinaryFile::writeAt(long offset, const void* buffer, size_t count) {
    if (closed || !stream) return false;
    stream->clear();
    if (offset < 0 || !stream->seekp(offset)) {
        failed = true;
        return false;
    }
    stream->write(static_cast<const char*>(buffer), static_cast<std::streamsize>(count));
    return stream->good();
}

bool BinaryFile::atEnd() const {
    return !failed && lastReadReachedEnd;
}

void BinaryFile::close() {
    if (closed || openFailed || !stream) return;
    stream->close();
    stream.reset();
    closed = true;
}

}  // namespace nebulark
