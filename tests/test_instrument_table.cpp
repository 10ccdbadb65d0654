// The instrument table: fixed-width text fields, the bounds of both tables,
// and CreateInstrumentControl with its bitmap faces, slots and pattern 6.
#include <gtest/gtest.h>

#include <filesystem>

#include "instrument_panel/texts.h"
#include "host/window_records.h"
#include "instruments/instrument_state.h"
#include "tests/canvas_probe.h"
#include "tests/support/test_support.h"
#include "tools/bmp_writer.h"

using namespace ip;
using namespace ip::panel;

using namespace probe;

namespace {

constexpr int32_t kId = 42;
constexpr int32_t kWidth = 16;
constexpr int32_t kHeight = 12;

// A uniform bitmap file, so that any scaling gives the same colour everywhere.
void WriteUniformBmp(const std::filesystem::path& path, tools::Rgb color) {
  tools::Image image(8, 6);
  for (tools::Rgb& p : image.pixels) p = color;
  std::filesystem::create_directories(path.parent_path());
  ASSERT_TRUE(tools::WriteBmp24(path.string(), image));
}

// The colour at (x, y) of a canvas: a control of `dialog`, or a bitmap canvas by handle.
probe::Color CanvasColor(Handle owner, int32_t id, int x, int y) {
  CanvasAttach(owner, id, kAttachRedrawOnRequest);
  return At(probe::Snapshot(), x, y);
}

class InstrumentControl : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::path(testing_support::ScratchDir()) / "instrument_table_files";
    WriteUniformBmp(folder_ / "off.bmp", {255, 0, 0});
    WriteUniformBmp(folder_ / "on.bmp", {0, 0, 255});
    WriteUniformBmp(folder_ / "sub" / "on.bmp", {0, 255, 0});
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    SetBitmapSearchFolder("");
    ClearInstrumentTable();
    dialog_ = CreateDialogWindow(0, "instrument table", -1, -1, 300, 200, 0, 0, kUnitsPixels);
    ASSERT_NE(dialog_, 0u);
  }
  void TearDown() override {
    EndDialogWindow(dialog_, 0);
    std::filesystem::current_path(previous_);
  }

  void Create(int32_t id, const std::string& background) {
    CreateInstrumentControl(dialog_, id, 10, 10, kWidth, kHeight, background);
  }
  int32_t Slot(int32_t id, int32_t slot) { return GetControlUserValue(GetControlHandle(dialog_, id), slot); }
  // The colour in the middle of the bitmap face kept in `slot` of control `id`.
  probe::Color FaceColor(int32_t id, int32_t slot) { return CanvasColor(static_cast<Handle>(Slot(id, slot)), 0, 5, 5); }

  std::filesystem::path folder_;
  std::filesystem::path previous_;
  Handle dialog_ = 0;
};

}  // namespace

TEST(FixedText, WritesAreCutOrPaddedAndFieldsNeverWrittenHoldZeroBytes) {
  InstrumentRecord record;
  record.caption.Write("abcdefghijklmnopqrstuvwxy");  // 25 characters
  EXPECT_EQ(record.caption.Read(), "abcdefghijklmnopqrst");
  record.caption.Write("abc");
  EXPECT_EQ(record.caption.Read(), "abc" + std::string(17, ' '));
  record.styleName.Write("ori_ago");
  EXPECT_EQ(record.styleName.Read().size(), 32u);
  ClearInstrumentTable();
  const std::string field = InstrumentAt(7)->fillColor.Read();
  EXPECT_EQ(field, std::string(20, '\0'));
  EXPECT_EQ(TrimRight(TrimLeft(field)).size(), 20u);  // trimming keeps zero bytes
}

TEST(InstrumentTable, OnlyIdentifiers0To2000HaveARecordAndClearingZeroFillsThem) {
  for (int32_t id : {-1, 2001, INT32_MIN}) EXPECT_EQ(InstrumentAt(id), nullptr) << id;
  ASSERT_NE(InstrumentAt(0), nullptr);
  ASSERT_NE(InstrumentAt(2000), nullptr);
  EXPECT_NE(InstrumentAt(0), InstrumentAt(2000));
  InstrumentAt(2000)->frameWidth = 5;
  InstrumentAt(2000)->caption.Write("x");
  ClearInstrumentTable();
  EXPECT_EQ(InstrumentAt(2000)->frameWidth, 0);
  EXPECT_EQ(InstrumentAt(2000)->caption.Read(), std::string(20, '\0'));
}

