#pragma once

#include <string>

#include "images/RgbBuffer.h"

namespace nebulark {

// Picture files read from disk. Every reader refuses bad input with one log
// line, the path followed by the reason, and an empty buffer:
//   "<path>: non trovato"        the file does not exist
//   "Errore loading <path>"      it exists but cannot be opened or read
//   "<path>: dati troncati"      it ends before its header, palette or pixels
//   "<path>: dimensioni non valide", "<path>: palette non valida",
//   "<path>: indice di palette fuori dalla palette", "<path>: file troppo corto"

// Reads the 54-byte BMP header and reports its width, height and pixel-array
// offset as stored. False (and zeros) when the header cannot be read whole.
bool readBmpHeader(const std::string& path, int& width, int& height, int& pixelOffset);

RgbBuffer readBmp24(const std::string& path);
RgbBuffer readBmp8(const std::string& path);
// Also replaces the source-text export beside the file when it decodes.
RgbBuffer readBmp4(const std::string& path);

// Reads a headerless raw RGB file holding a width × height picture. Its size
// is reported in `fileBytes` once the file is found; a file shorter than
// width × height × 3 bytes is refused, and bytes past that are ignored.
RgbBuffer readRawRgbFile(const std::string& path, int width, int height, unsigned& fileBytes);

}  // namespace nebulark
