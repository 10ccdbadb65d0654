// Showing the back buffer: only the rectangles repainted since the last
// frame, once when the loop has nothing more to do (timers due together make
// one frame), and at least every 100 ms of a loop that never runs out of
// work; and whole-pixel display scaling: coordinates, the automatic scale,
// pixel replication, the sessions' scale and the scaled screenshot.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/dialog_internal.h"
#include "host/window_records.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/errors.h"
#include "instrument_panel/session.h"
#include "platform/clock.h"
#include "platform/dirty_region.h"
#include "platform/display_scale.h"
#include "platform/window_backend.h"
#include "platform/window_headless.h"
#include "tests/support/test_support.h"

using namespace ip;
using platform::Point;
using platform::Rect;
using platform::Surface;

namespace {

// ---- the frames a headless run presents ----

struct Frame {
  int64_t atMs = 0;
  std::vector<Rect> changed;
};
std::vector<Frame> frames;
platform::Backend headless_backend;
platform::Backend recording_backend;

void RecordingPresent(const Surface& backBuffer, const std::vector<Rect>& changed) {
  frames.push_back(Frame{platform::MonotonicMs(), changed});
  headless_backend.present(backBuffer, changed);
}

// A headless session whose presents are recorded.
void StartRecordedSession(int64_t runMs) {
  HeadlessSettings settings;
  settings.runMs = runMs;
  StartHeadlessSession(settings);
  headless_backend = platform::CurrentBackend();
  recording_backend = headless_backend;
  recording_backend.present = RecordingPresent;
  platform::InstallBackend(&recording_backend);
  frames.clear();
}

std::function<int32_t(Handle, uint32_t, uint32_t, uint32_t)> handler;
int32_t CallHandler(Handle window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  return handler(window, message, wParam, lParam);
}

Handle MakeDialog(int width, int height) {
  return CreateDialogWindow(0, "frames", -1, -1, width, height, 0xB0000, 0, kUnitsPixels);
}

// Fills canvas `id` with `color` and repaints it at once.
void Repaint(Handle dialog, int32_t id, platform::Pixel color) {
  WindowRecord* record = FindControlRecord(dialog, id);
  ASSERT_NE(record, nullptr);
  std::fill(record->canvas.bitmap.pixels.begin(), record->canvas.bitmap.pixels.end(), color);
  RepaintCanvasControl(record->key);
}

class Presenting : public ::testing::Test {
 protected:
  void TearDown() override {
    handler = nullptr;
    EndWindowSession();
  }
};

TEST_F(Presenting, TimersDueTogetherMakeOneFrameOfWhatTheyRepainted) {
  StartRecordedSession(300);
  const Handle dialog = MakeDialog(100, 50);
  AddCanvasControl(dialog, 1, 0, 0, 10, 10, 0, 0, nullptr, "");
  AddCanvasControl(dialog, 2, 95, 45, 10, 10, 0, 0, nullptr, "");  // reaches past the client area
  int ticks = 0;
  handler = [&](Handle window, uint32_t message, uint32_t wParam, uint32_t) -> int32_t {
    if (message == WM_INITDIALOG) {
      SetTimer(window, 1, 100);
      SetTimer(window, 2, 100);
    }
    if (message == WM_TIMER) Repaint(window, static_cast<int32_t>(wParam), 0x010101u * static_cast<uint32_t>(++ticks));
    return 0;
  };
  RunDialogModal(CallHandler, dialog, nullptr);
  EXPECT_EQ(ticks, 6);
  ASSERT_EQ(frames.size(), 4u);  // the first picture, then one frame per 100 ms
  EXPECT_EQ(frames[0].atMs, 0);
  EXPECT_EQ(frames[0].changed, (std::vector<Rect>{{0, 0, 100, 50}}));
  for (size_t i = 1; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].atMs, static_cast<int64_t>(i) * 100);
    EXPECT_EQ(frames[i].changed, (std::vector<Rect>{{0, 0, 10, 10}, {95, 45, 100, 50}})) << "frame " << i;
  }
  // Copying only what changed keeps the shown picture equal to the back buffer.
  EXPECT_EQ(platform::HeadlessShownPicture().pixels, platform::BackBuffer(dialog)->pixels);
  EXPECT_EQ(platform::HeadlessShownPicture().At(0, 0), 0x050505u);
  EXPECT_EQ(platform::HeadlessShownPicture().At(99, 49), 0x060606u);
}

