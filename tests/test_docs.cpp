// The manual shows every key the code accepts: each key of the tables in
// keys.h is a label on a sheet of its family, as the gallery listed the
// labels it drew in docs/pictures/labels.txt (the pictures test keeps that
// list as fresh as the sheets). Keys are labelled in double quotes, the
// background patterns as "pattern N".
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "instrument_panel/keys.h"
#include "support/test_support.h"

namespace {

using Labels = std::map<std::string, std::set<std::string>>;  // sheet -> texts drawn on it

const char* const kRefresh = "build/gallery docs/pictures";

Labels ReadLabels() {
  Labels labels;
  std::ifstream file(testing_support::SourceDir() + "/docs/pictures/labels.txt");
  std::string line;
  while (std::getline(file, line)) {
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) labels[line.substr(0, tab)].insert(line.substr(tab + 1));
  }
  return labels;
}

std::string Quoted(std::string_view key) { return "\"" + std::string(key) + "\""; }

template <size_t N>
std::vector<std::string> QuotedKeys(const std::array<ip::KeyName, N>& table) {
  std::vector<std::string> keys;
  for (const ip::KeyName& entry : table) keys.push_back(Quoted(entry.key));
  return keys;
}

// What a family of keys is called, the sheets that must show them, and their labels.
struct Family {
  std::string what;
  std::vector<std::string> sheets;
  std::vector<std::string> labels;
};

std::vector<Family> Families() {
  std::vector<std::string> colours = QuotedKeys(ip::kColorNames);
  colours.push_back(Quoted(ip::color::kBlack));
  std::vector<std::string> patterns;
  for (const ip::PatternName& pattern : ip::kPatterns) patterns.push_back("pattern " + std::to_string(pattern.key));
  return {
      {"colour name", {"colours"}, colours},
      {"frame colour", {"frames"}, colours},
      {"face colour", {"buttons"}, colours},
      {"gauge style", {"gauges", "gauge-captions"}, QuotedKeys(ip::kGaugeStyles)},
      {"caption code", {"gauge-captions"}, QuotedKeys(ip::kCaptionCodes)},
      {"lamp scheme", {"lamps"}, QuotedKeys(ip::kLampSchemes)},
      {"background", {"backgrounds"}, patterns},
  };
}

bool OnAnySheet(const Labels& labels, const std::vector<std::string>& sheets, const std::string& label) {
  for (const std::string& sheet : sheets) {
    const auto it = labels.find(sheet);
    if (it != labels.end() && it->second.count(label) != 0) return true;
  }
  return false;
}

TEST(Docs, EveryKeyTheCodeAcceptsIsLabelledOnASheetOfItsFamily) {
  const Labels labels = ReadLabels();
  ASSERT_FALSE(labels.empty()) << "docs/pictures/labels.txt is missing or empty; refresh it with " << kRefresh;
  for (const Family& family : Families()) {
    for (const std::string& label : family.labels) {
      EXPECT_TRUE(OnAnySheet(labels, family.sheets, label))
          << "the " << family.what << " " << label << " is on no sheet of " << testing::PrintToString(family.sheets)
          << "; draw it in the gallery (tools/gallery_*.cpp) and refresh the pictures with " << kRefresh;
    }
  }
}

}  // namespace
