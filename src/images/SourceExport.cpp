#include "images/SourceExport.h"

#include "images/BmpDecoder.h"
#include "util/FileUtils.h"
#include "util/StringUtils.h"
#include "util/TextFile.h"

namespace nebulark {

namespace {

void appendValue(std::string& text, unsigned char value) {
    text += "0x";
    text += hexByte(value);
    text += ',';
}

// Every full 4-byte palette entry as red, green, blue, on one line.
void appendPalette(std::string& text, const unsigned char* bytes, const BmpLayout& layout) {
    for (size_t i = 0; i < layout.paletteEntries; ++i) {
        const unsigned char* entry = bytes + kBmpHeaderSize + i * 4;
        appendValue(text, entry[2]);
        appendValue(text, entry[1]);
        appendValue(text, entry[0]);
    }
    text += '\n';
}

// One line per stored row, bottom row first, without the row padding.
void appendRows(std::string& text, const unsigned char* bytes, const BmpLayout& layout) {
    for (size_t i = 0; i < static_cast<size_t>(layout.height); ++i) {
        const unsigned char* row = bytes + layout.pixelOffset + i * layout.stride;
        for (size_t b = 0; b < layout.rowBytes; ++b)
            appendValue(text, row[b]);
        text += '\n';
    }
}

}  // namespace

std::string sourceExportName(const std::string& bmpPath) {
    std::string name = fileNameOf(bmpPath);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return toUpperCase(name);
}

std::string sourceExportPath(const std::string& bmpPath) {
    return bmpPath + ".c";
}

std::string bmp4SourceText(const std::string& name, const unsigned char* bytes, size_t length) {
    BmpLayout layout;
    if (planBmp(bytes, length, 4, layout) != DecodeError::Ok) return "";
    std::string text = "int w" + name + " = " + toText(layout.width) + ";\n";
    text += "int h" + name + " = " + toText(layout.height) + ";\n\n";
    text += "char img" + name + "[] = {\n";
    appendPalette(text, bytes, layout);
    appendRows(text, bytes, layout);
    text += "};\n";
    return text;
}

void writeSourceExport(const std::string& bmpPath, const std::string& text) {
    const std::string path = sourceExportPath(bmpPath);
    if (fileExists(path)) removeFile(path);
    TextFile(path).writeLines({text});
}

}  // namespace nebulark
