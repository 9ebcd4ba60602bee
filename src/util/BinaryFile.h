#pragma once

#include <cstddef>
#include <fstream>
#include <memory>
#include <string>

namespace nebulark {

// Blocks of bytes read and written at given offsets of one file.
class BinaryFile {
public:
    // forReading wins over forWriting; forWriting alone creates or truncates the
    // file; neither opens the existing content, or appends when `append` is set.
    BinaryFile(const std::string& path, bool forReading, bool forWriting, bool append);
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    // Answers how many bytes were read; reaching the end is not an error.
    size_t readAt(long offset, void* buffer, size_t count);
    bool writeAt(long offset, const void* buffer, size_t count);
    bool atEnd() const;
    void close();

    bool failed = false;
    bool openFailed = false;
    bool closed = false;

private:
    std::unique_ptr<std::fstream> stream;
    bool lastReadReachedEnd = false;
};

}  // namespace nebulark