TEST(BackgroundSnapshots, ExistFromTheirDeclarationAndKeepTheirContents) {
  ClearBackgroundSnapshots();
  EXPECT_EQ(SnapshotAt(5), nullptr);
  DeclareBackgroundSnapshots();
  ASSERT_NE(SnapshotAt(5), nullptr);
  EXPECT_TRUE(SnapshotAt(5)->empty());
  *SnapshotAt(5) = "pixels";
  DeclareBackgroundSnapshots();  // a second declaration keeps the table
  EXPECT_EQ(*SnapshotAt(5), "pixels");
  EXPECT_NE(SnapshotAt(0), nullptr);
  EXPECT_NE(SnapshotAt(10000), nullptr);
  EXPECT_EQ(SnapshotAt(10001), nullptr);
  EXPECT_EQ(SnapshotAt(-1), nullptr);
  ClearBackgroundSnapshots();
  EXPECT_EQ(SnapshotAt(5), nullptr);
}

TEST_F(InstrumentControl, EmptyBackgroundKeepsThePatternAndABlankOneSelectsPattern6) {
  InstrumentAt(kId)->pattern = 3;
  Create(kId, "");
  Create(kId + 1, "   ");
  ASSERT_NE(GetControlHandle(dialog_, kId), 0u);
  EXPECT_EQ(GetControlSize(dialog_, kId), (IntPair{kWidth, kHeight}));
  EXPECT_EQ(InstrumentAt(kId)->pattern, 3);
  EXPECT_EQ(InstrumentAt(kId + 1)->pattern, 6);
  for (int32_t id : {kId, kId + 1}) {
    EXPECT_EQ(Slot(id, kSlotOffFace), 0) << id;
    EXPECT_EQ(CanvasColor(dialog_, id, 5, 5), C(240, 240, 240)) << id;
  }
}

TEST_F(InstrumentControl, OneBitmapIsPaintedAndKeptInSlot2) {
  Create(kId, "off.bmp");
  EXPECT_EQ(InstrumentAt(kId)->pattern, 6);
  EXPECT_EQ(Slot(kId, kSlotFaceState), 0);
  const Handle face = static_cast<Handle>(Slot(kId, kSlotOffFace));
  ASSERT_NE(face, 0u);
  EXPECT_EQ(Slot(kId, kSlotOnFace), 0);
  EXPECT_EQ(CanvasColor(dialog_, kId, 0, 0), C(255, 0, 0));
  EXPECT_EQ(CanvasColor(dialog_, kId, kWidth - 1, kHeight - 1), C(255, 0, 0));
  CanvasAttach(face, 0, kAttachRedrawOnRequest);
  EXPECT_EQ(CanvasGetSize(), (IntPair{kWidth, kHeight}));  // scaled to the control
  EXPECT_EQ(CanvasColor(face, 0, 3, 3), C(255, 0, 0));
}

TEST_F(InstrumentControl, TwoBitmapsGiveTheOffAndOnFacesSplitAtTheFirstSlash) {
  Create(kId, "off.bmp/on.bmp");
  Create(kId + 1, "on.bmp/off.bmp");  // swapped names swap the faces
  Create(kId + 2, "off.bmp/sub/on.bmp");
  EXPECT_EQ(Slot(kId, kSlotFaceState), 0);
  EXPECT_EQ(InstrumentAt(kId)->pattern, 6);
  const probe::Color red = C(255, 0, 0), blue = C(0, 0, 255);
  EXPECT_EQ(CanvasColor(dialog_, kId, 5, 5), red);
  EXPECT_EQ(FaceColor(kId, kSlotOffFace), red);
  EXPECT_EQ(FaceColor(kId, kSlotOnFace), blue);
  EXPECT_EQ(CanvasColor(dialog_, kId + 1, 5, 5), blue);
  EXPECT_EQ(FaceColor(kId + 1, kSlotOffFace), blue);
  EXPECT_EQ(FaceColor(kId + 1, kSlotOnFace), red);
  ASSERT_NE(Slot(kId + 2, kSlotOnFace), 0);
  EXPECT_EQ(FaceColor(kId + 2, kSlotOnFace), C(0, 255, 0));
}

