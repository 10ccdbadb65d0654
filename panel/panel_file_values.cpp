// Words of panel files and feeds: Windows-1252 texts, keys by their own
// names or their English names, colours, patterns and nearest words.
#include "panel/panel_file_values.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

#include "instrument_panel/colors.h"
#include "instrument_panel/keys.h"
#include "platform/font.h"

namespace ip::panel {

namespace {

constexpr char32_t kFirstC1 = 0x80, kLastC1 = 0x9F;
constexpr char32_t kFirstLatin1 = 0xA0, kLastLatin1 = 0xFF;
constexpr char32_t kDelete = 0x7F;
constexpr char kLineFeed = '\n', kCarriageReturn = '\r';
const char* const kBlackWord = "black";
const char* const kBlackHex = "#000000";
constexpr int kHexDigits = 6;

// Decodes one UTF-8 character at `at`; false for a malformed sequence.
bool DecodeUtf8(std::string_view text, size_t& at, char32_t& out) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(at);
  size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || at + length > text.size()) return false;
  char32_t value = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return false;
    value = (value << 6) | (byte(at + i) & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  at += length;
  out = value;
  return true;
}

// The Windows-1252 byte of a character of the 0x80..0x9F row, or 0.
uint8_t HighRowByte(char32_t character) {
  static const std::map<char32_t, uint8_t> table = [] {
    std::map<char32_t, uint8_t> made;
    for (int b = 0x80; b <= 0x9F; ++b) {
      const char32_t u = platform::UnicodeFromWindows1252(static_cast<uint8_t>(b));
      if (u < kFirstC1 || u > kLastC1) made[u] = static_cast<uint8_t>(b);  // the five unused bytes map to themselves
    }
    return made;
  }();
  const auto it = table.find(character);
  return it == table.end() ? 0 : it->second;
}

std::string CodePoint(char32_t c) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string digits;
  for (int shift = c > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) digits += kHex[(c >> shift) & 0xF];
  return "U+" + digits;
}