TEST_F(Presenting, ALoopThatNeverRunsOutOfWorkStillShowsItsChangesEvery100Ms) {
  StartRecordedSession(1000);
  const Handle dialog = MakeDialog(40, 30);
  AddCanvasControl(dialog, 1, 0, 0, 10, 10, 0, 0, nullptr, "");
  int ticks = 0;
  // Each tick of the 10 ms timer takes 30 ms, so the timer is always due.
  handler = [&](Handle window, uint32_t message, uint32_t, uint32_t) -> int32_t {
    if (message == WM_INITDIALOG) SetTimer(window, 1, 10);
    if (message != WM_TIMER) return 0;
    Repaint(window, 1, static_cast<platform::Pixel>(++ticks));
    platform::AdvanceVirtualClock(30);
    if (ticks == 10) KillTimer(window, 1);
    return 0;
  };
  RunDialogModal(CallHandler, dialog, nullptr);
  // Ticks start at 10, 40, 70, ... ms; the changes made from 10 ms are shown
  // once 100 ms have passed (at 130), those from 130 at 250, the last when
  // the timer stops.
  std::vector<int64_t> times;
  for (const Frame& f : frames) times.push_back(f.atMs);
  EXPECT_EQ(times, (std::vector<int64_t>{0, 130, 250, 310}));
  EXPECT_EQ(platform::HeadlessShownPicture().At(0, 0), 10u);
}

// A repaint shows only the rows that differ from what the window holds: the
// same pixels again make no frame, one changed pixel a frame of its row
// across the control, two changed rows the span between them.
TEST_F(Presenting, ARepaintShowsOnlyTheRowsThatChanged) {
  StartRecordedSession(400);
  const Handle dialog = MakeDialog(40, 30);
  AddCanvasControl(dialog, 1, 5, 8, 10, 10, 0, 0, nullptr, "");
  int ticks = 0;
  handler = [&](Handle window, uint32_t message, uint32_t, uint32_t) -> int32_t {
    if (message == WM_INITDIALOG) SetTimer(window, 1, 100);
    if (message != WM_TIMER) return 0;
    WindowRecord* record = FindControlRecord(window, 1);
    platform::Surface& canvas = record->canvas.bitmap;
    ++ticks;
    if (ticks == 1) std::fill(canvas.pixels.begin(), canvas.pixels.end(), 0x123456u);
    if (ticks == 3) canvas.pixels[6 * 10 + 9] = 0xFFu;  // the last pixel of row 6
    if (ticks == 4) canvas.pixels[2 * 10] = canvas.pixels[4 * 10] = 0xFFu;
    RepaintCanvasControl(record->key);
    return 0;
  };
  RunDialogModal(CallHandler, dialog, nullptr);
  ASSERT_EQ(ticks, 4);
  std::vector<int64_t> times;
  for (const Frame& f : frames) times.push_back(f.atMs);
  EXPECT_EQ(times, (std::vector<int64_t>{0, 100, 300, 400}));  // nothing changed at 200
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(frames[1].changed, (std::vector<Rect>{{5, 8, 15, 18}}));
  EXPECT_EQ(frames[2].changed, (std::vector<Rect>{{5, 14, 15, 15}}));
  EXPECT_EQ(frames[3].changed, (std::vector<Rect>{{5, 10, 15, 13}}));
  EXPECT_EQ(platform::HeadlessShownPicture().pixels, platform::BackBuffer(dialog)->pixels);
  EXPECT_EQ(platform::HeadlessShownPicture().At(14, 14), 0xFFu);
}

