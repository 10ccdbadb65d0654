// Helpers shared by the test suites: paths of the reference data and of the
// source tree, PNG reading and writing, exact picture comparison.
#pragma once

#include <cstdint>
#include <string>

#include "platform/surface.h"

namespace testing_support {

using namespace ip;

std::string ReferenceDir();  // tests/data/gdi-reference: the GDI reference pictures
std::string SourceDir();   // the source tree
std::string BinaryDir();   // the build tree
// A folder of this test process's own for files a test writes: test programs
// run in parallel and must not share scratch files.
std::string ScratchDir();

// Reads an 8-bit RGB or RGBA PNG into a surface; false if unreadable.
bool ReadPng(const std::string& path, platform::Surface& out);
// Writes a surface as an 8-bit RGB PNG; false on failure.
bool WritePng(const std::string& path, const platform::Surface& surface);

// Compares two surfaces on red, green and blue. Empty result when equal;
// otherwise a description naming the first wrong pixel with both colours and
// the number of differing pixels, and a difference image is written to
// diffPath (when not empty).
std::string ComparePictures(const platform::Surface& expected, const platform::Surface& actual,
                            const std::string& diffPath);

// Compares a picture with the golden picture tests/golden/NAME.png. Empty
// result when they are equal; otherwise what ComparePictures says (the
// difference image goes to the build folder as NAME_diff.png). A missing
// golden picture is a failure; with IP_UPDATE_GOLDEN=1 in the environment the
// golden picture is (re)written from `actual` first.
std::string CompareWithGolden(const std::string& name, const platform::Surface& actual);

}  // namespace testing_support
