#pragma once

namespace nebulark {

// Why a decoder refused its input. The file readers log the text of the
// reason after the path of the file.
enum class DecodeError {
    Ok,
    Truncated,        // the data ends before the header, palette or pixels do
    BadSize,          // width or height zero, negative or beyond RgbBuffer's limits
    BadPalette,       // palette area negative or over 1024 bytes
    BadPaletteIndex,  // a drawn pixel names a palette entry that is not there
    NoMemory,         // the output buffer could not be allocated
};

const char* decodeErrorText(DecodeError error);

}  // namespace nebulark
