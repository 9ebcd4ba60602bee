#include "util/StringUtils.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace nebulark {

namespace {

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Separators go before the last 3, 6 and 9 digits. A leading minus sign is
// kept out of the count, so -123 stays "-123" rather than getting a separator
// right after its sign.
std::string groupThousands(std::string text) {
    const size_t digits = text.size() - ((!text.empty() && text[0] == '-') ? 1 : 0);
    const std::string sep = thousandsSeparator();
    for (size_t group = 1; group <= 3 && digits > group * 3; ++group)
        text.insert(text.size() - group * 3 - (group - 1) * sep.size(), sep);
    return text;
}

}  // namespace

std::string toUpperCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string toLowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string trimLeft(std::string text) {
    size_t start = 0;
    while (start < text.size() && isSpace(text[start]))
        ++start;
    return text.substr(start);
}

std::string trimRight(std::string text) {
    size_t end = text.size();
    while (end > 0 && isSpace(text[end - 1]))
        --end;
    text.resize(end);
    return text;
}

std::string trim(std::string text) {
    return trimRight(trimLeft(std::move(text)));
}

// Every pass looks for the searched string from the beginning of the text, so
// text put in by one pass is searched again ("aaaa" with "aa" -> "a" gives
// "a"). A pass can only make a new occurrence that overlaps what it put in,
// so the next search starts at the earliest such place, which finds the same
// occurrence as a search from the beginning would. A replacement that holds
// the searched string would be found again forever: there the search resumes
// after the inserted text instead. An empty searched string replaces nothing.
std::string replaceAll(std::string text, std::string from, std::string to) {
    if (from.empty()) return text;
    const bool endless = to.find(from) != std::string::npos;
    size_t pos = text.find(from);
    while (pos != std::string::npos) {
        text.replace(pos, from.size(), to);
        const size_t next = endless ? pos + to.size() : pos - std::min(pos, from.size() - 1);
        pos = text.find(from, next);
    }
    return text;
}

std::string replaceChar(std::string text, char c1, char c2) {
    return replaceAll(std::move(text), std::string(1, c1), std::string(1, c2));
}

std::string padLeft(std::string text, char ch, int width) {
    if (width > 0 && text.size() < static_cast<size_t>(width))
        text.insert(0, static_cast<size_t>(width) - text.size(), ch);
    return text;
}

std::string padRight(std::string text, char ch, int width) {
    if (width > 0 && text.size() < static_cast<size_t>(width))
        text.append(static_cast<size_t>(width) - text.size(), ch);
    return text;
}

std::vector<std::string> split(std::string text, std::string delimiter) {
    std::vector<std::string> pieces;
    if (text.empty() || delimiter.empty()) return pieces;
    size_t offset = 0;
    size_t found = text.find(delimiter, offset);
    while (found != std::string::npos) {
        pieces.push_back(text.substr(offset, found - offset));
        offset = found + delimiter.size();
        found = text.find(delimiter, offset);
    }
    if (offset < text.size()) pieces.push_back(text.substr(offset));
    return pieces;
}

// Zero padding goes between the minus sign and the digits ("-05"), as a
// number is written; any other fill goes in front of the sign ("  -5").
std::string formatInteger(int64_t n, char padChar, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(n));
    if (n >= 0 || padChar != '0') return padLeft(buffer, padChar, width);
    std::string padded = padLeft(buffer + 1, padChar, width - 1);
    padded.insert(padded.begin(), '-');
    return padded;
}

std::string toText(int64_t n) {
    return formatInteger(n, '0', 0);
}

std::string hexByte(int v) {
    char buffer[4];
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned>(v) & 0xFFu);
    return buffer;
}

bool decimalCommaConvention() {
    return true;
}

std::string decimalSeparator() {
    return decimalCommaConvention() ? "," : ".";
}

std::string thousandsSeparator() {
    return decimalCommaConvention() ? "." : ",";
}

std::string formatFixed2(double x) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.2f", x);
    return buffer;
}

std::string formatGrouped(int64_t n) {
    return groupThousands(toText(n));
}

// The amount is rounded to hundredths once, and the units are taken from that
// rounded text: so 1.999 carries into "2,00" and 999.999 into "1.000,00", and
// an amount between -1 and 0 keeps its sign. One that rounds to zero has no
// sign. Infinities and NaN come out as printf writes them.
std::string formatAmount(double x) {
    std::string fixed = formatFixed2(x);
    if (fixed.find_first_not_of("-0.") == std::string::npos && fixed[0] == '-') fixed.erase(0, 1);
    const size_t dot = fixed.find('.');
    if (dot == std::string::npos) return fixed;
    return groupThousands(fixed.substr(0, dot)) + decimalSeparator() + fixed.substr(dot + 1);
}

double parseAmount(std::string& text) {
    text = replaceAll(text, thousandsSeparator(), "");
    if (decimalCommaConvention()) text = replaceAll(text, ",", ".");
    return std::strtod(text.c_str(), nullptr);
}

std::string urlEncode(std::string text) {
    std::string out;
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += hexByte(u);
        }
    }
    return out;
}

std::string urlDecode(std::string text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            const char byte = static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            if (byte != 0) out += byte;
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace nebulark
