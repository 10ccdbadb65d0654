// Text services on byte strings with 1-based positions. Every operation
// checks its positions against the text, so out-of-range arguments give an
// empty text or 0 and never touch memory outside the text. An empty
// delimiter is treated as one that does not occur.
#include "instrument_panel/texts.h"

#include <algorithm>
#include <array>
#include <vector>

#include "host/text_match.h"

namespace ip {

namespace {

int32_t Length(const std::string& text) {
  return text.size() > static_cast<size_t>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(text.size());
}

// Splits text at each non-overlapping occurrence of delimiter.
std::vector<std::string> SplitFields(const std::string& text, const std::string& delimiter) {
  std::vector<std::string> fields;
  if (delimiter.empty()) {
    fields.push_back(text);
    return fields;
  }
  size_t from = 0;
  for (size_t at = text.find(delimiter); at != std::string::npos; at = text.find(delimiter, from)) {
    fields.push_back(text.substr(from, at - from));
    from = at + delimiter.size();
  }
  fields.push_back(text.substr(from));
  return fields;
}

// The lower-case byte of every byte: A-Z and the code page 437 capitals
// change, every other byte maps to itself.
constexpr std::array<unsigned char, 256> MakeLowerCaseTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c - 'A' + 'a');
  table[0x80] = 0x87;  // C cedilla
  table[0x8E] = 0x84;  // A diaeresis
  table[0x8F] = 0x86;  // A ring
  table[0x90] = 0x82;  // E acute
  table[0x99] = 0x94;  // O diaeresis
  table[0x9A] = 0x81;  // U diaeresis
  table[0xA5] = 0xA4;  // N tilde
  return table;
}

constexpr std::array<unsigned char, 256> kLowerCase = MakeLowerCaseTable();

}  // namespace

std::string TextBefore(const std::string& text, const std::string& delimiter) {
  size_t at = delimiter.empty() ? std::string::npos : text.find(delimiter);
  return at == std::string::npos ? text : text.substr(0, at);
}

std::string TextAfter(const std::string& text, const std::string& delimiter) {
  size_t at = delimiter.empty() ? std::string::npos : text.find(delimiter);
  return at == std::string::npos ? std::string() : text.substr(at + delimiter.size());
}

int32_t TextFieldCount(const std::string& text, const std::string& delimiter) {
  size_t count = SplitFields(text, delimiter).size();
  return count > static_cast<size_t>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(count);
}

// Field n (1-based); a negative n counts from the last field (-1); 0 or a
// field that does not exist gives an empty text.
std::string TextField(const std::string& text, const std::string& delimiter, int32_t n) {
  std::vector<std::string> fields = SplitFields(text, delimiter);
  int64_t count = static_cast<int64_t>(fields.size());
  int64_t index = n > 0 ? int64_t{n} - 1 : count + n;
  if (n == 0 || index < 0 || index >= count) return std::string();
  return fields[static_cast<size_t>(index)];
}

// Position of pattern at or after start; a start below 1 searches from the
// beginning; a start beyond the end or an empty pattern gives 0.
int32_t FindText(const std::string& text, const std::string& pattern, int32_t start) {
  if (pattern.empty()) return 0;
  int32_t from = start < 1 ? 1 : start;
  if (from > Length(text)) return 0;
  size_t at = text.find(pattern, static_cast<size_t>(from - 1));
  return at == std::string::npos ? 0 : static_cast<int32_t>(at + 1);
}

// Up to length characters from start. A negative start counts from the end
// (-1 = last character) and is limited to the first character; a negative
// length means text length + length.
std::string TextMid(const std::string& text, int32_t start, int32_t length) {
  int64_t size = Length(text);
  int64_t first = start;
  if (first == 0 || first > size) return std::string();
  if (first < 0) first = std::max<int64_t>(size + first + 1, 1);
  int64_t count = length < 0 ? size + length : length;
  if (count <= 0) return std::string();
  count = std::min(count, size - first + 1);
  return text.substr(static_cast<size_t>(first - 1), static_cast<size_t>(count));
}

// The last n characters; a negative n means text length + n.
std::string TextRight(const std::string& text, int32_t n) {
  int64_t size = Length(text);
  int64_t count = n < 0 ? size + n : n;
  if (count <= 0) return std::string();
  if (count >= size) return text;
  return text.substr(static_cast<size_t>(size - count));
}

std::string TrimLeft(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

std::string TrimRight(const std::string& text) {
  size_t last = text.find_last_not_of(' ');
  return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string Trimmed(const std::string& text) { return TrimLeft(TrimRight(text)); }

bool LowerCaseEquals(std::string_view text, std::string_view lowerKey) {
  if (text.size() != lowerKey.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (kLowerCase[static_cast<unsigned char>(text[i])] != static_cast<unsigned char>(lowerKey[i])) return false;
  }
  return true;
}

std::string_view TrimmedView(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string LowerCase(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(kLowerCase[static_cast<unsigned char>(c)]);
  return lower;
}

}  // namespace ip
