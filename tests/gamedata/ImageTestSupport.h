#pragma once
// The image library the reader and cache tests share, written as either kind, and the log lines they look for.
#include "gamedata/core/ImageLibraries.h"
#include "tests/fixtures/core/WilFixture.h"

namespace testsupport {

using TTestImages = std::vector<std::optional<fixtures::WilImage>>;

//   0  6 x 2; row 0: opaque red, transparent, half-transparent white, opaque RGB565 0 (black), half-transparent
//      black, opaque 0x0001 (nearly black); row 1 opaque green. Offsets (3, -2), header words 0x11, 0x2233, 0x4455.
//   1  no image
//   2  0 x 3: a side of 0
//   3  damaged: a run past its 4-pixel row (WIL), a PNG whose header claims 5000 pixels (SIL)
//   4  no image
TTestImages TestImages();
// Writes the images as a WIL pair (version 17) or as the SIL pair the conversion makes of it (each image the PNG
// of its decoded canvas, the entries ending at the last image) at basePath plus the kind's extensions.
bool WriteTestLibrary(const std::string& basePath, int32_t kind, const TTestImages& images);

// How often `text` occurs in the file at `path`.
int CountInFile(const std::string& path, const std::string& text);

}  // namespace testsupport
