// The values a panel file and a feed give in words: texts turned into the
// Windows-1252 bytes the instruments draw, the system's keys found from
// themselves or their English names, colours, patterns, and the nearest
// valid word for a message when a word is not one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "instrument_panel/types.h"

namespace ip::panel {

// UTF-8 text as Windows-1252 bytes. With keepLineBreaks, a line feed (with
// or without a carriage return before it) becomes CR LF; every other
// control character, and characters Windows-1252 cannot show, are refused:
// nullopt, and `reason` says which.
std::optional<std::string> ToWindows1252(std::string_view utf8, bool keepLineBreaks, std::string& reason);

// Levenshtein distance: insertions, deletions and substitutions of one byte.
size_t EditDistance(std::string_view a, std::string_view b);
// The candidate nearest to `word` (the first of equals); empty when there are none.
std::string_view Nearest(std::string_view word, const std::vector<std::string_view>& candidates);
// " (did you mean 'X'?)" for the nearest candidate, or "".
std::string DidYouMean(std::string_view word, const std::vector<std::string_view>& candidates);

// "#RRGGBB" with six hexadecimal digits, as a colour value 0x00BBGGRR.
std::optional<ColorRef> HexColour(std::string_view text);

// Each resolver takes a word of a file (a key, an English name in any case,
// words joined by spaces, '-' or '_') and gives the system's own value, or
// nullopt; `candidates` are the words it accepts, for messages.
// A colour family for a shaded colour: a colour key, "#RRGGBB" or "" as
// given; "black" is "#000000".
std::optional<std::string> ColourNameKey(std::string_view word);
// One colour: "#RRGGBB", or a colour key or name at its full colour; "black" is 0.
std::optional<ColorRef> ColourValue(std::string_view word);
// A gauge style key; the caption box ("") only when allowed.
std::optional<std::string> GaugeStyleKey(std::string_view word, bool allowCaptionBox);
std::optional<std::string> LampSchemeKey(std::string_view word);
// A background pattern number from its English name.
std::optional<int> PatternNumber(std::string_view word);

std::vector<std::string_view> ColourCandidates();
std::vector<std::string_view> GaugeStyleCandidates(bool allowCaptionBox);
std::vector<std::string_view> LampSchemeCandidates();
std::vector<std::string_view> PatternCandidates();

}  // namespace ip::panel
