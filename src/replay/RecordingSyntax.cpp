#include "replay/RecordingSyntax.h"

namespace nebulark {

namespace {

constexpr char kEscape = '%';
constexpr const char* kHexDigits = "0123456789ABCDEF";

bool keptAsIs(unsigned char byte) {
    return byte >= 0x20 && byte <= 0x7E && byte != kEscape;
}

int hexValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    return -1;
}

}  // namespace

std::string RecordingSyntax::escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptAsIs(byte)) {
            out += c;
        } else {
            out += kEscape;
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0x0F];
        }
    }
    return out;
}

std::optional<std::string> RecordingSyntax::unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (keptAsIs(byte)) {
            out += text[i];
            continue;
        }
        if (byte != kEscape || text.size() - i < 3) return std::nullopt;
        const int high = hexValue(text[i + 1]);
        const int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    if (out.size() > kMostTextBytes) return std::nullopt;
    return out;
}

}  // namespace nebulark
