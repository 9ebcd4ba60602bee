#pragma once

#include <cstddef>
#include <string>

namespace nebulark {

// The source-text export of a 4-bit BMP: a C fragment declaring the picture's
// width, height and bytes in the EmbeddedImage layout, written beside the BMP
// every time the picture is decoded, so the toolkit's small pictures can be
// compiled in.

// The picture's name in the declarations: the file name without its folder,
// cut before its last ".", in upper case ("pictures/check.bmp" gives CHECK).
std::string sourceExportName(const std::string& bmpPath);
// The BMP's path with ".c" appended, extension and all.
std::string sourceExportPath(const std::string& bmpPath);

// The export of a 4-bit BMP held in memory, without the final line feed that
// writing adds; "" when the bytes are not a readable 4-bit BMP.
std::string bmp4SourceText(const std::string& name, const unsigned char* bytes, size_t length);

// Replaces the export beside the BMP with `text`. A failure to write is not
// reported: the export is a by-product of decoding.
void writeSourceExport(const std::string& bmpPath, const std::string& text);

}  // namespace nebulark
