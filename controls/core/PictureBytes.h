// What an image file's leading bytes say, and the frame selection of animated GIF files: the count of frames
// and the bytes that show one frame (the file's header followed by that frame and everything after it).
// Platform-free; every read is bounds-checked, so any bytes give an answer.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The picture formats, numbered as the GDI+ object layer reports raw formats.
enum class TPictureFormat : int {
  Unknown = 0,
  MemoryBmp = 1,
  Bmp = 2,
  Emf = 3,
  Wmf = 4,
  Jpeg = 5,
  Png = 6,
  Gif = 7,
  Tiff = 8,
  Exif = 9,
  Icon = 10,
};

// The format told by the file's first bytes ("BM", the PNG signature, "GIF8", FF D8 FF, the icon and TIFF
// headers, a placeable metafile's key, " EMF" at offset 40).
TPictureFormat PictureFormatOf(std::span<const uint8_t> bytes);

// At least 5 bytes beginning with "GIF8".
bool IsGif(std::span<const uint8_t> bytes);

// Offsets of the frame markers: each "!" (0x21) with at least 8 bytes after it whose label is 0xF9 (graphic
// control), block size 4, and whose eighth byte after it is "," (0x2C, an image descriptor). The scan moves past
// those 8 bytes after every "!" it examines.
std::vector<size_t> GifFrameMarkers(std::span<const uint8_t> bytes);

// -1 for bytes that are no GIF file, else the number of frame markers.
int GifFrameCount(std::span<const uint8_t> bytes);

struct TGifFrame {
  std::vector<uint8_t> Bytes;  // what to decode: exactly the bytes copied
  int Frame = 0;               // the frame shown (1-based), 0 when the whole file is passed on
  uint16_t Left = 0, Top = 0, Width = 0, Height = 0;  // the shown frame's rectangle, from its image descriptor
  uint16_t ScreenWidth = 0, ScreenHeight = 0;         // the file's logical screen (0 when not a GIF)
};

// The bytes that show frame `frame` (1-based, clamped to 1..frame count). A file that is no GIF, or a GIF without
// frame markers, is passed on whole.
TGifFrame SelectGifFrame(std::span<const uint8_t> bytes, int frame);
