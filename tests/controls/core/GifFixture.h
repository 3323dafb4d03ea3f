// Animated GIF files written for the tests: a 4-colour global table and one solid frame per entry, each frame
// covering the whole screen behind its own graphic control block.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace gif_fixture {

struct TRgb {
  uint8_t R, G, B;
};

// The compressed pixels of a solid frame: the colour index repeated, with a clear code before every pair so
// the code width stays at 3 bits (minimum code size 2: clear = 4, end = 5).
inline std::vector<uint8_t> SolidFrameData(int pixels, uint8_t index) {
  std::vector<int> codes;
  for (int i = 0; i < pixels; ++i) {
    if (i % 2 == 0) codes.push_back(4);
    codes.push_back(index);
  }
  codes.push_back(5);
  std::vector<uint8_t> packed;
  uint32_t bits = 0;
  int count = 0;
  for (int code : codes) {
    bits |= static_cast<uint32_t>(code) << count;
    count += 3;
    while (count >= 8) {
      packed.push_back(static_cast<uint8_t>(bits));
      bits >>= 8;
      count -= 8;
    }
  }
  if (count > 0) packed.push_back(static_cast<uint8_t>(bits));
  std::vector<uint8_t> blocks{2};  // minimum code size
  for (size_t at = 0; at < packed.size(); at += 255) {
    const size_t n = std::min<size_t>(255, packed.size() - at);
    blocks.push_back(static_cast<uint8_t>(n));
    blocks.insert(blocks.end(), packed.begin() + static_cast<std::ptrdiff_t>(at),
                  packed.begin() + static_cast<std::ptrdiff_t>(at + n));
  }
  blocks.push_back(0);
  return blocks;
}

// A width x height GIF whose frame i is filled with colour table entry frames[i]; without `control` blocks the
// frames carry no graphic control block (a still image).
inline std::vector<uint8_t> AnimatedGif(uint16_t width, uint16_t height, const TRgb (&table)[4],
                                        const std::vector<uint8_t>& frames, bool control = true) {
  std::vector<uint8_t> f{'G', 'I', 'F', '8', '9', 'a'};
  auto word = [&](uint16_t v) {
    f.push_back(static_cast<uint8_t>(v));
    f.push_back(static_cast<uint8_t>(v >> 8));
  };
  word(width);
  word(height);
  f.insert(f.end(), {0x91, 0, 0});  // global table of 4 entries
  for (const TRgb& c : table) f.insert(f.end(), {c.R, c.G, c.B});
  for (uint8_t index : frames) {
    if (control) f.insert(f.end(), {0x21, 0xF9, 4, 0, 10, 0, 0, 0});  // 100 ms, no transparency
    f.push_back(0x2C);
    word(0);
    word(0);
    word(width);
    word(height);
    f.push_back(0);
    const std::vector<uint8_t> data = SolidFrameData(width * height, index);
    f.insert(f.end(), data.begin(), data.end());
  }
  f.push_back(0x3B);
  return f;
}

}  // namespace gif_fixture
