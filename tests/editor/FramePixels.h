#pragma once
// The pixels of a frame the real device drew, read back through Direct3D (GDI cannot see them), and the colours
// the renderer's tests expect: fixture colours (RGB565) as drawn opaque or half-transparent, ARGB colours blended
// over black, smoothed text.
#include "editor/core/uMainState.h"
#include "gamedata/core/WilDecoder.h"

#include "classlib/ComPtr.h"

#include <windows.h>
#include <d3d9.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace rendertest {

constexpr uint16_t Red565 = 0xF800, Green565 = 0x07E0, Blue565 = 0x001F, White565 = 0xFFFF, Yellow565 = 0xFFE0;

// An RGB565 colour as the back buffer holds it after an opaque draw (0xRRGGBB).
inline uint32_t Rgb(uint16_t Colour565)
{
    const TRgb8 c = WidenRGB565(Colour565);
    return uint32_t(c.R) << 16 | uint32_t(c.G) << 8 | c.B;
}
// The same colour at alpha 0x7F blended over black.
inline uint32_t Blended(uint16_t Colour565)
{
    const TRgb8 c = WidenRGB565(Colour565);
    const auto ch = [](uint8_t v) { return uint32_t(v * WilSemiAlpha / 255); };
    return ch(c.R) << 16 | ch(c.G) << 8 | ch(c.B);
}
// An ARGB colour blended over black (0xRRGGBB).
inline uint32_t OverBlack(TArgb Colour)
{
    const uint32_t a = Colour >> 24;
    const auto ch = [a](uint32_t v) { return v * a / 255; };
    return ch(Colour >> 16 & 0xFF) << 16 | ch(Colour >> 8 & 0xFF) << 8 | ch(Colour & 0xFF);
}
// Whether two 0xRRGGBB colours differ by at most Tolerance in every channel.
inline bool Near(uint32_t A, uint32_t B, int Tolerance = 1)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int(A >> shift & 0xFF) - int(B >> shift & 0xFF)) > Tolerance) return false;
    return true;
}

// Whether a pixel of text (drawn smoothed, never quite at full strength) shows Colour (0xRRGGBB): the colour
// scaled by at least 0.6, every channel within 8.
inline bool Tinted(uint32_t Pixel, uint32_t Colour)
{
    const auto ch = [](uint32_t c, int shift) { return int(c >> shift & 0xFF); };
    const int top = std::max({ch(Colour, 0), ch(Colour, 8), ch(Colour, 16)});
    const double t = double(std::max({ch(Pixel, 0), ch(Pixel, 8), ch(Pixel, 16)})) / top;
    if (t < 0.6) return false;
    for (int shift : {0, 8, 16})
        if (std::abs(ch(Pixel, shift) - ch(Colour, shift) * t) > 8) return false;
    return true;
}

// The render target's pixels as 0xRRGGBB.
class TFramePixels {
public:
    // Copies render target 0 into system memory; false when the device refuses.
    bool Read(IDirect3DDevice9* Device)
    {
        ComPtr<IDirect3DSurface9> target, copy;
        if (FAILED(Device->GetRenderTarget(0, target.Out()))) return false;
        D3DSURFACE_DESC desc{};
        target->GetDesc(&desc);
        D3DLOCKED_RECT locked{};
        if (FAILED(Device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM,
                                                       copy.Out(), nullptr)) ||
            FAILED(Device->GetRenderTargetData(target.Get(), copy.Get())) ||
            FAILED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY)))
            return false;
        Pixels.assign(size_t(desc.Width) * desc.Height, 0);
        for (UINT y = 0; y < desc.Height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.pBits) +
                                                                 size_t(y) * locked.Pitch);
            for (UINT x = 0; x < desc.Width; ++x) Pixels[size_t(y) * desc.Width + x] = row[x] & 0xFFFFFF;
        }
        copy->UnlockRect();
        Stride = desc.Width;
        return true;
    }
    uint32_t Pixel(int X, int Y) const { return Pixels.at(size_t(Y) * Stride + size_t(X)); }
    // How many pixels of [Left, Right) x [Top, Bottom) have exactly Colour, or pass Test.
    int Count(int Left, int Top, int Right, int Bottom, uint32_t Colour) const
    {
        return Count(Left, Top, Right, Bottom, [Colour](uint32_t p) { return p == Colour; });
    }
    template <class Test>
    int Count(int Left, int Top, int Right, int Bottom, Test&& T) const
    {
        int n = 0;
        for (int y = Top; y < Bottom; ++y)
            for (int x = Left; x < Right; ++x) n += T(Pixel(x, y)) ? 1 : 0;
        return n;
    }

private:
    std::vector<uint32_t> Pixels;
    size_t Stride = 0;
};

}  // namespace rendertest
