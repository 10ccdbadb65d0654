// Text services: splitting at delimiters, searching, cutting, trimming and
// lower-casing byte strings with 1-based positions.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "instrument_panel/texts.h"

using namespace ip;

namespace {

const std::string kThreeLines = "uno\r\ndue\r\ntre";

TEST(TextBeforeAfter, SplitAtTheFirstDelimiter) {
  EXPECT_EQ(TextBefore("OFF/ON", "/"), "OFF");
  EXPECT_EQ(TextAfter("OFF/ON", "/"), "ON");
  EXPECT_EQ(TextBefore("a/b/c", "/"), "a");
  EXPECT_EQ(TextAfter("a/b/c", "/"), "b/c");
  EXPECT_EQ(TextBefore("a--b", "--"), "a");
  EXPECT_EQ(TextAfter("a--b", "--"), "b");
  // A missing or empty delimiter.
  EXPECT_EQ(TextBefore("ACCESO", "/"), "ACCESO");
  EXPECT_EQ(TextAfter("ACCESO", "/"), "");
  EXPECT_EQ(TextBefore("ON/", "/"), "ON");
  EXPECT_EQ(TextAfter("ON/", "/"), "");
  EXPECT_EQ(TextBefore("/ON", "/"), "");
  EXPECT_EQ(TextAfter("/ON", "/"), "ON");
  EXPECT_EQ(TextBefore("abc", ""), "abc");
  EXPECT_EQ(TextAfter("abc", ""), "");
  EXPECT_EQ(TextBefore("", "/"), "");
}

TEST(TextFields, CountAndPickFieldsFromEitherEnd) {
  EXPECT_EQ(TextFieldCount(kThreeLines, "\r\n"), 3);
  EXPECT_EQ(TextField(kThreeLines, "\r\n", 1), "uno");
  EXPECT_EQ(TextField(kThreeLines, "\r\n", 2), "due");
  EXPECT_EQ(TextField(kThreeLines, "\r\n", 3), "tre");
  EXPECT_EQ(TextField(kThreeLines, "\r\n", 4), "");
  EXPECT_EQ(TextField("a/b/c/d", "/", 5), "");  // one past the last of four
  EXPECT_EQ(TextField(kThreeLines, "\r\n", 0), "");
  EXPECT_EQ(TextField(kThreeLines, "\r\n", INT32_MAX), "");
  // A negative index counts from the end.
  EXPECT_EQ(TextField(kThreeLines, "\r\n", -1), "tre");
  EXPECT_EQ(TextField(kThreeLines, "\r\n", -3), "uno");
  EXPECT_EQ(TextField(kThreeLines, "\r\n", -4), "");
  EXPECT_EQ(TextField(kThreeLines, "\r\n", INT32_MIN), "");
  // Empty fields; delimiters do not overlap.
  EXPECT_EQ(TextFieldCount("", "/"), 1);
  EXPECT_EQ(TextField("", "/", 1), "");
  EXPECT_EQ(TextFieldCount("/", "/"), 2);
  EXPECT_EQ(TextFieldCount("a//b", "/"), 3);
  EXPECT_EQ(TextField("a//b", "/", 2), "");
  EXPECT_EQ(TextField("a//b", "/", 3), "b");
  EXPECT_EQ(TextFieldCount("aaaa", "aa"), 3);  // two occurrences, not three
  EXPECT_EQ(TextFieldCount("aaa", "aa"), 2);
  EXPECT_EQ(TextField("aaa", "aa", 2), "a");
  EXPECT_EQ(TextFieldCount("abc", ""), 1);  // an empty delimiter never occurs
  EXPECT_EQ(TextField("abc", "", 1), "abc");
}

TEST(FindText, PositionsAreOneBasedAndStartsClamped) {
  EXPECT_EQ(FindText("ori_ago", "_", 1), 4);
  EXPECT_EQ(FindText("abcabc", "bc", 1), 2);
  EXPECT_EQ(FindText("abcabc", "bc", 2), 2);
  EXPECT_EQ(FindText("abcabc", "bc", 3), 5);
  EXPECT_EQ(FindText("abcabc", "bc", 6), 0);
  EXPECT_EQ(FindText("abcabc", "x", 1), 0);
  EXPECT_EQ(FindText("abc", "abcd", 1), 0);
  // Out-of-range starts and empty patterns.
  EXPECT_EQ(FindText("abc", "c", 3), 3);
  EXPECT_EQ(FindText("abc", "c", 4), 0);
  EXPECT_EQ(FindText("abc", "c", INT32_MAX), 0);
  EXPECT_EQ(FindText("abc", "a", 0), 1);
  EXPECT_EQ(FindText("abc", "a", -7), 1);
  EXPECT_EQ(FindText("abc", "a", INT32_MIN), 1);
  EXPECT_EQ(FindText("", "a", 1), 0);
  EXPECT_EQ(FindText("abc", "", 1), 0);
}

TEST(TextMid, CutsFromAStartPositionOfEitherSign) {
  EXPECT_EQ(TextMid("#FF8000", 2, 2), "FF");
  EXPECT_EQ(TextMid("#FF8000", 6, 2), "00");
  EXPECT_EQ(TextMid("#FF8", 4, 2), "8");   // short text: what is there
  EXPECT_EQ(TextMid("#FF8", 6, 2), "");    // beyond the end
  EXPECT_EQ(TextMid("abc", 0, 2), "");     // start 0
  EXPECT_EQ(TextMid("abc", 1, 0), "");
  EXPECT_EQ(TextMid("abc", 2, 100), "bc");
  EXPECT_EQ(TextMid("abc", 2, INT32_MAX), "bc");
  EXPECT_EQ(TextMid("abc", INT32_MAX, 1), "");
  EXPECT_EQ(TextMid("", 1, 1), "");
  // A negative start counts from the end; a negative length is the text's length less it.
  EXPECT_EQ(TextMid("abcdef", -1, 1), "f");
  EXPECT_EQ(TextMid("abcdef", -3, 2), "de");
  EXPECT_EQ(TextMid("abcdef", -6, 1), "a");
  EXPECT_EQ(TextMid("abcdef", -8, 2), "ab");  // limited to the first character
  EXPECT_EQ(TextMid("abcdef", INT32_MIN, 2), "ab");
  EXPECT_EQ(TextMid("abcdef", 2, -1), "bcdef");  // length 6 - 1
  EXPECT_EQ(TextMid("abcdef", 1, -4), "ab");
  EXPECT_EQ(TextMid("abcdef", 1, -6), "");
  EXPECT_EQ(TextMid("abcdef", 1, -100), "");
  EXPECT_EQ(TextMid("abcdef", 1, INT32_MIN), "");
}

TEST(TextRight, LastCharacters) {
  EXPECT_EQ(TextRight("abcdef", 2), "ef");
  EXPECT_EQ(TextRight("abcdef", 6), "abcdef");
  EXPECT_EQ(TextRight("abcdef", 100), "abcdef");
  EXPECT_EQ(TextRight("abcdef", 0), "");
  EXPECT_EQ(TextRight("abcdef", -2), "cdef");  // length 6 - 2
  EXPECT_EQ(TextRight("abcdef", -6), "");
  EXPECT_EQ(TextRight("abcdef", INT32_MIN), "");
  EXPECT_EQ(TextRight("", 3), "");
}

TEST(Trim, OnlySpacesAreRemoved) {
  EXPECT_EQ(TrimLeft("  57%"), "57%");
  EXPECT_EQ(TrimLeft("57 "), "57 ");
  EXPECT_EQ(TrimRight("rosso  "), "rosso");
  EXPECT_EQ(TrimRight(" rosso"), " rosso");
  EXPECT_EQ(TrimLeft("\trosso"), "\trosso");
  EXPECT_EQ(TrimRight("rosso\t"), "rosso\t");
  EXPECT_EQ(TrimLeft("    "), "");
  EXPECT_EQ(TrimRight("    "), "");
  EXPECT_EQ(TrimLeft(""), "");
  EXPECT_EQ(TrimRight(std::string("a \0 ", 4)), std::string("a \0", 3));
}

TEST(LowerCase, AsciiAndCodePage437Capitals) {
  EXPECT_EQ(LowerCase("ROSSO Verde"), "rosso verde");
  EXPECT_EQ(LowerCase(""), "");
  // Code page 437 capitals; every other byte, such as the neighbours of A-Z
  // and Windows-1252 capitals, is unchanged.
  const std::string capitals = "\x80\x8E\x8F\x90\x99\x9A\xA5";
  const std::string lower = "\x87\x84\x86\x82\x94\x81\xA4";
  EXPECT_EQ(LowerCase(capitals), lower);
  EXPECT_EQ(LowerCase(lower), lower);
  for (int c = 0; c < 256; ++c) {
    if ((c >= 'A' && c <= 'Z') || capitals.find(static_cast<char>(c)) != std::string::npos) continue;
    std::string one(1, static_cast<char>(c));
    EXPECT_EQ(LowerCase(one), one) << "byte " << c;
  }
}

}  // namespace
