// The GDI reference suite: every case of the GDI reference pictures replayed
// through the canvas operations and compared pixel for pixel (red, green,
// blue) with the picture GDI drew. A failure names the case, the first wrong
// pixel with both colours and the number of wrong pixels, and leaves
// NAME_diff.png in the build folder.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_support.h"
#include "tools/case_file.h"

using namespace ip;

namespace {

std::string ReferenceDir() { return testing_support::ReferenceDir(); }

const cases::CaseFile& ReferenceCases() {
  static const cases::CaseFile file = [] {
    cases::CaseFile loaded;
    cases::ParseError error;
    if (!cases::LoadCaseFile(ReferenceDir() + "/cases.txt", loaded, error)) loaded.cases.clear();
    return loaded;
  }();
  return file;
}

std::vector<size_t> CaseIndexes() {
  std::vector<size_t> indexes(ReferenceCases().cases.size());
  for (size_t i = 0; i < indexes.size(); ++i) indexes[i] = i;
  return indexes;
}

std::string TestName(const testing::TestParamInfo<size_t>& info) {
  std::string name = ReferenceCases().cases[info.param].name;
  for (char& c : name) {
    if (c == '-') c = '_';
  }
  return name;
}

class GdiReference : public testing::TestWithParam<size_t> {};

TEST_P(GdiReference, MatchesGdiPixels) {
  const cases::Case& c = ReferenceCases().cases[GetParam()];
  platform::Surface expected;
  ASSERT_TRUE(testing_support::ReadPng(ReferenceDir() + "/" + c.name + ".png", expected))
      << "missing reference picture for case " << c.name;
  const platform::Surface actual = cases::RunCase(c, ReferenceCases().folder);
  const std::string diffPath = testing_support::BinaryDir() + "/" + c.name + "_diff.png";
  const std::string report = testing_support::ComparePictures(expected, actual, diffPath);
  EXPECT_EQ(report, "") << "case " << c.name << " (cases.txt line " << c.line << "): " << report;
}

INSTANTIATE_TEST_SUITE_P(Cases, GdiReference, testing::ValuesIn(CaseIndexes()), TestName);

TEST(GdiReferenceData, AllCasesAreRead) {
  cases::CaseFile file;
  cases::ParseError error;
  ASSERT_TRUE(cases::LoadCaseFile(ReferenceDir() + "/cases.txt", file, error))
      << "line " << error.line << ": " << error.reason;
  EXPECT_EQ(file.cases.size(), 373u);
}

}  // namespace
