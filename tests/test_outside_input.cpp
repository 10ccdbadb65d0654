// Input from outside the program: files opened by name are read only when
// they are regular files (a FIFO never blocks, a directory or device is
// refused with its reason), files are replaced whole or not at all, bitmaps
// that are not regular files are left out like missing ones, and outside text
// is escaped before it reaches a terminal.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/terminal_text.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "platform/file_access.h"
#include "platform/png_file.h"
#include "tests/support/test_support.h"
#include "tools/bmp_writer.h"

using namespace ip;
namespace fs = std::filesystem;

namespace {

// A fresh folder of this test's own holding one file of each kind.
struct Folder {
  std::string path;
  explicit Folder(const std::string& name) : path(testing_support::ScratchDir() + "/" + name) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  std::string operator/(const std::string& name) const { return path + "/" + name; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(path)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
};

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void MakeFifo(const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << std::strerror(errno); }

// Every kind of name a program may be given in place of a regular file,
// with the reason it is refused.
struct NameKind {
  const char* name;
  const char* reason;  // empty: a regular file, read normally
};

constexpr NameKind kNameKinds[] = {
    {"plain.txt", ""},
    {"link-to-plain", ""},
    {"missing.txt", "No such file or directory"},
    {"folder", "Is a directory"},
    {"pipe", "Is a FIFO, not a regular file"},
    {"link-to-device", "Is a device, not a regular file"},
    {"link-to-folder", "Is a directory"},
    {"plain.txt/inside", "Not a directory"},
};

Folder FolderOfEveryKind() {
  Folder folder("kinds");
  WriteText(folder / "plain.txt", "hello");
  fs::create_directory(folder / "folder");
  MakeFifo(folder / "pipe");
  fs::create_symlink(folder / "plain.txt", folder / "link-to-plain");
  fs::create_symlink("/dev/null", folder / "link-to-device");
  fs::create_symlink(folder / "folder", folder / "link-to-folder");
  return folder;
}

TEST(RegularFilesOnly, EachKindOfNameIsReadOrRefusedWithItsReason) {
  const Folder folder = FolderOfEveryKind();
  for (const NameKind& kind : kNameKinds) {
    SCOPED_TRACE(kind.name);
    const std::string path = folder / kind.name;
    const bool regular = kind.reason[0] == '\0';
    EXPECT_EQ(platform::IsRegularFile(path), regular);
    std::string contents = "untouched", reason;
    EXPECT_EQ(platform::ReadRegularFile(path, 100, contents, reason), regular);  // a FIFO returns at once
    EXPECT_EQ(reason, kind.reason);
    EXPECT_EQ(contents, regular ? "hello" : "untouched");
  }
}

TEST(RegularFilesOnly, SizeLimitIsExact) {
  const Folder folder("limit");
  WriteText(folder / "ten", "0123456789");
  WriteText(folder / "empty", "");
  struct Case {
    const char* name;
    size_t limit;
    const char* reason;
  };
  for (const Case& c : {Case{"ten", 10, ""}, Case{"ten", 9, "Is larger than 9 bytes"}, Case{"empty", 0, ""}}) {
    std::string contents, reason;
    EXPECT_EQ(platform::ReadRegularFile(folder / c.name, c.limit, contents, reason), c.reason[0] == '\0');
    EXPECT_EQ(reason, c.reason) << c.name << " within " << c.limit;
  }
}

TEST(RegularFilesOnly, FilesOutsideTheRegularKindsAreNotReplaced) {
  const Folder folder = FolderOfEveryKind();
  const auto write = [](std::FILE* file, std::string&) { return std::fputs("new", file) >= 0; };
  for (const char* name : {"folder", "pipe", "link-to-device", "link-to-folder"}) {
    std::string reason;
    EXPECT_FALSE(platform::WriteFileReplacing(folder / name, write, reason)) << name;
    EXPECT_NE(reason.find("Is a"), std::string::npos) << name << ": " << reason;
  }
  std::string reason;
  EXPECT_FALSE(platform::WriteFileReplacing(folder / "no-such-folder/new.txt", write, reason));
  EXPECT_EQ(reason, "No such file or directory");
  EXPECT_TRUE(fs::is_fifo(folder / "pipe"));
  EXPECT_TRUE(fs::is_symlink(folder / "link-to-device"));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"folder", "link-to-device", "link-to-folder", "link-to-plain",
                                                      "pipe", "plain.txt"}));
}

TEST(FileReplacement, WholeNewFileOrTheOldOneUntouched) {
  const Folder folder("replace");
  const std::string path = folder / "data.txt";
  WriteText(path, "old contents");
  ::chmod(path.c_str(), 0640);
  std::string reason;
  const auto failing = [](std::FILE* file, std::string&) {
    std::fputs("half", file);
    return false;
  };
  EXPECT_FALSE(platform::WriteFileReplacing(path, failing, reason));
  EXPECT_EQ(reason, "the data could not be written");
  EXPECT_EQ(ReadText(path), "old contents");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"data.txt"});  // no temporary file left

  const auto writing = [](std::FILE* file, std::string&) { return std::fputs("new contents", file) >= 0; };
  ASSERT_TRUE(platform::WriteFileReplacing(path, writing, reason)) << reason;
  EXPECT_EQ(ReadText(path), "new contents");
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));  // the replaced file's permissions

  // Through a symbolic link the file it names is replaced; the link stays.
  fs::create_symlink(path, folder / "link");
  const auto other = [](std::FILE* file, std::string&) { return std::fputs("via link", file) >= 0; };
  ASSERT_TRUE(platform::WriteFileReplacing(folder / "link", other, reason)) << reason;
  EXPECT_TRUE(fs::is_symlink(folder / "link"));
  EXPECT_EQ(ReadText(path), "via link");

  // A new file gets the permissions the process's umask gives any new file.
  const mode_t previous = ::umask(027);
  ASSERT_TRUE(platform::WriteFileReplacing(folder / "fresh.txt", writing, reason)) << reason;
  ::umask(previous);
  EXPECT_EQ(fs::status(folder / "fresh.txt").permissions(), fs::perms(0640));
}

