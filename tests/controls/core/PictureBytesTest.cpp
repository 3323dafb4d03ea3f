#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "controls/core/PictureBytes.h"
#include "tests/controls/core/GifFixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(PictureBytes, FormatsByLeadingBytes) {
  using F = TPictureFormat;
  Bytes emf(44, 0);
  emf[0] = 1;
  emf[40] = ' ', emf[41] = 'E', emf[42] = 'M', emf[43] = 'F';
  const struct {
    const char* name;
    Bytes bytes;
    F format;
  } rows[] = {
      {"png", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0}, F::Png},
      {"png cut short", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}, F::Unknown},
      {"gif", {'G', 'I', 'F', '8', '7', 'a'}, F::Gif},
      {"jpeg", {0xFF, 0xD8, 0xFF, 0xE0}, F::Jpeg},
      {"bmp", {'B', 'M', 0, 0}, F::Bmp},
      {"icon", {0, 0, 1, 0, 1, 0}, F::Icon},
      {"cursor is no icon", {0, 0, 2, 0, 1, 0}, F::Unknown},
      {"tiff", {'I', 'I', 0x2A, 0}, F::Tiff},
      {"tiff big-endian", {'M', 'M', 0, 0x2A}, F::Tiff},
      {"placeable metafile", {0xD7, 0xCD, 0xC6, 0x9A, 0}, F::Wmf},
      {"enhanced metafile", emf, F::Emf},
      {"empty", {}, F::Unknown},
      {"text", {'h', 'e', 'l', 'l', 'o'}, F::Unknown},
  };
  for (const auto& row : rows) EXPECT_EQ(PictureFormatOf(row.bytes), row.format) << row.name;
}

// Three frames of colour entries 1, 2 and 3 on a 4 x 3 screen.
const gif_fixture::TRgb kTable[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

TEST(PictureBytes, GifFramesClampedAndCopiedExactly) {
  const Bytes gif = gif_fixture::AnimatedGif(4, 3, kTable, {1, 2, 3});
  ASSERT_EQ(GifFrameCount(gif), 3);
  const std::vector<size_t> markers = GifFrameMarkers(gif);
  const struct {
    int asked, shown;
  } rows[] = {{1, 1}, {2, 2}, {3, 3}, {0, 1}, {-5, 1}, {4, 3}, {1000000, 3}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.asked);
    const TGifFrame f = SelectGifFrame(gif, row.asked);
    EXPECT_EQ(f.Frame, row.shown);
    EXPECT_EQ(f.ScreenWidth, 4);
    EXPECT_EQ(f.ScreenHeight, 3);
    EXPECT_EQ(f.Width, 4);
    EXPECT_EQ(f.Height, 3);
    // The header up to the first frame, then the shown frame to the end: nothing more, nothing less.
    Bytes expected(gif.begin(), gif.begin() + static_cast<std::ptrdiff_t>(markers[0]));
    expected.insert(expected.end(), gif.begin() + static_cast<std::ptrdiff_t>(markers[row.shown - 1]), gif.end());
    EXPECT_EQ(f.Bytes, expected);
    EXPECT_EQ(GifFrameCount(f.Bytes), 4 - row.shown);
  }
}

TEST(PictureBytes, NoGifOrNoFramesPassedWhole) {
  Bytes still = gif_fixture::AnimatedGif(2, 2, kTable, {1});
  const uint8_t control[] = {0x21, 0xF9};
  auto label = std::search(still.begin(), still.end(), std::begin(control), std::end(control)) + 1;
  ASSERT_NE(label, still.end());
  *label = 0xFE;  // the one graphic control block becomes a comment: no frame marker is left
  const Bytes png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  const Bytes shortGif{'G', 'I', 'F', '8'};
  const Bytes truncated{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, '!', 0xF9, 4, 0, 0, 0, 0, 0};
  for (const Bytes* bytes : {static_cast<const Bytes*>(&still), &png, &shortGif, &truncated}) {
    const TGifFrame f = SelectGifFrame(*bytes, 2);
    EXPECT_EQ(f.Frame, 0);
    EXPECT_EQ(f.Bytes, *bytes);
  }
  EXPECT_EQ(GifFrameCount(still), 0);
  EXPECT_EQ(GifFrameCount(png), -1);
  EXPECT_EQ(GifFrameCount(shortGif), -1);
  EXPECT_EQ(SelectGifFrame(still, 1).ScreenWidth, 2);
}

}  // namespace
