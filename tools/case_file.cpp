// Case files: a line-by-line parser with exact error reports, and the runner
// that replays a case through the canvas operations.
#include "tools/case_file.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <utility>

#include "host/window_records.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/canvas.h"
#include "platform/file_access.h"

namespace ip::cases {

namespace {

// Argument letters: 'f' float32, 'i' integer, 's' file name.
struct OperationSyntax {
  const char* keyword;
  OperationKind kind;
  const char* arguments;
};

constexpr std::array<OperationSyntax, 10> kOperations = {{
    {"CanvasSetForeColor", OperationKind::kSetForeColor, "i"},
    {"CanvasSetBackColor", OperationKind::kSetBackColor, "i"},
    {"CanvasSetLineWidth", OperationKind::kSetLineWidth, "i"},
    {"CanvasMoveTo", OperationKind::kMoveTo, "ffi"},
    {"CanvasLineTo", OperationKind::kLineTo, "ffii"},
    {"CanvasBox", OperationKind::kBox, "ffffiiii"},
    {"CanvasPie", OperationKind::kPie, "ffffffiiii"},
    {"CanvasCopy", OperationKind::kCopy, "i"},
    {"CanvasStretch", OperationKind::kStretch, "ffffffffi"},
    {"CanvasRenderBitmap", OperationKind::kRenderBitmap, "sffff"},
}};

constexpr int64_t kMaxCaseSide = 1 << 14;
constexpr size_t kMaxCaseFileBytes = size_t{64} << 20;

// Decimal in [-2^31, 2^32) or 0x plus one to eight hex digits; the result is
// the 32-bit pattern.
bool ParseInteger(const std::string& token, int32_t& value) {
  if (token.empty()) return false;
  const bool hex = token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
  if (hex && token.size() > 10) return false;
  const char* begin = token.c_str();
  char* end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(begin, &end, hex ? 16 : 10);
  if (errno != 0 || end != begin + token.size() || (hex && (token[2] == '-' || token[2] == '+'))) return false;
  if (parsed < INT32_MIN || parsed > int64_t{UINT32_MAX}) return false;
  value = static_cast<int32_t>(static_cast<uint32_t>(parsed));
  return true;
}

bool ParseFloat(const std::string& token, float& value) {
  if (token.empty()) return false;
  char* end = nullptr;
  value = std::strtof(token.c_str(), &end);
  return end == token.c_str() + token.size();
}

bool ValidName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-')) return false;
  }
  return true;
}

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line.substr(0, line.find('#')));
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// Parses two positive sizes (at most kMaxCaseSide each).
bool ParseSize(const std::vector<std::string>& words, int32_t& width, int32_t& height, std::string& reason) {
  if (words.size() != 3) {
    reason = words[0] + " needs a width and a height";
    return false;
  }
  if (!ParseInteger(words[1], width) || !ParseInteger(words[2], height) || width <= 0 || height <= 0 ||
      width > kMaxCaseSide || height > kMaxCaseSide) {
    reason = words[0] + " needs two whole numbers from 1 to " + std::to_string(kMaxCaseSide);
    return false;
  }
  return true;
}

bool ParseOperation(const OperationSyntax& syntax, const std::vector<std::string>& words, Operation& op,
                    std::string& reason) {
  const std::string pattern = syntax.arguments;
  if (words.size() != pattern.size() + 1) {
    reason = std::string(syntax.keyword) + " takes " + std::to_string(pattern.size()) + " arguments, not " +
             std::to_string(words.size() - 1);
    return false;
  }
  op.kind = syntax.kind;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const std::string& word = words[i + 1];
    if (pattern[i] == 's') {
      op.file = word;
    } else if (pattern[i] == 'f') {
      float number = 0;
      if (!ParseFloat(word, number)) {
        reason = "argument " + std::to_string(i + 1) + " of " + syntax.keyword + " is not a number: " + word;
        return false;
      }
      op.numbers.push_back(number);
    } else {
      int32_t integer = 0;
      if (!ParseInteger(word, integer)) {
        reason = "argument " + std::to_string(i + 1) + " of " + syntax.keyword + " is not a 32-bit integer: " + word;
        return false;
      }
      op.integers.push_back(integer);
    }
  }
  return true;
}

const OperationSyntax* FindOperation(const std::string& keyword) {
  for (const OperationSyntax& syntax : kOperations) {
    if (keyword == syntax.keyword) return &syntax;
  }
  return nullptr;
}

