// Fuzz harness: the text services on any bytes. Each result keeps its rule:
// the parts before and after a delimiter put back together give the text;
// the fields, joined by the delimiter, give the text and number the count;
// a found position holds the pattern; middles and right parts are pieces of
// the text; trimmed texts have no spaces left at the trimmed end; lower case
// keeps the length and changes nothing a second time.
#include <cstdint>
#include <string>

#include "instrument_panel/texts.h"
#include "tests/fuzz/fuzz_input.h"

using namespace ip;
using fuzz_input::FuzzCheck;

namespace {

constexpr size_t kMaxDelimiter = 4;
constexpr int32_t kMaxFieldsChecked = 64;

bool IsPieceOf(const std::string& piece, const std::string& text) { return text.find(piece) != std::string::npos; }

void CheckSplitting(const std::string& text, const std::string& delimiter) {
  const std::string before = TextBefore(text, delimiter), after = TextAfter(text, delimiter);
  const bool found = !delimiter.empty() && text.find(delimiter) != std::string::npos;
  FuzzCheck(found ? before + delimiter + after == text : before == text && after.empty(),
            "before + delimiter + after is the text", text + " | " + delimiter);
  const int32_t count = TextFieldCount(text, delimiter);
  FuzzCheck(count >= 1, "at least one field");
  if (delimiter.empty() || count > kMaxFieldsChecked) return;
  std::string joined = TextField(text, delimiter, 1);
  for (int32_t n = 2; n <= count; ++n) joined += delimiter + TextField(text, delimiter, n);
  FuzzCheck(joined == text, "the fields joined give the text", text + " | " + delimiter);
  FuzzCheck(TextField(text, delimiter, count + 1).empty(), "no field after the last");
  FuzzCheck(TextField(text, delimiter, -1) == TextField(text, delimiter, count), "field -1 is the last");
}

void CheckPieces(const std::string& text, const std::string& pattern, int32_t start, int32_t length) {
  const int32_t at = FindText(text, pattern, start);
  if (at > 0) {
    FuzzCheck(static_cast<size_t>(at) + pattern.size() - 1 <= text.size() &&
                  text.compare(static_cast<size_t>(at) - 1, pattern.size(), pattern) == 0,
              "a found position holds the pattern", text + " | " + pattern);
  }
  const std::string middle = TextMid(text, start, length);
  FuzzCheck(middle.size() <= text.size() && IsPieceOf(middle, text), "a middle is a piece of the text");
  const std::string right = TextRight(text, length);
  FuzzCheck(right.size() <= text.size() && text.compare(text.size() - right.size(), right.size(), right) == 0,
            "a right part ends the text");
}

void CheckTrimmingAndCase(const std::string& text) {
  const size_t first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
  const std::string left = TrimLeft(text), right = TrimRight(text);
  FuzzCheck(left == (first == std::string::npos ? "" : text.substr(first)), "TrimLeft drops the leading spaces only");
  FuzzCheck(right == (last == std::string::npos ? "" : text.substr(0, last + 1)),
            "TrimRight drops the trailing spaces only");
  FuzzCheck(Trimmed(text) == TrimLeft(right), "Trimmed trims both ends");
  const std::string lower = LowerCase(text);
  FuzzCheck(lower.size() == text.size() && LowerCase(lower) == lower, "lower case keeps the length, once is enough");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_input::Reader in(data, size);
  const std::string delimiter = in.Text(kMaxDelimiter);
  const int32_t start = in.Int32();
  const int32_t length = in.Int32();
  const std::string text = in.Rest();
  CheckSplitting(text, delimiter);
  CheckPieces(text, delimiter, start, length);
  CheckTrimmingAndCase(text);
  return 0;
}