// A backend with a timer slack (the real window's) runs the timers due within
// it of each other in one wake, when the last of them is due; timers further
// apart keep their own wakes, and without a slack every timer keeps its own.
TEST_F(Presenting, TimersDueWithinTheSlackRunInOneWake) {
  struct Case {
    int64_t slackMs;
    std::vector<std::pair<int64_t, uint32_t>> ticks;  // (virtual time, timer)
    size_t frames;
  };
  const Case cases[] = {
      {0, {{100, 1}, {105, 2}, {125, 3}, {200, 1}, {205, 2}, {225, 3}, {300, 1}, {305, 2}, {325, 3}}, 10},
      {15, {{105, 1}, {105, 2}, {125, 3}, {205, 1}, {205, 2}, {225, 3}, {305, 1}, {305, 2}, {325, 3}}, 7},
  };
  for (const Case& c : cases) {
    StartRecordedSession(350);
    recording_backend.timerSlackMs = c.slackMs;
    const Handle dialog = MakeDialog(40, 30);
    AddCanvasControl(dialog, 1, 0, 0, 10, 10, 0, 0, nullptr, "");
    std::vector<std::pair<int64_t, uint32_t>> ticks;
    // Timer 2 starts 5 ms after timer 1 (within the slack), timer 3 25 ms after.
    handler = [&](Handle window, uint32_t message, uint32_t wParam, uint32_t) -> int32_t {
      if (message == WM_INITDIALOG) {
        SetTimer(window, 1, 100);
        platform::AdvanceVirtualClock(5);
        SetTimer(window, 2, 100);
        platform::AdvanceVirtualClock(20);
        SetTimer(window, 3, 100);
      }
      if (message != WM_TIMER) return 0;
      ticks.emplace_back(platform::MonotonicMs(), wParam);
      Repaint(window, 1, static_cast<platform::Pixel>(ticks.size()));
      return 0;
    };
    RunDialogModal(CallHandler, dialog, nullptr);
    EXPECT_EQ(ticks, c.ticks) << "slack " << c.slackMs;
    EXPECT_EQ(frames.size(), c.frames) << "slack " << c.slackMs;  // the first picture, then one per wake
    EndWindowSession();
  }
}

// ---- the changed rectangles ----

TEST(DirtyRegion, RectanglesAreClippedAndNeverListedInsideAnother) {
  const Rect bounds{0, 0, 100, 50};
  struct Case {
    const char* what;
    std::vector<Rect> added;
    std::vector<Rect> listed;
  };
  const Case cases[] = {
      {"empty and outside add nothing", {{5, 5, 5, 9}, {5, 9, 8, 9}, {100, 0, 120, 10}, {-9, -9, 0, 0}}, {}},
      {"clipped to the buffer", {{-5, 40, 10, 60}}, {{0, 40, 10, 50}}},
      {"inside one listed", {{0, 0, 20, 20}, {5, 5, 10, 10}, {0, 0, 20, 20}}, {{0, 0, 20, 20}}},
      {"around listed ones", {{5, 5, 10, 10}, {30, 5, 40, 10}, {60, 0, 70, 5}, {0, 0, 50, 20}},
       {{60, 0, 70, 5}, {0, 0, 50, 20}}},
      {"overlapping ones both stay", {{0, 0, 20, 20}, {10, 10, 30, 30}}, {{0, 0, 20, 20}, {10, 10, 30, 30}}},
  };
  for (const Case& c : cases) {
    platform::DirtyRegion region;
    for (const Rect& r : c.added) platform::AddDirtyRect(region, r, bounds);
    EXPECT_EQ(region.rects, c.listed) << c.what;
  }
}

TEST(DirtyRegion, PastTheLimitTheListBecomesOneRectangleAroundAll) {
  const Rect bounds{0, 0, 1000, 1000};
  platform::DirtyRegion region;
  for (int i = 0; i < static_cast<int>(platform::kMaxDirtyRects); ++i) {
    platform::AddDirtyRect(region, Rect{i * 3, i, i * 3 + 2, i + 1}, bounds);
  }
  EXPECT_EQ(region.rects.size(), platform::kMaxDirtyRects);
  platform::AddDirtyRect(region, Rect{900, 990, 901, 995}, bounds);
  EXPECT_EQ(region.rects, (std::vector<Rect>{{0, 0, 901, 995}}));
  EXPECT_EQ(platform::DirtyBounds(platform::DirtyRegion{}), Rect{});
}

