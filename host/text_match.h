// Matching a caller's text against the lower-case keys of a lookup table
// (colour names, lamp schemes) without making lower-case or trimmed copies:
// the same answers as comparing LowerCase and Trimmed copies, on every call
// of a timer tick without allocating.
#pragma once

#include <string_view>

namespace ip {

// True when LowerCase(text) equals `lowerKey`.
bool LowerCaseEquals(std::string_view text, std::string_view lowerKey);

// `text` without its leading and trailing spaces (only spaces), as Trimmed.
std::string_view TrimmedView(std::string_view text);

}  // namespace ip
