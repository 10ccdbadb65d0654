// The example panels of examples/panels run headless from their recorded
// feeds to their golden pictures, with no line of a feed refused.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "panel/command_line.h"
#include "platform/png_file.h"
#include "tests/support/test_support.h"

using namespace ip;

namespace {

TEST(PanelExamples, RecordedFeedsDrawTheGoldenPictures) {
  struct Case {
    std::string name;  // examples/panels/NAME.toml and NAME.feed; the golden picture example_NAME
    std::string clock;
    std::string runMs;
  };
  const std::vector<Case> cases{
      {"machine-monitor", "14:02:09", "3000"},
      {"knob-bank", "12:00:00", "1000"},
      {"annunciator", "10:41:06", "4000"},
  };
  for (const Case& c : cases) {
    const std::string folder = testing_support::SourceDir() + "/examples/panels/";
    const std::string picture = testing_support::ScratchDir() + "/" + c.name + ".png";
    std::ostringstream out, err;
    const int status = panel::RunProgram({"--panel", folder + c.name + ".toml", "--feed", folder + c.name + ".feed",
                                          "--headless", "--clock", c.clock, "--run-ms", c.runMs, "--screenshot",
                                          picture},
                                         out, err);
    ASSERT_EQ(status, panel::kExitOk) << c.name << ": " << err.str();
    EXPECT_EQ(err.str(), "") << c.name;
    EXPECT_EQ(out.str(), "panel open at " + c.runMs + " ms\n");
    platform::Surface shown;
    ASSERT_TRUE(testing_support::ReadPng(picture, shown)) << picture;
    std::string golden = "example_" + c.name;
    for (char& ch : golden) ch = ch == '-' ? '_' : ch;
    EXPECT_EQ(testing_support::CompareWithGolden(golden, shown), "") << c.name;
  }
}

TEST(PanelExamples, ScaleWritesEveryPixelAsABlock) {
  constexpr int kScale = 2;
  const std::string panelFile = testing_support::SourceDir() + "/examples/panels/annunciator.toml";
  const std::string one = testing_support::ScratchDir() + "/annunciator-1.png";
  const std::string two = testing_support::ScratchDir() + "/annunciator-2.png";
  for (const auto& [scale, picture] : {std::pair{"1", one}, std::pair{"2", two}}) {
    std::ostringstream out, err;
    ASSERT_EQ(panel::RunProgram({"--panel", panelFile, "--headless", "--run-ms", "0", "--scale", scale,
                                 "--screenshot", picture},
                                out, err),
              panel::kExitOk)
        << err.str();
  }
  platform::Surface small, large;
  ASSERT_TRUE(testing_support::ReadPng(one, small));
  ASSERT_TRUE(testing_support::ReadPng(two, large));
  ASSERT_EQ(large.width, kScale * small.width);
  ASSERT_EQ(large.height, kScale * small.height);
  for (int y = 0; y < large.height; ++y) {
    for (int x = 0; x < large.width; ++x) {
      ASSERT_EQ(large.At(x, y), small.At(x / kScale, y / kScale)) << x << ", " << y;
    }
  }
}

}  // namespace
