// Text shown to a person on a terminal that may have come from outside (a
// file name, a word of an input file): control characters and bytes that are
// not UTF-8 are written as escapes, so that echoing them can neither move the
// cursor, change colours nor hide part of the message.
#pragma once

#include <string>
#include <string_view>

namespace ip {

// Printable ASCII and well-formed UTF-8 (other than the C1 controls U+0080 to
// U+009F) stay as they are; a backslash becomes "\\", tab, line feed and
// carriage return "\t", "\n" and "\r", and every other byte "\xNN".
std::string PrintableText(std::string_view text);

}  // namespace ip