// The state of the parser between lines.
class CaseParser {
 public:
  explicit CaseParser(CaseFile& out) : out_(out) {}

  bool Line(int number, const std::vector<std::string>& words, std::string& reason) {
    const std::string& keyword = words[0];
    if (!open_) return Opening(number, words, reason);
    Case& current = out_.cases.back();
    if (keyword == "case") {
      reason = "case " + current.name + " has no end before the next case";
      return false;
    }
    if (keyword == "end") return Closing(words, reason);
    if (keyword == "size") {
      if (sized_) return Twice(keyword, reason);
      sized_ = ParseSize(words, current.width, current.height, reason);
      return sized_;
    }
    if (keyword == "source") {
      if (current.hasSource) return Twice(keyword, reason);
      current.hasSource = ParseSize(words, current.sourceWidth, current.sourceHeight, reason);
      return current.hasSource;
    }
    if (keyword == "clear") return Clear(words, current, reason);
    const OperationSyntax* syntax = FindOperation(keyword);
    if (syntax == nullptr) {
      reason = "unknown item " + keyword;
      return false;
    }
    if (!sized_ || !cleared_) {
      reason = keyword + " before the case's size and clear colour";
      return false;
    }
    Operation op;
    op.line = number;
    if (!ParseOperation(*syntax, words, op, reason)) return false;
    current.operations.push_back(std::move(op));
    return true;
  }

  bool Finish(int& line, std::string& reason) const {
    if (!open_) return true;
    line = out_.cases.back().line;
    reason = "case " + out_.cases.back().name + " has no end";
    return false;
  }

 private:
  bool Opening(int number, const std::vector<std::string>& words, std::string& reason) {
    if (words[0] != "case") {
      reason = words[0] + " outside a case";
      return false;
    }
    if (words.size() != 2 || !ValidName(words[1])) {
      reason = "case needs one name of a-z, 0-9, '_' and '-'";
      return false;
    }
    if (!names_.insert(words[1]).second) {
      reason = "case " + words[1] + " is named twice";
      return false;
    }
    Case fresh;
    fresh.name = words[1];
    fresh.line = number;
    out_.cases.push_back(std::move(fresh));
    open_ = true;
    sized_ = cleared_ = false;
    return true;
  }

  bool Closing(const std::vector<std::string>& words, std::string& reason) {
    if (words.size() != 1) {
      reason = "end takes no arguments";
      return false;
    }
    if (!sized_ || !cleared_) {
      reason = "case " + out_.cases.back().name + " ends without " + (sized_ ? "a clear colour" : "a size");
      return false;
    }
    open_ = false;
    return true;
  }

  bool Clear(const std::vector<std::string>& words, Case& current, std::string& reason) {
    if (cleared_) return Twice("clear", reason);
    int32_t colour = 0;
    if (words.size() != 2 || !ParseInteger(words[1], colour)) {
      reason = "clear needs one colour";
      return false;
    }
    current.clear = static_cast<uint32_t>(colour);
    cleared_ = true;
    return true;
  }

  static bool Twice(const std::string& keyword, std::string& reason) {
    reason = keyword + " given twice in one case";
    return false;
  }

  CaseFile& out_;
  std::set<std::string> names_;
  bool open_ = false;
  bool sized_ = false;
  bool cleared_ = false;
};

// A pixel buffer (width, height, then B, G, R, 0 pixels) of the source picture.
std::string SourceBuffer(int32_t width, int32_t height) {
  std::string buffer(8 + size_t(width) * height * 4, '\0');
  for (int i = 0; i < 4; ++i) {
    buffer[i] = static_cast<char>((static_cast<uint32_t>(width) >> (8 * i)) & 0xFF);
    buffer[4 + i] = static_cast<char>((static_cast<uint32_t>(height) >> (8 * i)) & 0xFF);
  }
  // Made a row of pixels at a time and copied out as bytes.
  std::vector<platform::Pixel> row(static_cast<size_t>(width));
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) row[static_cast<size_t>(x)] = SourcePixel(x, y);
    platform::CopyPixelsToBytes(row.data(), buffer.data() + 8 + size_t(y) * width * 4, row.size());
  }
  return buffer;
}

