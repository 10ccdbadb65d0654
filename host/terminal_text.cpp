// Escaping outside text for a terminal: see terminal_text.h.
#include "host/terminal_text.h"

#include <cstdint>

namespace ip {

namespace {

constexpr uint8_t kFirstPrintable = 0x20;
constexpr uint8_t kDelete = 0x7F;
constexpr uint32_t kFirstAfterC1 = 0xA0;
constexpr uint32_t kFirstSurrogate = 0xD800;
constexpr uint32_t kLastSurrogate = 0xDFFF;
constexpr uint32_t kLastCodePoint = 0x10FFFF;

void AppendEscaped(std::string& out, uint8_t byte) {
  constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

// The length of the well-formed UTF-8 sequence of a code point from U+00A0 on
// starting at `at`, or 0 when the bytes there are not one.
size_t Utf8SequenceLength(std::string_view text, size_t at) {
  const auto lead = static_cast<uint8_t>(text[at]);
  size_t length = 0;
  uint32_t code = 0, smallest = 0;
  if ((lead & 0xE0) == 0xC0) length = 2, code = lead & 0x1F, smallest = kFirstAfterC1;
  else if ((lead & 0xF0) == 0xE0) length = 3, code = lead & 0x0F, smallest = 0x800;
  else if ((lead & 0xF8) == 0xF0) length = 4, code = lead & 0x07, smallest = 0x10000;
  else return 0;
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<uint8_t>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  const bool surrogate = code >= kFirstSurrogate && code <= kLastSurrogate;
  return code < smallest || surrogate || code > kLastCodePoint ? 0 : length;
}

}  // namespace

std::string PrintableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const auto byte = static_cast<uint8_t>(text[at]);
    if (byte >= kFirstPrintable && byte < kDelete) {
      if (byte == '\\') out += '\\';
      out += static_cast<char>(byte);
      ++at;
    } else if (byte == '\t' || byte == '\n' || byte == '\r') {
      out += byte == '\t' ? "\\t" : byte == '\n' ? "\\n" : "\\r";
      ++at;
    } else if (const size_t length = byte > kDelete ? Utf8SequenceLength(text, at) : 0; length > 0) {
      out.append(text.substr(at, length));
      at += length;
    } else {
      AppendEscaped(out, byte);
      ++at;
    }
  }
  return out;
}

}  // namespace ip