// A picture whose PNG cannot compress below a few kilobytes.
platform::Surface NoisyPicture() {
  platform::Surface picture = platform::MakeSurface(64, 64, 0);
  uint32_t state = 12345;
  for (platform::Pixel& p : picture.pixels) {
    state = state * 1664525u + 1013904223u;
    p = state >> 8;
  }
  return picture;
}

TEST(FileReplacement, AWriteThatFailsHalfwayLeavesNoPartialPicture) {
  const Folder folder("half");
  const std::string path = folder / "shot.png";
  WriteText(path, "previous picture");
  // The file size limit makes the system refuse the write after 1 KiB.
  constexpr rlim_t kLimitBytes = 1024;
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const sighandler_t handler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = kLimitBytes;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  std::string reason;
  const bool written = platform::WritePngFile(path, NoisyPicture(), reason);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, handler);
  EXPECT_FALSE(written);
  EXPECT_EQ(reason, std::strerror(EFBIG));
  EXPECT_EQ(ReadText(path), "previous picture");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"shot.png"});

  ASSERT_TRUE(platform::WritePngFile(path, NoisyPicture(), reason)) << reason;
  platform::Surface back;
  ASSERT_TRUE(platform::ReadPngFile(path, back));
  EXPECT_TRUE(back.pixels == NoisyPicture().pixels);
}

// Bitmap files that are not regular files are left out like missing ones;
// a FIFO never blocks the loader.
TEST(BitmapFilesByName, OnlyRegularFilesAreLoaded) {
  const Folder folder("bitmaps");
  tools::Image image(3, 2);
  for (tools::Rgb& p : image.pixels) p = tools::Rgb{255, 0, 0};
  ASSERT_TRUE(tools::WriteBmp24(folder / "red.bmp", image));
  MakeFifo(folder / "pipe.bmp");
  fs::create_directory(folder / "folder.bmp");
  fs::create_symlink("/dev/zero", folder / "zero.bmp");

  const Handle canvas = CreateBitmapCanvas(4, 4);
  CanvasAttach(canvas, 0, kAttachRedrawOnRequest);
  const std::string blank = CanvasGetBits();
  for (const char* name : {"pipe.bmp", "folder.bmp", "zero.bmp", "missing.bmp"}) {
    EXPECT_EQ(LoadBitmapCanvas(folder / name, 4, 4), 0u) << name;
    CanvasRenderBitmap(folder / name, 0, 0, 3, 3);
    EXPECT_TRUE(CanvasGetBits() == blank) << name << " drew something";
  }
  EXPECT_NE(LoadBitmapCanvas(folder / "red.bmp", 4, 4), 0u);

  // A FIFO in the working directory under a bitmap's name is passed over for
  // the file of that name in the search folder, as a missing file would be.
  const Folder search("search");
  ASSERT_TRUE(tools::WriteBmp24(search / "pipe.bmp", image));
  SetBitmapSearchFolder(search.path);
  const fs::path previous = fs::current_path();
  fs::current_path(folder.path);
  const Handle found = LoadBitmapCanvas("pipe.bmp", 3, 2);
  fs::current_path(previous);
  SetBitmapSearchFolder("");
  EXPECT_NE(found, 0u);
}

TEST(TerminalText, ControlCharactersAndBrokenUtf8AreEscaped) {
  struct Case {
    std::string text;
    std::string shown;
  };
  const std::vector<Case> cases{
      {"plain words 0-9 ~", "plain words 0-9 ~"},
      {"\x1b[31mred", "\\x1b[31mred"},
      {std::string("nul\0byte", 8), "nul\\x00byte"},
      {"tab\tline\ncr\r", "tab\\tline\\ncr\\r"},
      {"bell\a del\x7f", "bell\\x07 del\\x7f"},
      {"back\\slash", "back\\\\slash"},
      // è, € and an emoji
      {"caff\xc3\xa8 \xe2\x82\xac \xf0\x9f\x98\x80", "caff\xc3\xa8 \xe2\x82\xac \xf0\x9f\x98\x80"},
      {"\xc2\x9b" "31m", "\\xc2\\x9b31m"},        // the C1 control CSI in UTF-8
      {"\x9b" "31m", "\\x9b31m"},                 // CSI as one byte
      {"\xe8 cp1252", "\\xe8 cp1252"},            // not UTF-8
      {"\xc0\xaf", "\\xc0\\xaf"},                 // an overlong '/'
      {"\xed\xa0\x80", "\\xed\\xa0\\x80"},        // a surrogate
      {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},  // beyond U+10FFFF
      {"\xe2\x82", "\\xe2\\x82"},                 // cut short
  };
  for (const Case& c : cases) EXPECT_EQ(PrintableText(c.text), c.shown);
}

}  // namespace