Handle MakeSourceCanvas(const Case& testCase) {
  if (!testCase.hasSource) return 0;
  const Handle source = CreateBitmapCanvas(testCase.sourceWidth, testCase.sourceHeight);
  if (source == 0) return 0;
  CanvasAttach(source, 0, kAttachRedrawOnRequest);
  CanvasSetBits(SourceBuffer(testCase.sourceWidth, testCase.sourceHeight));
  return source;
}

// The canvas cleared with a box one pixel larger than the canvas (its
// outline and its fill in the clear colour), then the initial state.
void PrepareCanvas(const Case& testCase) {
  const ColorRef clear = static_cast<ColorRef>(testCase.clear);
  CanvasSetLineWidth(0);
  CanvasBox(0, 0, static_cast<float>(testCase.width + 1), static_cast<float>(testCase.height + 1), 0, clear, clear, 0);
  CanvasSetForeColor(0);
  CanvasSetBackColor(clear);
  CanvasMoveTo(0, 0, 0);
}

std::string BitmapPath(const std::string& folder, const std::string& file) {
  if (folder.empty() || (!file.empty() && file[0] == '/')) return file;
  return folder + "/" + file;
}

void RunOperation(const Operation& op, Handle source, const std::string& folder) {
  const std::vector<float>& f = op.numbers;
  const std::vector<int32_t>& i = op.integers;
  switch (op.kind) {
    case OperationKind::kSetForeColor: CanvasSetForeColor(i[0]); break;
    case OperationKind::kSetBackColor: CanvasSetBackColor(i[0]); break;
    case OperationKind::kSetLineWidth: CanvasSetLineWidth(i[0]); break;
    case OperationKind::kMoveTo: CanvasMoveTo(f[0], f[1], i[0]); break;
    case OperationKind::kLineTo: CanvasLineTo(f[0], f[1], i[0], i[1]); break;
    case OperationKind::kBox: CanvasBox(f[0], f[1], f[2], f[3], i[0], i[1], i[2], i[3]); break;
    case OperationKind::kPie: CanvasPie(f[0], f[1], f[2], f[3], f[4], f[5], i[0], i[1], i[2], i[3]); break;
    case OperationKind::kCopy: CanvasCopy(source, 0, i[0]); break;
    case OperationKind::kStretch:
      CanvasStretch(source, 0, f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], i[0]);
      break;
    case OperationKind::kRenderBitmap:
      CanvasRenderBitmap(BitmapPath(folder, op.file), f[0], f[1], f[2], f[3]);
      break;
  }
}

}  // namespace

platform::Pixel SourcePixel(int32_t x, int32_t y) {
  const uint32_t red = static_cast<uint32_t>(x * 40 + y * 7) & 255;
  const uint32_t green = static_cast<uint32_t>(y * 40 + x * 3) & 255;
  const uint32_t blue = static_cast<uint32_t>(x * y * 5 + 17) & 255;
  return (red << 16) | (green << 8) | blue;
}

bool ParseCaseText(const std::string& text, const std::string& folder, CaseFile& out, ParseError& error) {
  out = CaseFile{};
  out.folder = folder;
  CaseParser parser(out);
  std::istringstream in(text);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty()) continue;
    if (!parser.Line(number, words, error.reason)) {
      error.line = number;
      return false;
    }
  }
  return parser.Finish(error.line, error.reason);
}

bool LoadCaseFile(const std::string& path, CaseFile& out, ParseError& error) {
  std::string text, reason;
  if (!platform::ReadRegularFile(path, kMaxCaseFileBytes, text, reason)) {
    error = {0, "cannot read the case file: " + reason};
    return false;
  }
  const size_t slash = path.find_last_of('/');
  return ParseCaseText(text, slash == std::string::npos ? "." : path.substr(0, slash), out, error);
}

platform::Surface RunCase(const Case& testCase, const std::string& folder) {
  const Handle source = MakeSourceCanvas(testCase);
  const Handle canvas = CreateBitmapCanvas(testCase.width, testCase.height);
  platform::Surface result;
  if (canvas != 0) {
    CanvasAttach(canvas, 0, kAttachRedrawOnRequest);
    PrepareCanvas(testCase);
    for (const Operation& op : testCase.operations) RunOperation(op, source, folder);
    if (WindowRecord* record = FindRecord(canvas)) result = std::move(record->canvas.bitmap);  // freed next
    FreeRecord(canvas);
  }
  if (source != 0) FreeRecord(source);
  return result;
}

}  // namespace ip::cases
