// Ways into the window system besides input: messages posted from other
// threads through the inbox, application messages scripted for a headless
// run at their times, and a dialog emptied of its controls to be rebuilt.
// Also the bitmap search folders the panel files use.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/instrument_table.h"
#include "instrument_panel/session.h"
#include "platform/window_headless.h"
#include "platform/window_system.h"
#include "tests/support/test_support.h"

using namespace ip;

namespace {

constexpr uint32_t kPing = WM_APP + 7;
constexpr ColorRef kGreen = 0x3C4E3C;

struct Arrival {
  uint32_t wParam, lParam;
  int64_t atMs;
};

Handle StartDialog(int64_t runMs, std::vector<ScriptedMessage> messages = {}, std::vector<ScriptedInput> input = {}) {
  HeadlessSettings settings;
  settings.runMs = runMs;
  settings.messages = std::move(messages);
  settings.input = std::move(input);
  StartHeadlessSession(settings);
  const Handle dialog = CreateDialogWindow(0, "posts", -1, -1, 200, 100, 0xB0000, 0, kUnitsPixels);
  SetWindowColors(dialog, kDialogItself, -1, kGreen);
  return dialog;
}

std::vector<Arrival> RunCollecting(Handle dialog, uint32_t message) {
  std::vector<Arrival> arrivals;
  RunDialogModal(
      [&](Handle, uint32_t m, uint32_t wParam, uint32_t lParam) {
        if (m == message) arrivals.push_back({wParam, lParam, SessionClockMs()});
        return 0;
      },
      dialog, nullptr);
  return arrivals;
}

TEST(Posting, MessagesFromOtherThreadsArriveInEachThreadsOrder) {
  const Handle dialog = StartDialog(10);
  constexpr uint32_t kThreads = 4, kEach = 200;
  std::vector<std::thread> threads;
  for (uint32_t t = 0; t < kThreads; ++t) {
    threads.emplace_back([=] {
      for (uint32_t i = 0; i < kEach; ++i) PostMessageFromAnyThread(dialog, kPing, t, i);
    });
  }
  for (std::thread& thread : threads) thread.join();
  PostMessageFromAnyThread(dialog + 1000, kPing, 9, 9);  // no such window: dropped
  const std::vector<Arrival> arrivals = RunCollecting(dialog, kPing);
  ASSERT_EQ(arrivals.size(), kThreads * kEach);
  std::vector<uint32_t> next(kThreads, 0);
  for (const Arrival& a : arrivals) {
    ASSERT_LT(a.wParam, kThreads);
    EXPECT_EQ(a.lParam, next[a.wParam]++) << "thread " << a.wParam;
    EXPECT_EQ(a.atMs, 0);
  }
}

TEST(Posting, ScriptedMessagesComeAtTheirTimesAfterTheInputOfTheSameMoment) {
  std::vector<ScriptedMessage> messages{{250, kPing, 2, 0}, {0, kPing, 0, 0}, {100, kPing, 1, 0}, {600, kPing, 3, 0}};
  std::vector<ScriptedInput> input{{100, ScriptedInput::Kind::kMove, 5, 5}};
  const Handle dialog = StartDialog(500, messages, input);
  std::vector<uint32_t> order;  // 1000 marks the mouse move
  RunDialogModal(
      [&](Handle, uint32_t m, uint32_t wParam, uint32_t) {
        if (m == kPing) order.push_back(wParam * 1000 + static_cast<uint32_t>(SessionClockMs()));
        if (m == WM_SETCURSOR) order.push_back(1000000 + static_cast<uint32_t>(SessionClockMs()));
        return 0;
      },
      dialog, nullptr);
  EXPECT_EQ(order, (std::vector<uint32_t>{0, 1000100, 1100, 2250})) << "the message at 600 ms is after the run";
}

TEST(Posting, EmptiedDialogKeepsItsLoopAndForgetsTheControls) {
  const Handle dialog = StartDialog(100);
  const size_t recordsBefore = RecordCount();
  for (int32_t id = 1; id <= 3; ++id) {
    AddCanvasControl(dialog, id, 20 * id, 10, 15, 15, 0x100, 0, nullptr, "");
    CanvasAttach(dialog, id, 0);
    CanvasBox(0, 0, 15, 15, 0, 0x0000FF, 0x0000FF, 0);
  }
  SetBitmapSearchFolders({testing_support::SourceDir() + "/assets"});
  CreateInstrumentControl(dialog, 4, 100, 10, 22, 22, "switch1.bmp/switch2.bmp");
  SetBitmapSearchFolders({});
  EXPECT_GT(RecordCount(), recordsBefore + 4) << "the switch keeps two face bitmaps";
  bool rebuilt = false;
  RunDialogModal(
      [&](Handle window, uint32_t m, uint32_t, uint32_t) {
        if (m == WM_INITDIALOG) SetTimer(window, 1, 50);
        if (m == WM_TIMER && !rebuilt) {
          DestroyDialogControls(window);
          rebuilt = true;
          AddCanvasControl(window, 2, 150, 50, 10, 10, 0x100, 0, nullptr, "");
        }
        return 0;
      },
      dialog, nullptr);
  EXPECT_TRUE(IsWindowOpen(dialog));
  EXPECT_EQ(GetControlHandle(dialog, 1), 0u);
  EXPECT_NE(GetControlHandle(dialog, 2), 0u);
  EXPECT_EQ(GetControlLocation(dialog, 2), (IntPair{150, 50}));
  EXPECT_EQ(RecordCount(), recordsBefore + 1) << "the old controls and their faces are gone";
  const platform::Surface& shown = platform::HeadlessShownPicture();
  EXPECT_EQ(platform::ColorRefFromPixel(shown.At(25, 15)), static_cast<uint32_t>(kGreen)) << "the dialog shows through";
  EXPECT_EQ(platform::ColorRefFromPixel(shown.At(155, 55)), 0xF0F0F0u) << "the new canvas";
}

TEST(BitmapFolders, NamesAreFoundInTheWorkingDirectoryThenEachFolderInTurn) {
  namespace fs = std::filesystem;
  const fs::path first = fs::path(testing_support::ScratchDir()) / "first";
  const fs::path second = fs::path(testing_support::ScratchDir()) / "second";
  fs::create_directories(first);
  fs::create_directories(second);
  std::ofstream(first / "a.bmp") << "x";
  std::ofstream(second / "a.bmp") << "x";
  std::ofstream(second / "b.bmp") << "x";
  SetBitmapSearchFolders({"", first.string(), second.string()});
  EXPECT_EQ(FindBitmapFile("a.bmp"), (first / "a.bmp").string());
  EXPECT_EQ(FindBitmapFile("b.bmp"), (second / "b.bmp").string());
  EXPECT_EQ(FindBitmapFile("c.bmp"), "");
  EXPECT_EQ(FindBitmapFile(""), "");
  SetBitmapSearchFolders({});
  EXPECT_EQ(FindBitmapFile("a.bmp"), "");
}

}  // namespace