// ---- display scale ----

TEST(DisplayScale, DivisionsRoundTowardTheirSide) {
  struct Case {
    int value, divisor, floor, ceil;
  };
  const Case cases[] = {{7, 2, 3, 4}, {8, 2, 4, 4}, {-7, 2, -4, -3}, {-8, 2, -4, -4}, {0, 3, 0, 0}, {-1, 4, -1, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(platform::FloorDiv(c.value, c.divisor), c.floor) << c.value << " / " << c.divisor;
    EXPECT_EQ(platform::CeilDiv(c.value, c.divisor), c.ceil) << c.value << " / " << c.divisor;
  }
  // The work area in window pixels lies inside the real one.
  EXPECT_EQ(platform::LogicalWorkArea(Rect{0, 0, 2560, 1600}, 2), (Rect{0, 0, 1280, 800}));
  EXPECT_EQ(platform::LogicalWorkArea(Rect{-1, 1, 2561, 1571}, 2), (Rect{0, 1, 1280, 785}));
  EXPECT_EQ(platform::LogicalWorkArea(Rect{0, 0, 1920, 1040}, 1), (Rect{0, 0, 1920, 1040}));
}

TEST(DisplayScale, DensityAsksForTheNearestWholeFactor) {
  struct Case {
    double dpi;
    int scale;
  };
  const Case cases[] = {{0, 1},   {-96, 1},  {std::nan(""), 1}, {96, 1},  {143.9, 1}, {144, 2},
                        {192, 2}, {239, 2},  {240, 3},          {384, 4}, {1000, 4}};
  for (const Case& c : cases) EXPECT_EQ(platform::ScaleForDensity(c.dpi, kMaxDisplayScale), c.scale) << c.dpi;
}

TEST(DisplayScale, AutomaticScaleFitsTheWorkAreaWithRoomToSpare) {
  struct Case {
    Rect work;
    double dpi;
    int width, height;
    int scale;
  };
  const Case cases[] = {
      {{0, 0, 2560, 1600}, 192, 800, 600, 2},
      {{0, 0, 2560, 1600}, 96, 800, 600, 1},   // the density does not ask for more
      {{0, 0, 1920, 1080}, 192, 800, 600, 1},  // 1200 rows leave no room on 1080
      {{0, 0, 3840, 2160}, 288, 800, 600, 3},
      {{0, 0, 3840, 2160}, 384, 800, 600, 3},  // 4 asked for, 2400 rows do not fit
      {{0, 0, 2000, 1000}, 192, 900, 450, 2},  // exactly nine tenths across and down
      {{0, 0, 2000, 1000}, 192, 901, 450, 1},
      {{0, 0, 2000, 1000}, 192, 900, 451, 1},
      {{0, 0, 2560, 1600}, 192, -5, -5, 2},    // a negative size counts as nothing
      {{0, 0, 0, 0}, 384, 800, 600, 1},        // no work area
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::ChooseAutoScale(c.work, c.dpi, c.width, c.height, kMaxDisplayScale), c.scale)
        << c.work.Width() << " x " << c.work.Height() << " at " << c.dpi << " dpi, window " << c.width << " x "
        << c.height;
  }
}

