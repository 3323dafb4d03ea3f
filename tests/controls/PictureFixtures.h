// Image files written for the picture tests: PNG (through the PNG codec), 24-bit BMP and 32-bit icon files of
// one colour, with an optional other colour in the bottom-left pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/Graphics.h"
#include "classlib/core/PngImage.h"

namespace picture_fixture {

inline std::vector<uint8_t> Png(int width, int height, TColor color) {
  TPngImage image;
  image.CreateBlank(width, height, {uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16), 255});
  std::vector<uint8_t> bytes;
  image.SaveToMemory(bytes, 6);
  return bytes;
}

inline void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// The pixel rows of a bottom-up DIB: `bpp` 24 or 32, rows padded to 4 bytes.
inline std::vector<uint8_t> DibRows(int width, int height, int bpp, TColor color, TColor bottomLeft) {
  std::vector<uint8_t> rows;
  const int stride = (width * bpp / 8 + 3) & ~3;
  for (int y = 0; y < height; ++y) {  // the first row stored is the bottom one
    const size_t start = rows.size();
    for (int x = 0; x < width; ++x) {
      const TColor c = y == 0 && x == 0 ? bottomLeft : color;
      rows.insert(rows.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
      if (bpp == 32) rows.push_back(255);
    }
    rows.resize(start + static_cast<size_t>(stride), 0);
  }
  return rows;
}

inline void InfoHeader(std::vector<uint8_t>& out, int width, int height, int bpp) {
  Put(out, 40, 4);
  Put(out, static_cast<uint32_t>(width), 4);
  Put(out, static_cast<uint32_t>(height), 4);
  Put(out, 1, 2);
  Put(out, static_cast<uint32_t>(bpp), 2);
  for (int i = 0; i < 6; ++i) Put(out, 0, 4);
}

inline std::vector<uint8_t> Bmp(int width, int height, TColor color, TColor bottomLeft) {
  const std::vector<uint8_t> rows = DibRows(width, height, 24, color, bottomLeft);
  std::vector<uint8_t> out{'B', 'M'};
  Put(out, static_cast<uint32_t>(54 + rows.size()), 4);
  Put(out, 0, 4);
  Put(out, 54, 4);
  InfoHeader(out, width, height, 24);
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

inline std::vector<uint8_t> Icon(int size, TColor color) {
  const std::vector<uint8_t> rows = DibRows(size, size, 32, color, color);
  const std::vector<uint8_t> mask(static_cast<size_t>(((size + 31) / 32) * 4 * size), 0);  // all opaque
  std::vector<uint8_t> out;
  Put(out, 0, 2);
  Put(out, 1, 2);  // an icon
  Put(out, 1, 2);  // one image
  out.insert(out.end(), {uint8_t(size), uint8_t(size), 0, 0});
  Put(out, 1, 2);
  Put(out, 32, 2);
  Put(out, static_cast<uint32_t>(40 + rows.size() + mask.size()), 4);
  Put(out, 22, 4);
  InfoHeader(out, size, size * 2, 32);  // the height counts the mask too
  out.insert(out.end(), rows.begin(), rows.end());
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

}  // namespace picture_fixture
