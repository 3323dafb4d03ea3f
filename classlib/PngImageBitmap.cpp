#include "classlib/PngImageBitmap.h"

#include "classlib/core/PngImage.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <utility>

TBitmap16::~TBitmap16() { Reset(); }

TBitmap16::TBitmap16(TBitmap16&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), bits_(std::exchange(other.bits_, nullptr)),
      width_(std::exchange(other.width_, 0)), height_(std::exchange(other.height_, 0)),
      stride_(std::exchange(other.stride_, 0))
{
}

TBitmap16& TBitmap16::operator=(TBitmap16&& other) noexcept
{
    if (this != &other) {
        Reset();
        handle_ = std::exchange(other.handle_, nullptr);
        bits_ = std::exchange(other.bits_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        stride_ = std::exchange(other.stride_, 0);
    }
    return *this;
}

bool TBitmap16::Create(int width, int height)
{
    Reset();
    if (width <= 0 || height <= 0) return false;

    // BITMAPINFO with room for the three colour masks that BI_BITFIELDS reads after the header.
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 16;
    info.header.biCompression = BI_BITFIELDS;
    info.masks[0] = 0xF800;
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;

    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return false;
    }
    handle_ = bitmap;
    bits_ = static_cast<uint8_t*>(bits);
    width_ = width;
    height_ = height;
    stride_ = (width * 2 + 3) & ~3;
    std::memset(bits_, 0, size_t(stride_) * height_);
    return true;
}

void TBitmap16::Reset()
{
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = stride_ = 0;
}

uint16_t* TBitmap16::Row(int y) const { return reinterpret_cast<uint16_t*>(bits_ + size_t(y) * stride_); }

bool CopyPngToBitmap16(const TPngImage& image, int width, int height, TBitmap16& bitmap)
{
    if (!bitmap.Create(width, height)) return false;
    const int w = std::min<int>(width, static_cast<int>(image.Width()));
    const int h = std::min<int>(height, static_cast<int>(image.Height()));
    for (int y = 0; y < h; ++y) {
        const TRgba* src = image.Row(static_cast<uint32_t>(y));
        uint16_t* dst = bitmap.Row(y);
        for (int x = 0; x < w; ++x) dst[x] = PackRgb565(src[x].R, src[x].G, src[x].B);
    }
    return true;
}