TEST(DisplayScale, EachPixelBecomesABlock) {
  Surface source = platform::MakeSurface(3, 2, 0);
  source.pixels = {1, 2, 3, 4, 5, 6};
  Surface target = platform::MakeSurface(8, 8, 0xEE);
  platform::ReplicatePixels(source, Rect{1, 0, 3, 2}, 3, target, Point{1, 1});
  const std::vector<platform::Pixel> expected{
      0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE,  //
      0xEE, 2,    2,    2,    3,    3,    3,    0xEE,  //
      0xEE, 2,    2,    2,    3,    3,    3,    0xEE,  //
      0xEE, 2,    2,    2,    3,    3,    3,    0xEE,  //
      0xEE, 5,    5,    5,    6,    6,    6,    0xEE,  //
      0xEE, 5,    5,    5,    6,    6,    6,    0xEE,  //
      0xEE, 5,    5,    5,    6,    6,    6,    0xEE,  //
      0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE,
  };
  EXPECT_EQ(target.pixels, expected);

  const Surface twice = platform::ScaledCopy(source, 2);
  ASSERT_EQ(twice.width, 6);
  ASSERT_EQ(twice.height, 4);
  EXPECT_EQ(twice.pixels, (std::vector<platform::Pixel>{1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3,  //
                                                        4, 4, 5, 5, 6, 6, 4, 4, 5, 5, 6, 6}));
  EXPECT_EQ(platform::ScaledCopy(source, 1).pixels, source.pixels);

  // At scale 1 into memory whose rows are wider than the copy: the rest stays.
  std::vector<platform::Pixel> padded(4 * 3, 0xEE);
  platform::ReplicatePixels(source, Rect{1, 0, 3, 2}, 1, padded.data() + 4 + 1, 4);
  EXPECT_EQ(padded, (std::vector<platform::Pixel>{0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 2, 3, 0xEE, 0xEE, 5, 6, 0xEE}));
}

TEST(DisplayScale, SessionsTakeTheirScaleAndRefuseOthers) {
  struct Case {
    int requested;
    int scale;
    bool refused;
  };
  const Case cases[] = {{1, 1, false}, {4, 4, false}, {kAutoDisplayScale, 1, false},  // the headless desktop is 96 dpi
                        {5, 1, true},  {-1, 1, true}, {-2147483647 - 1, 1, true}};
  for (const Case& c : cases) {
    ClearLastError();
    HeadlessSettings settings;
    settings.scale = c.requested;
    StartHeadlessSession(settings);
    EXPECT_EQ(SessionDisplayScale(), c.scale) << c.requested;
    EXPECT_EQ(LastError(), c.refused ? ErrorCode::kInvalidDisplayScale : ErrorCode::kNone) << c.requested;
  }
  EndWindowSession();
  EXPECT_EQ(SessionDisplayScale(), 1);

  // A real window with a scale out of range is refused before any display is opened.
  ClearLastError();
  std::string error;
  RealWindowSettings real;
  real.scale = 7;
  EXPECT_FALSE(StartRealWindowSession(real, error));
  EXPECT_EQ(error, "display scale 7 is not 1 to 4 or automatic");
  EXPECT_EQ(LastError(), ErrorCode::kInvalidDisplayScale);
  EXPECT_FALSE(WindowSessionStarted());
}

TEST(DisplayScale, TheScreenshotIsTheShownPictureScaled) {
  HeadlessSettings settings;
  settings.scale = 3;
  StartHeadlessSession(settings);
  const Handle dialog = MakeDialog(7, 5);
  SetWindowColors(dialog, kDialogItself, -1, 0x00FF00);
  AddCanvasControl(dialog, 1, 2, 1, 2, 2, 0, 0, nullptr, "");
  RunDialogModal(nullptr, dialog, nullptr);
  const std::string path = testing_support::ScratchDir() + "/scaled_shot.png";
  ASSERT_TRUE(WriteShownPicture(path));
  Surface written;
  ASSERT_TRUE(testing_support::ReadPng(path, written));
  const Surface& shown = platform::HeadlessShownPicture();
  ASSERT_EQ(written.width, 21);
  ASSERT_EQ(written.height, 15);
  for (int y = 0; y < written.height; ++y) {
    for (int x = 0; x < written.width; ++x) {
      ASSERT_EQ(written.At(x, y) & 0xFFFFFF, shown.At(x / 3, y / 3)) << x << ", " << y;
    }
  }
  EXPECT_EQ(written.At(6, 3) & 0xFFFFFF, 0xF0F0F0u);  // the canvas: button face
  EXPECT_EQ(written.At(5, 3) & 0xFFFFFF, 0x00FF00u);
  EndWindowSession();
}

}  // namespace