TEST_F(InstrumentControl, EmptyOnNamesAndMissingFilesLoadNoFace) {
  Create(kId, "off.bmp/");
  Create(kId + 1, "absent.bmp/also absent.bmp");
  EXPECT_NE(Slot(kId, kSlotOffFace), 0);
  EXPECT_EQ(Slot(kId + 1, kSlotOffFace), 0);
  EXPECT_EQ(CanvasColor(dialog_, kId + 1, 5, 5), C(240, 240, 240));
  for (int32_t id : {kId, kId + 1}) {
    EXPECT_EQ(Slot(id, kSlotOnFace), 0) << id;
    EXPECT_EQ(InstrumentAt(id)->pattern, 6) << id;
  }
}

TEST_F(InstrumentControl, BlankFacePairDrawsAToggleButtonToggledTwice) {
  InstrumentAt(kId)->frameColor.Write("rosso");
  InstrumentAt(kId)->fillColor.Write("grigio");
  Create(kId, "/");
  EXPECT_EQ(Slot(kId, kSlotOffFace), 0);
  EXPECT_EQ(Slot(kId, kSlotOnFace), 0);
  EXPECT_EQ(Slot(kId, kSlotFaceState), 0);  // OFF, ON, then OFF again
  EXPECT_EQ(InstrumentAt(kId)->pattern, 6);
  EXPECT_NE(CanvasColor(dialog_, kId, 0, 0), C(240, 240, 240));  // the button's frame was drawn
}

TEST_F(InstrumentControl, OnlyPositiveIdentifiersNotifyClicks) {
  for (int32_t id : {5, 0, -5}) {
    Create(id, "");
    EXPECT_EQ(FindRecord(GetControlHandle(dialog_, id))->style & SS_NOTIFY, id > 0 ? SS_NOTIFY : 0u) << id;
  }
}

TEST_F(InstrumentControl, IdentifiersOutsideTheTableStillGetAControlButNoRecord) {
  ClearInstrumentTable();
  Create(2001, "   ");
  Create(-3, "off.bmp");
  EXPECT_NE(GetControlHandle(dialog_, 2001), 0u);
  EXPECT_EQ(CanvasColor(dialog_, -3, 5, 5), C(255, 0, 0));
  EXPECT_EQ(InstrumentAt(2000)->pattern, 0);
  EXPECT_EQ(InstrumentAt(0)->pattern, 0);
}

// Face bitmap canvases go with their dialog: a program that opens and closes
// a dialog with bitmap-faced controls again and again leaves no record behind.
TEST_F(InstrumentControl, FaceBitmapsAreFreedWithTheirDialog) {
  EndDialogWindow(dialog_, 0);
  const size_t before = RecordCount();
  for (int i = 0; i < 1000; ++i) {
    const Handle dialog = CreateDialogWindow(0, "faces", -1, -1, 300, 200, 0, 0, kUnitsPixels);
    CreateInstrumentControl(dialog, 1, 10, 10, kWidth, kHeight, "off.bmp/on.bmp");
    CreateInstrumentControl(dialog, 2, 40, 10, kWidth, kHeight, "off.bmp");
    const Handle face = static_cast<Handle>(GetControlUserValue(GetControlHandle(dialog, 1), kSlotOnFace));
    ASSERT_EQ(RecordCount(), before + 6) << i;  // the dialog, two controls, three faces
    EndDialogWindow(dialog, 0);
    ASSERT_EQ(RecordCount(), before) << i;
    ASSERT_EQ(FindRecord(face), nullptr);
  }
  dialog_ = CreateDialogWindow(0, "instrument table", -1, -1, 300, 200, 0, 0, kUnitsPixels);
}
