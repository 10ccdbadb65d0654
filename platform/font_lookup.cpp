// Finding face files by name with fontconfig. The three faces the panel
// names map to fixed installed families so that the pictures do not depend
// on the local fontconfig rules; any other name goes through fontconfig's
// own matching.
#include <fontconfig/fontconfig.h>

#include <cctype>
#include <string_view>

#include "platform/font.h"
#include "platform/font_face.h"

namespace ip::platform {
namespace {

constexpr const char* kFallbackFamily = "DejaVu Sans";

struct FamilyAlias {
  const char* windowsName;  // lower case
  const char* family;
};

constexpr FamilyAlias kFamilyAliases[] = {
    {"arial", "Liberation Sans"},
    {"courier new", "Liberation Mono"},
    {"ms sans serif", "DejaVu Sans"},
};

// The fontconfig configuration, loaded on first use and destroyed when the
// program ends, so that a leak checker finds every allocation of it returned.
// Fontconfig's own global state is left alone: other parts of a program may
// still be using it.
class LoadedConfig {
 public:
  LoadedConfig() : config_(FcInitLoadConfigAndFonts()) {}
  LoadedConfig(const LoadedConfig&) = delete;
  LoadedConfig& operator=(const LoadedConfig&) = delete;
  ~LoadedConfig() {
    if (config_ != nullptr) FcConfigDestroy(config_);
  }
  FcConfig* get() const { return config_; }

 private:
  FcConfig* config_;
};

FcConfig* Config() {
  static const LoadedConfig config;
  return config.get();
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

const char* AliasedFamily(const std::string& faceName) {
  std::string lower = LowerAscii(faceName);
  for (const FamilyAlias& alias : kFamilyAliases) {
    if (lower == alias.windowsName) return alias.family;
  }
  return nullptr;
}

// Outline formats FreeType can measure with the TrueType tables we read.
bool IsUsableFormat(FcPattern* match) {
  FcChar8* format = nullptr;
  if (FcPatternGetString(match, FC_FONTFORMAT, 0, &format) != FcResultMatch) return false;
  std::string_view f(reinterpret_cast<const char*>(format));
  return f == "TrueType" || f == "CFF";
}

bool HasFamily(FcPattern* match, const char* family) {
  std::string wanted = LowerAscii(family);
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (LowerAscii(reinterpret_cast<const char*>(name)) == wanted) return true;
  }
  return false;
}

std::optional<FaceLocation> LocationOf(FcPattern* match) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  FaceLocation location;
  location.file = reinterpret_cast<const char*>(file);
  int index = 0;
  if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) location.index = index;
  int weight = FC_WEIGHT_REGULAR;
  FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(match, FC_SLANT, 0, &slant);
  location.hasBold = weight >= FC_WEIGHT_DEMIBOLD;
  location.hasItalic = slant != FC_SLANT_ROMAN;
  return location;
}

// Fontconfig's best match for a family and style. With `exactFamily` the
// match must belong to that family (no substitution).
std::optional<FaceLocation> MatchFamily(const std::string& familyUtf8, bool bold, bool italic, bool exactFamily) {
  FcConfig* config = Config();
  if (config == nullptr) return std::nullopt;
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return std::nullopt;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(familyUtf8.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return std::nullopt;
  std::optional<FaceLocation> location;
  if (IsUsableFormat(match) && (!exactFamily || HasFamily(match, familyUtf8.c_str()))) location = LocationOf(match);
  FcPatternDestroy(match);
  return location;
}

}  // namespace

std::optional<FaceLocation> LocateFallbackFace() {
  return MatchFamily(kFallbackFamily, false, false, true);
}

std::optional<FaceLocation> LocateFace(const std::string& faceName, bool bold, bool italic) {
  std::optional<FaceLocation> location;
  if (const char* family = AliasedFamily(faceName)) {
    location = MatchFamily(family, bold, italic, true);
  } else {
    location = MatchFamily(Utf8FromWindows1252(faceName), bold, italic, false);  // fontconfig takes UTF-8
  }
  if (!location) location = MatchFamily(kFallbackFamily, bold, italic, true);
  return location;
}

}  // namespace ip::platform