// Lower case, and spaces and '_' as '-': "Traffic light" -> "traffic-light".
std::string Normalised(std::string_view word) {
  std::string out;
  for (char c : word) {
    if (c == ' ' || c == '_') c = '-';
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

template <size_t N>
std::optional<std::string> FindKeyName(std::string_view word, const std::array<KeyName, N>& table) {
  const std::string wanted = Normalised(word);
  for (const KeyName& entry : table) {
    if (wanted == Normalised(entry.key) || wanted == Normalised(entry.englishName)) return std::string(entry.key);
  }
  return std::nullopt;
}

template <size_t N>
void AddCandidates(std::vector<std::string_view>& out, const std::array<KeyName, N>& table, bool withEmpty) {
  for (const KeyName& entry : table) {
    if (!entry.key.empty() || withEmpty) out.push_back(entry.key);
    out.push_back(entry.englishName);
  }
}

bool IsGaugeLevelStyle(std::string_view key) { return !key.empty() && key != gauge_style::kLedLamp; }

}  // namespace

std::optional<std::string> ToWindows1252(std::string_view utf8, bool keepLineBreaks, std::string& reason) {
  std::string out;
  for (size_t at = 0; at < utf8.size();) {
    const size_t start = at;
    char32_t c = 0;
    if (!DecodeUtf8(utf8, at, c)) {
      reason = "the text is not UTF-8";
      return std::nullopt;
    }
    if (keepLineBreaks && c == static_cast<char32_t>(kCarriageReturn) && at < utf8.size() && utf8[at] == kLineFeed) {
      continue;  // CR LF: the line feed below writes both
    }
    if (keepLineBreaks && c == static_cast<char32_t>(kLineFeed)) {
      out += "\r\n";
    } else if (c < 0x20 || c == kDelete || (c >= kFirstC1 && c <= kLastC1)) {
      reason = "the text holds the control character " + CodePoint(c);
      return std::nullopt;
    } else if (c < kFirstC1 || (c >= kFirstLatin1 && c <= kLastLatin1)) {
      out += static_cast<char>(c);
    } else if (const uint8_t b = HighRowByte(c); b != 0) {
      out += static_cast<char>(b);
    } else {
      reason = "the character '" + std::string(utf8.substr(start, at - start)) + "' (" + CodePoint(c) +
               ") cannot be shown (only Windows-1252 characters can)";
      return std::nullopt;
    }
  }
  return out;
}

size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string_view Nearest(std::string_view word, const std::vector<std::string_view>& candidates) {
  std::string_view best;
  size_t bestDistance = SIZE_MAX;
  for (std::string_view candidate : candidates) {
    const size_t distance = EditDistance(word, candidate);
    if (distance < bestDistance) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}

std::string DidYouMean(std::string_view word, const std::vector<std::string_view>& candidates) {
  if (candidates.empty()) return "";
  return " (did you mean '" + std::string(Nearest(word, candidates)) + "'?)";
}

std::optional<ColorRef> HexColour(std::string_view text) {
  if (text.size() != kHexDigits + 1 || text[0] != '#') return std::nullopt;
  uint32_t rgb = 0;
  for (char c : text.substr(1)) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return std::nullopt;
    rgb = rgb * 16 + static_cast<uint32_t>(digit);
  }
  const int32_t red = static_cast<int32_t>(rgb >> 16), green = static_cast<int32_t>((rgb >> 8) & 0xFF);
  const int32_t blue = static_cast<int32_t>(rgb & 0xFF);
  return MakeColor(red, green, blue);
}

std::optional<std::string> ColourNameKey(std::string_view word) {
  if (word.empty() || HexColour(word)) return std::string(word);
  if (Normalised(word) == kBlackWord) return std::string(kBlackHex);
  return FindKeyName(word, kColorNames);
}

std::optional<ColorRef> ColourValue(std::string_view word) {
  if (std::optional<ColorRef> hex = HexColour(word)) return hex;
  if (Normalised(word) == kBlackWord) return 0;
  if (std::optional<std::string> key = FindKeyName(word, kColorNames)) return ColorFromName(*key, 0);
  return std::nullopt;
}

std::optional<std::string> GaugeStyleKey(std::string_view word, bool allowCaptionBox) {
  std::optional<std::string> key = FindKeyName(word, kGaugeStyles);
  if (!key || *key == gauge_style::kLedLamp) return std::nullopt;
  if (key->empty() && !allowCaptionBox) return std::nullopt;
  return key;
}

std::optional<std::string> LampSchemeKey(std::string_view word) { return FindKeyName(word, kLampSchemes); }

std::optional<int> PatternNumber(std::string_view word) {
  const std::string wanted = Normalised(word);
  for (const PatternName& entry : kPatterns) {
    if (wanted == Normalised(entry.englishName)) return entry.key;
  }
  return std::nullopt;
}

std::vector<std::string_view> ColourCandidates() {
  std::vector<std::string_view> out;
  AddCandidates(out, kColorNames, false);
  out.push_back(kBlackWord);
  return out;
}

std::vector<std::string_view> GaugeStyleCandidates(bool allowCaptionBox) {
  std::vector<std::string_view> out;
  for (const KeyName& entry : kGaugeStyles) {
    if (IsGaugeLevelStyle(entry.key) || (allowCaptionBox && entry.key.empty())) {
      if (!entry.key.empty()) out.push_back(entry.key);
      out.push_back(entry.englishName);
    }
  }
  return out;
}

std::vector<std::string_view> LampSchemeCandidates() {
  std::vector<std::string_view> out;
  AddCandidates(out, kLampSchemes, false);
  return out;
}

std::vector<std::string_view> PatternCandidates() {
  std::vector<std::string_view> out;
  for (const PatternName& entry : kPatterns) out.push_back(entry.englishName);
  return out;
}

}  // namespace ip::panel
