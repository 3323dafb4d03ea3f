#pragma once
// A 16-bit (RGB565) DIB section, owned, and the copy of a PNG image's canvas onto one. RGB565 keeps the game
// libraries' pixel format, so a colour that came from a 565 word comes back to the same word.
// No platform header: the bitmap handle is passed on as the HBITMAP that <windows.h> declares.
#include <cstdint>

struct HBITMAP__;
class TPngImage;

class TBitmap16 {
public:
    TBitmap16() = default;
    ~TBitmap16();
    TBitmap16(TBitmap16&& other) noexcept;
    TBitmap16& operator=(TBitmap16&& other) noexcept;
    TBitmap16(const TBitmap16&) = delete;
    TBitmap16& operator=(const TBitmap16&) = delete;

    // A top-down width x height bitmap, all black; false (no bitmap) when a side is 0 or GDI refuses.
    bool Create(int width, int height);
    void Reset();

    bool Empty() const { return handle_ == nullptr; }
    HBITMAP__* Handle() const { return handle_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Row y of the pixel words (rows are padded to 4 bytes).
    uint16_t* Row(int y) const;
    uint16_t Pixel(int x, int y) const { return Row(y)[x]; }

private:
    HBITMAP__* handle_ = nullptr;
    uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
};

// Packs an 8-bit colour into RGB565 (the top bits of each channel).
constexpr uint16_t PackRgb565(uint8_t r, uint8_t g, uint8_t b)
{
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// Creates `bitmap` as width x height and copies the top-left part of the image's canvas onto it, colour only (the
// alpha is dropped); parts beyond the canvas stay black. False, bitmap empty, when a side is 0 or creation fails.
bool CopyPngToBitmap16(const TPngImage& image, int width, int height, TBitmap16& bitmap);
