// Panel files: the demonstration file draws the built-in panel byte for
// byte; invalid files stop before anything is drawn with FILE:LINE:COLUMN
// messages (a corpus in tests/data/panel-files/invalid); omitted keys take
// their defaults; words of a file become the system's keys, colours and
// Windows-1252 texts.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "instrument_panel/colors.h"
#include "panel/command_line.h"
#include "panel/panel_file.h"
#include "panel/panel_file_schema.h"
#include "panel/panel_file_values.h"
#include "tests/support/program_run.h"
#include "tests/support/test_support.h"

using namespace ip;
using namespace ip::panel;

namespace {

using Outcome = testing_support::ProgramOutcome;
constexpr auto RunWith = testing_support::RunProgramWith;

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string InvalidFolder() { return testing_support::SourceDir() + "/tests/data/panel-files/invalid"; }

// The bitmaps the corpus may name: three of the panel's own.
bool KnownBitmap(const std::string& name) {
  static const std::set<std::string> known{"fondo1.bmp", "switch1.bmp", "switch2.bmp"};
  return known.count(name) != 0;
}

bool Parse(const std::string& text, PanelDescription& out, std::string& errors) {
  return ParsePanelText("panel.toml", text, KnownBitmap, out, errors);
}

TEST(PanelFile, DemonstrationFileDrawsTheBuiltInPanelByteForByte) {
  const std::string demonstration = testing_support::SourceDir() + "/examples/panels/demonstration.toml";
  const std::string fromFile = testing_support::ScratchDir() + "/demonstration.png";
  const std::string builtIn = testing_support::ScratchDir() + "/built-in.png";
  const Outcome file = RunWith({"--panel", demonstration, "--headless", "--clock", "12:00:30", "--run-ms", "0",
                                "--screenshot", fromFile});
  ASSERT_EQ(file.status, kExitOk) << file.err;
  EXPECT_EQ(file.err, "");
  const Outcome panel = RunWith({"--headless", "--clock", "12:00:30", "--run-ms", "0", "--screenshot", builtIn});
  ASSERT_EQ(panel.status, kExitOk) << panel.err;
  const std::string expected = ReadBytes(builtIn);
  ASSERT_FALSE(expected.empty());
  EXPECT_TRUE(ReadBytes(fromFile) == expected) << "the demonstration file draws another picture than the panel";
}

TEST(PanelFile, InvalidFilesNameLineColumnAndReason) {
  struct Case {
    const char* file;
    std::string messages;
  };
  const std::vector<Case> cases{
      {"syntax.toml", "2:16: Error while parsing string: unescaped control characters other than TAB (U+0009) are "
                      "explicitly prohibited\n"},
      {"unknown-table.toml", "1:2: unknown table 'windw' (did you mean 'window'?)\n"},
      {"instrument-not-tables.toml", "1:14: 'instrument' must be tables, each under [[instrument]]\n"},
      {"no-kind.toml", "1:1: an instrument needs 'kind'\n"},
      {"unknown-kind.toml", "2:8: unknown kind 'guage' (did you mean 'gauge'?)\n"},
      {"unknown-key.toml", "8:1: unknown key 'frame-color' for a gauge (did you mean 'frame-colour'?)\n"},
      {"missing-key.toml", "1:1: a button needs 'id'\n1:1: a button needs 'height'\n"},
      {"wrong-type.toml", "6:9: 'width' must be a whole number from 1 to 4096, not '60'\n"},
      {"out-of-range.toml", "8:9: 'value' must be a number from 0 to 100, not 150\n"},
      {"window-too-small.toml",
       "2:9: 'width' must be a whole number from 1 to 4096, not 0\n4:14: 'background' must be a text, not a whole "
       "number\n"},
      {"unknown-style.toml", "8:9: unknown gauge style 'ver_blurso' (did you mean 'ver_blurosso'?)\n"},
      {"unknown-colour.toml",
       "8:16: unknown colour 'rossso' (did you mean 'rosso'?)\n9:15: '#12345' is not a colour \"#RRGGBB\" of six "
       "hexadecimal digits\n"},
      {"drag-and-state.toml",
       "8:8: 'drag' must be one of 'none', 'left', 'both', not 'right' (did you mean 'left'?)\n17:9: 'state' must be "
       "one of 'off', 'on', not 'true' (did you mean 'off'?)\n"},
      {"caption-too-long.toml", "8:11: 'caption' is 24 characters long; it holds at most 20\n"},
      {"not-windows-1252.toml",
       "8:11: the character '\xE2\x86\x92' (U+2192) cannot be shown (only Windows-1252 characters can)\n"},
      {"control-characters.toml",
       "2:8: unknown kind 'gau\\x1b[2Jge' (did you mean 'gauge'?)\n6:1: unknown key 'id\\x07' for a lamp (did you mean "
       "'id'?)\n"},
      {"missing-bitmap.toml", "8:14: no bitmap file 'fondo9.bmp' in the working directory or the panel's folders\n"},
      {"switch-one-face.toml", "8:14: 'background' must name two bitmap files, \"OFF file/ON file\"\n"},
      {"frame-too-wide.toml", "8:15: 'frame-width' 9 leaves no room inside 64 x 18 pixels (at most 8)\n"},
      {"knob-angles.toml", "9:13: 'max-angle' must be above 'min-angle' (90)\n"},
      {"duplicate-id.toml", "11:6: id 5 is already used by the lamp at line 1\n"},
      {"outside-window.toml", "8:5: the display 12 reaches (334, 212), outside the window of 300 x 200\n"},
      {"overlap.toml", "12:5: the lamp 2 overlaps the knob 1 of line 1\n"},
      {"background-after.toml",
       "12:5: the background 1 overlaps the lamp 2 of line 1; a background must come before the instruments on it\n"},
      {"several-errors.toml",
       "2:1: unknown key 'titel' for the window (did you mean 'title'?)\n"
       "6:6: 'id' must be a whole number from 1 to 2000, not 2001\n"
       "7:5: 'x' must be a whole number from 0 to 4096, not -5\n"
       "11:1: unknown key 'scheme' for a gauge (did you mean 'style'?)\n"
       "20:10: unknown lamp scheme 'traffic lamp' (did you mean 'traffic light'?)\n"
       "21:1: unknown key 'pattern' for a lamp (did you mean 'caption'?)\n"},
  };
  std::set<std::string> covered;
  for (const Case& c : cases) {
    PanelDescription panel;
    panel.window.title = "untouched";
    std::string errors;
    const std::string text = ReadBytes(InvalidFolder() + "/" + c.file);
    ASSERT_FALSE(text.empty()) << c.file;
    EXPECT_FALSE(ParsePanelText(c.file, text, KnownBitmap, panel, errors)) << c.file;
    std::string expected;
    std::istringstream lines(c.messages);
    for (std::string line; std::getline(lines, line);) expected += std::string(c.file) + ":" + line + "\n";
    EXPECT_EQ(errors, expected);
    EXPECT_EQ(panel.window.title, "untouched") << "a refused file leaves the description as it was";
    covered.insert(c.file);
  }
  for (const auto& entry : std::filesystem::directory_iterator(InvalidFolder())) {
    EXPECT_EQ(covered.count(entry.path().filename().string()), 1u) << entry.path() << " has no row in the table";
  }
}

TEST(PanelFile, AnInvalidFileStopsTheProgramBeforeAnythingIsDrawn) {
  const std::string file = InvalidFolder() + "/overlap.toml";
  const std::string picture = testing_support::ScratchDir() + "/never.png";
  std::filesystem::remove(picture);
  for (const bool headless : {true, false}) {
    std::vector<std::string> args{"--panel", file};
    if (headless) args.insert(args.end(), {"--headless", "--run-ms", "500", "--screenshot", picture});
    const Outcome outcome = RunWith(args);
    EXPECT_EQ(outcome.status, kExitUsage);
    EXPECT_EQ(outcome.err, file + ":12:5: the lamp 2 overlaps the knob 1 of line 1\n");
    EXPECT_EQ(outcome.out, "") << "nothing ran";
    EXPECT_FALSE(std::filesystem::exists(picture));
  }
  const Outcome missing = RunWith({"--panel", InvalidFolder() + "/no-such.toml", "--headless"});
  EXPECT_EQ(missing.status, kExitUsage);
  EXPECT_EQ(missing.err, InvalidFolder() + "/no-such.toml: cannot read the panel file: No such file or directory\n");
  const std::string fifo = testing_support::ScratchDir() + "/panel-fifo.toml";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const Outcome fromFifo = RunWith({"--panel", fifo, "--headless"});
  EXPECT_EQ(fromFifo.status, kExitUsage) << "refused at once, not waiting for a writer";
  EXPECT_EQ(fromFifo.err, fifo + ": cannot read the panel file: Is a FIFO, not a regular file\n");
}

TEST(PanelFile, OmittedKeysTakeTheirDefaults) {
  PanelDescription panel;
  std::string errors;
  ASSERT_TRUE(Parse("[[instrument]]\nkind = \"gauge\"\nid = 1\nx = 0\ny = 0\nwidth = 100\nheight = 20\n"
                    "[[instrument]]\nkind = \"text-panel\"\nid = 2\nx = 0\ny = 30\nwidth = 100\nheight = 80\n",
                    panel, errors))
      << errors;
  EXPECT_EQ(panel.window.title, "Instrument panel");
  EXPECT_EQ(panel.window.width, 800);
  EXPECT_EQ(panel.window.height, 600);
  EXPECT_EQ(panel.window.background, 0x3C4E3C);
  ASSERT_EQ(panel.instruments.size(), 2u);
  const InstrumentDescription& gauge = panel.instruments[0];
  EXPECT_EQ(gauge.Whole("frame-width"), 2);
  EXPECT_EQ(gauge.Text("frame-colour"), "grigio");
  EXPECT_EQ(gauge.Number("value"), 0);
  EXPECT_EQ(gauge.Whole("divisions"), 10);
  EXPECT_EQ(gauge.Text("caption"), "");
  EXPECT_EQ(gauge.Colour("text-colour"), 0xFFFFFF);
  EXPECT_EQ(gauge.Text("style"), "ori_blurosso");
  EXPECT_EQ(gauge.Whole("pattern"), 0);
  EXPECT_EQ(gauge.Text("drag"), "none");
  EXPECT_FALSE(gauge.Given("frame-width"));
  EXPECT_FALSE(panel.instruments[1].Given("level")) << "a text panel has no start level unless given";
}

TEST(PanelFileWords, EnglishNamesBecomeTheSystemsKeys) {
  struct Case {
    std::string word;
    std::optional<std::string> style, scheme, colourName;
  };
  const std::vector<Case> cases{
      {"vertical needle", "ver_ago", std::nullopt, std::nullopt},
      {"Vertical-Needle", "ver_ago", std::nullopt, std::nullopt},
      {"ver_ago", "ver_ago", std::nullopt, std::nullopt},
      {"caption box", std::nullopt, std::nullopt, std::nullopt},  // not a level style
      {"ledr", std::nullopt, std::nullopt, std::nullopt},
      {"traffic light", std::nullopt, "semaforo", std::nullopt},
      {"SEMAFORO", std::nullopt, "semaforo", std::nullopt},
      {"", std::nullopt, "", ""},
      {"red", std::nullopt, "rosso", "rosso"},
      {"button red", std::nullopt, std::nullopt, "pulsanterosso"},
      {"#00ff00", std::nullopt, std::nullopt, "#00ff00"},
      {"black", std::nullopt, std::nullopt, "#000000"},
      {"#00ff0", std::nullopt, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GaugeStyleKey(c.word, false), c.style) << c.word;
    EXPECT_EQ(LampSchemeKey(c.word), c.scheme) << c.word;
    EXPECT_EQ(ColourNameKey(c.word), c.colourName) << c.word;
  }
  EXPECT_EQ(GaugeStyleKey("caption box", true), "");
  EXPECT_EQ(PatternNumber("vertical groove"), 5);
  EXPECT_EQ(PatternNumber("Light_Top"), 1);
  EXPECT_EQ(PatternNumber("6"), std::nullopt);
  EXPECT_EQ(ColourValue("#FF8000"), 0x0080FF);
  EXPECT_EQ(ColourValue("red"), ColorFromName("rosso", 0));
  EXPECT_EQ(ColourValue("black"), 0);
  EXPECT_EQ(ColourValue(""), std::nullopt);
}

TEST(PanelFileWords, TextsBecomeWindows1252Bytes) {
  struct Case {
    std::string utf8;
    bool lines;
    std::optional<std::string> bytes;
  };
  const std::vector<Case> cases{
      {"plain", false, "plain"},
      {"\xC3\xA9t\xC3\xA9 20 \xC2\xB0" "C", false, "\xE9t\xE9 20 \xB0" "C"},  // été 20 °C
      {"\xE2\x82\xAC 5", false, "\x80 5"},                                     // the euro sign
      {"a\nb", true, "a\r\nb"},
      {"a\r\nb", true, "a\r\nb"},
      {"a\nb", false, std::nullopt},
      {"tab\there", false, std::nullopt},
      {"\xC2\x81", false, std::nullopt},      // U+0081, a C1 control
      {"\xE2\x86\x92", false, std::nullopt},  // an arrow
      {"\xC3", false, std::nullopt},          // cut UTF-8
      {"\xC0\xAF", false, std::nullopt},      // an overlong form
  };
  for (const Case& c : cases) {
    std::string reason;
    EXPECT_EQ(ToWindows1252(c.utf8, c.lines, reason), c.bytes) << c.utf8;
    EXPECT_EQ(reason.empty(), c.bytes.has_value()) << reason;
  }
}

TEST(PanelFileWords, NearestWordByEditDistance) {
  EXPECT_EQ(EditDistance("", "abc"), 3u);
  EXPECT_EQ(EditDistance("gauge", "guage"), 2u);
  EXPECT_EQ(EditDistance("frame-color", "frame-colour"), 1u);
  EXPECT_EQ(EditDistance("kitten", "sitting"), 3u);
  EXPECT_EQ(Nearest("lamb", {"gauge", "lamp", "label"}), "lamp");
  EXPECT_EQ(Nearest("lab", {"lamp", "lab", "label"}), "lab");
  EXPECT_EQ(Nearest("xyz", {"abc", "abd"}), "abc") << "the first of equals";
  EXPECT_EQ(DidYouMean("x", {}), "");
}

TEST(PanelFileDocs, ThePageShowsTheTablesOfEveryKindAndTheExampleWhole) {
  const std::string page = ReadBytes(testing_support::SourceDir() + "/docs/panel-files.md");
  ASSERT_FALSE(page.empty());
  EXPECT_NE(page.find("### `[window]`\n\n" + KeyTable(WindowKeys())), std::string::npos) << KeyTable(WindowKeys());
  EXPECT_NE(page.find("### Every instrument\n\n" + KeyTable(CommonKeys())), std::string::npos)
      << KeyTable(CommonKeys());
  for (const KindSpec& kind : Kinds()) {
    const size_t section = page.find("### " + std::string(kind.name) + "\n");
    ASSERT_NE(section, std::string::npos) << "no section for " << kind.name;
    const size_t next = page.find("\n### ", section + 1);
    EXPECT_NE(page.substr(section, next - section).find(KeyTable(kind.keys)), std::string::npos)
        << kind.name << "'s table should read:\n"
        << KeyTable(kind.keys);
  }
  const std::string example = ReadBytes(testing_support::SourceDir() + "/docs/examples/every-kind.toml");
  EXPECT_NE(page.find("```toml\n" + example + "```\n"), std::string::npos) << "every-kind.toml is shown whole";
  PanelDescription panel;
  std::string errors;
  ASSERT_TRUE(ParsePanelText("every-kind.toml", example, KnownBitmap, panel, errors)) << errors;
  std::set<FileKind> kinds;
  for (const InstrumentDescription& d : panel.instruments) kinds.insert(d.kind);
  EXPECT_EQ(kinds.size(), Kinds().size()) << "one instrument of every kind";
}

}  // namespace
