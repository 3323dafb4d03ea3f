#include "controls/core/PictureBytes.h"

#include <algorithm>
#include <cstring>

namespace {

bool StartsWith(std::span<const uint8_t> bytes, size_t offset, std::initializer_list<uint8_t> prefix) {
  if (bytes.size() < offset || bytes.size() - offset < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

uint16_t Word16(std::span<const uint8_t> bytes, size_t offset) {
  if (bytes.size() < offset || bytes.size() - offset < 2) return 0;
  return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

}  // namespace

TPictureFormat PictureFormatOf(std::span<const uint8_t> bytes) {
  using F = TPictureFormat;
  if (StartsWith(bytes, 0, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return F::Png;
  if (StartsWith(bytes, 0, {'G', 'I', 'F', '8'})) return F::Gif;
  if (StartsWith(bytes, 0, {0xFF, 0xD8, 0xFF})) return F::Jpeg;
  if (StartsWith(bytes, 0, {'B', 'M'})) return F::Bmp;
  if (StartsWith(bytes, 0, {0x00, 0x00, 0x01, 0x00})) return F::Icon;
  if (StartsWith(bytes, 0, {'I', 'I', 0x2A, 0x00}) || StartsWith(bytes, 0, {'M', 'M', 0x00, 0x2A})) return F::Tiff;
  if (StartsWith(bytes, 0, {0xD7, 0xCD, 0xC6, 0x9A})) return F::Wmf;
  if (StartsWith(bytes, 0, {0x01, 0x00, 0x00, 0x00}) && StartsWith(bytes, 40, {' ', 'E', 'M', 'F'})) return F::Emf;
  return F::Unknown;
}

bool IsGif(std::span<const uint8_t> bytes) { return bytes.size() >= 5 && StartsWith(bytes, 0, {'G', 'I', 'F', '8'}); }

std::vector<size_t> GifFrameMarkers(std::span<const uint8_t> bytes) {
  std::vector<size_t> markers;
  size_t i = 0;
  while (i < bytes.size()) {
    if (bytes[i] != '!' || bytes.size() - i - 1 < 8) {
      ++i;
      continue;
    }
    if (bytes[i + 1] == 0xF9 && bytes[i + 2] == 4 && bytes[i + 8] == ',') markers.push_back(i);
    i += 9;
  }
  return markers;
}

int GifFrameCount(std::span<const uint8_t> bytes) {
  if (!IsGif(bytes)) return -1;
  return static_cast<int>(GifFrameMarkers(bytes).size());
}

TGifFrame SelectGifFrame(std::span<const uint8_t> bytes, int frame) {
  TGifFrame shown;
  const std::vector<size_t> markers = IsGif(bytes) ? GifFrameMarkers(bytes) : std::vector<size_t>{};
  if (markers.empty()) {
    shown.Bytes.assign(bytes.begin(), bytes.end());
    if (IsGif(bytes)) {
      shown.ScreenWidth = Word16(bytes, 6);
      shown.ScreenHeight = Word16(bytes, 8);
    }
    return shown;
  }
  shown.Frame = std::clamp(frame, 1, static_cast<int>(markers.size()));
  shown.ScreenWidth = Word16(bytes, 6);
  shown.ScreenHeight = Word16(bytes, 8);
  const size_t header = markers.front();
  const size_t from = markers[static_cast<size_t>(shown.Frame - 1)];
  // The image descriptor follows the marker's 9 bytes: "," then left, top, width and height.
  shown.Left = Word16(bytes, from + 9);
  shown.Top = Word16(bytes, from + 11);
  shown.Width = Word16(bytes, from + 13);
  shown.Height = Word16(bytes, from + 15);
  shown.Bytes.reserve(header + (bytes.size() - from));
  shown.Bytes.insert(shown.Bytes.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(header));
  shown.Bytes.insert(shown.Bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end());
  return shown;
}
