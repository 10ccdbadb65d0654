// Text services: splitting at delimiters, searching, cutting, trimming and
// lower-casing byte strings with 1-based positions.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "instrument_panel/texts.h"

using namespace ip;

namespace {

const std::string kThreeLines = "uno\r\ndue\r\ntre";

TEST(TextBeforeAfter, SplitAtTheFirstDelimiter) {
  // Text, delimiter, the part before and the part after; a missing or empty
  // delimiter leaves everything before.
  const struct {
    const char *text, *delimiter, *before, *after;
  } rows[] = {{"OFF/ON", "/", "OFF", "ON"},  {"a/b/c", "/", "a", "b/c"}, {"a--b", "--", "a", "b"},
              {"ACCESO", "/", "ACCESO", ""}, {"ON/", "/", "ON", ""},     {"/ON", "/", "", "ON"},
              {"abc", "", "abc", ""},        {"", "/", "", ""}};
  for (const auto& r : rows) {
    EXPECT_EQ(TextBefore(r.text, r.delimiter), r.before) << r.text;
    EXPECT_EQ(TextAfter(r.text, r.delimiter), r.after) << r.text;
  }
}

TEST(TextFields, CountAndPickFieldsFromEitherEnd) {
  // A negative index counts from the end; delimiters do not overlap; an empty
  // delimiter never occurs.
  const struct {
    std::string text;
    const char* delimiter;
    int32_t index;
    const char* field;
  } rows[] = {{kThreeLines, "\r\n", 1, "uno"},      {kThreeLines, "\r\n", 2, "due"},  {kThreeLines, "\r\n", 3, "tre"},
              {kThreeLines, "\r\n", 4, ""},         {"a/b/c/d", "/", 5, ""},            {kThreeLines, "\r\n", 0, ""},
              {kThreeLines, "\r\n", INT32_MAX, ""}, {kThreeLines, "\r\n", -1, "tre"}, {kThreeLines, "\r\n", -3, "uno"},
              {kThreeLines, "\r\n", -4, ""},        {kThreeLines, "\r\n", INT32_MIN, ""}, {"", "/", 1, ""},
              {"a//b", "/", 2, ""},                  {"a//b", "/", 3, "b"},              {"aaa", "aa", 2, "a"},
              {"abc", "", 1, "abc"}};
  for (const auto& r : rows) EXPECT_EQ(TextField(r.text, r.delimiter, r.index), r.field) << r.text << " " << r.index;
  // Two occurrences of "aa" in "aaaa", not three.
  const struct {
    std::string text;
    const char* delimiter;
    int32_t count;
  } counts[] = {{kThreeLines, "\r\n", 3}, {"", "/", 1},     {"/", "/", 2}, {"a//b", "/", 3},
                {"aaaa", "aa", 3},        {"aaa", "aa", 2}, {"abc", "", 1}};
  for (const auto& c : counts) EXPECT_EQ(TextFieldCount(c.text, c.delimiter), c.count) << c.text;
}

TEST(FindText, PositionsAreOneBasedAndStartsClamped) {
  // Text, pattern, start and the 1-based position found (0: none); starts out
  // of range are clamped, an empty pattern is never found.
  const struct {
    const char *text, *pattern;
    int32_t start, found;
  } rows[] = {{"ori_ago", "_", 1, 4},     {"abcabc", "bc", 1, 2}, {"abcabc", "bc", 2, 2},
              {"abcabc", "bc", 3, 5},     {"abcabc", "bc", 6, 0}, {"abcabc", "x", 1, 0},
              {"abc", "abcd", 1, 0},      {"abc", "c", 3, 3},     {"abc", "c", 4, 0},
              {"abc", "c", INT32_MAX, 0}, {"abc", "a", 0, 1},     {"abc", "a", -7, 1},
              {"abc", "a", INT32_MIN, 1}, {"", "a", 1, 0},        {"abc", "", 1, 0}};
  for (const auto& r : rows) EXPECT_EQ(FindText(r.text, r.pattern, r.start), r.found) << r.text << " " << r.start;
}

TEST(TextMid, CutsFromAStartPositionOfEitherSign) {
  // A negative start counts from the end (limited to the first character); a
  // negative length is the text's length less it.
  const struct {
    const char* text;
    int32_t start, length;
    const char* cut;
  } rows[] = {{"#FF8000", 2, 2, "FF"},    {"#FF8000", 6, 2, "00"},     {"#FF8", 4, 2, "8"},
              {"#FF8", 6, 2, ""},         {"abc", 0, 2, ""},           {"abc", 1, 0, ""},
              {"abc", 2, 100, "bc"},      {"abc", 2, INT32_MAX, "bc"}, {"abc", INT32_MAX, 1, ""},
              {"", 1, 1, ""},             {"abcdef", -1, 1, "f"},      {"abcdef", -3, 2, "de"},
              {"abcdef", -6, 1, "a"},     {"abcdef", -8, 2, "ab"},     {"abcdef", INT32_MIN, 2, "ab"},
              {"abcdef", 2, -1, "bcdef"}, {"abcdef", 1, -4, "ab"},     {"abcdef", 1, -6, ""},
              {"abcdef", 1, -100, ""},    {"abcdef", 1, INT32_MIN, ""}};
  for (const auto& r : rows) EXPECT_EQ(TextMid(r.text, r.start, r.length), r.cut) << r.text << " " << r.start;
}

TEST(TextRight, LastCharacters) {
  // A negative count is the text's length less it.
  const std::pair<int32_t, const char*> rows[] = {{2, "ef"},    {6, "abcdef"}, {100, "abcdef"}, {0, ""},
                                                  {-2, "cdef"}, {-6, ""},      {INT32_MIN, ""}};
  for (const auto& [count, last] : rows) EXPECT_EQ(TextRight("abcdef", count), last) << count;
  EXPECT_EQ(TextRight("", 3), "");
}

TEST(Trim, OnlySpacesAreRemoved) {
  const struct {
    std::string text, left, right;
  } rows[] = {{"  57% ", "57% ", "  57%"},
              {"\trosso\t", "\trosso\t", "\trosso\t"},
              {"    ", "", ""},
              {"", "", ""},
              {std::string("a \0 ", 4), std::string("a \0 ", 4), std::string("a \0", 3)}};
  for (const auto& r : rows) {
    EXPECT_EQ(TrimLeft(r.text), r.left) << r.text;
    EXPECT_EQ(TrimRight(r.text), r.right) << r.text;
  }
}

TEST(LowerCase, AsciiAndCodePage437Capitals) {
  EXPECT_EQ(LowerCase("ROSSO Verde"), "rosso verde");
  EXPECT_EQ(LowerCase(""), "");
  // Code page 437 capitals; every other byte, such as the neighbours of A-Z,
  // Windows-1252 capitals and the lower-case letters, is unchanged.
  const std::string capitals = "\x80\x8E\x8F\x90\x99\x9A\xA5";
  const std::string lower = "\x87\x84\x86\x82\x94\x81\xA4";
  EXPECT_EQ(LowerCase(capitals), lower);
  for (int c = 0; c < 256; ++c) {
    if ((c >= 'A' && c <= 'Z') || capitals.find(static_cast<char>(c)) != std::string::npos) continue;
    std::string one(1, static_cast<char>(c));
    EXPECT_EQ(LowerCase(one), one) << "byte " << c;
  }
}

}  // namespace
