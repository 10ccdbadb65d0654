// Text services on byte strings (Windows-1252) with 1-based positions.
#pragma once

#include <cstdint>
#include <string>

namespace ip {

std::string TextBefore(const std::string& text, const std::string& delimiter);
std::string TextAfter(const std::string& text, const std::string& delimiter);
int32_t TextFieldCount(const std::string& text, const std::string& delimiter);
std::string TextField(const std::string& text, const std::string& delimiter, int32_t n);
int32_t FindText(const std::string& text, const std::string& pattern, int32_t start);
std::string TextMid(const std::string& text, int32_t start, int32_t length);
std::string TextRight(const std::string& text, int32_t n);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);
// Without its leading and trailing spaces.
std::string Trimmed(const std::string& text);
std::string LowerCase(const std::string& text);

}  // namespace ip
