// The platform-free arithmetic of the progress bar: the percentage, the filled width and the block layout for a
// client size, the colour of a gradient column, and the text shown for a caption used as a format.
//
// Range and position are 64-bit and may span the whole 64-bit range; every product is formed in 128 bits, so no
// value of the range overflows.
#pragma once

#include <cstdint>
#include <string>

// Where the bar's filled part ends and how it is cut into blocks. Columns are client x coordinates; the filled
// part covers columns 1 to Fill (column 0 and the last column belong to the border).
struct TProgressGeometry {
  int Fill = 0;
  int BlockWidth = 0;         // 0 for a solid bar (or a bar too low for blocks)
  int Blocks = 0;             // blocks shown, the partial one included
  bool PartialBlock = false;  // the last block is cut short by the end of the bar
  int PartialWidth = 0;
  friend bool operator==(const TProgressGeometry&, const TProgressGeometry&) = default;
};

// (position - minimum) x 100 div (maximum - minimum), 0 when the range is empty; a position outside the range is
// taken at the nearer end.
int ProgressPercent(int64_t position, int64_t minimum, int64_t maximum);

// The geometry for a client area of clientWidth x clientHeight. False, and `geometry` untouched, when there is
// nothing to compute: an empty range or a client narrower than 2 pixels.
bool ComputeProgressGeometry(int64_t position, int64_t minimum, int64_t maximum, int clientWidth, int clientHeight,
                             bool solid, TProgressGeometry& geometry);

// The colour (0x00BBGGRR) `offset` columns into a gradient that runs from `startRgb` at offset 0 towards `endRgb`
// at offset `fill`: each channel start + offset x (end - start) / fill, rounded to the nearest value (halves away
// from zero), computed exactly. `fill` must be positive.
uint32_t GradientColumnColor(uint32_t startRgb, uint32_t endRgb, int offset, int fill);

// `format` with every "%d" replaced by `percent` and every "%%" by "%"; any other character, a lone '%' included,
// stays as it is. The caption is the user's text, never a printf format.
std::string FormatProgressCaption(const std::string& format, int percent);
