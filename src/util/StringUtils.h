#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nebulark {

// Byte-string helpers in the C locale. Every function takes its arguments by
// value and returns a new string.

std::string toUpperCase(std::string text);
std::string toLowerCase(std::string text);
std::string trim(std::string text);
std::string trimLeft(std::string text);
std::string trimRight(std::string text);
std::string replaceAll(std::string text, std::string from, std::string to);
std::string replaceChar(std::string text, char c1, char c2);
std::string padLeft(std::string text, char ch, int width);
std::string padRight(std::string text, char ch, int width);
std::vector<std::string> split(std::string text, std::string delimiter);

std::string formatInteger(int64_t n, char padChar, int width);
std::string toText(int64_t n);
std::string hexByte(int v);

// The program always uses the decimal-comma convention: "." groups thousands
// and "," separates decimals.
bool decimalCommaConvention();
std::string decimalSeparator();
std::string thousandsSeparator();
std::string formatFixed2(double x);
std::string formatGrouped(int64_t n);
std::string formatAmount(double x);
double parseAmount(std::string& text);
std::string urlEncode(std::string text);
std::string urlDecode(std::string text);

}  // namespace nebulark
