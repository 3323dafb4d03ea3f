#include "Common/Dev_DeviceCursor.h"

#include "classlib/ComPtr.h"
#include "classlib/ScreenDC.h"

#include <vector>

namespace {

// Owns the two bitmaps GetIconInfo hands out.
struct TIconBitmaps {
    ICONINFO Info{};
    ~TIconBitmaps()
    {
        if (Info.hbmMask) DeleteObject(Info.hbmMask);
        if (Info.hbmColor) DeleteObject(Info.hbmColor);
    }
};

// The bitmap as 32-bit top-down pixels; false when it cannot be read.
bool ReadBitmap(HDC DC, HBITMAP Bitmap, LONG& Width, LONG& Height, std::vector<DWORD>& Pixels)
{
    BITMAP header{};
    if (GetObjectW(Bitmap, sizeof header, &header) == 0 || header.bmWidth <= 0 || header.bmHeight <= 0) return false;
    Width = header.bmWidth;
    Height = header.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Pixels.assign(static_cast<size_t>(Width) * static_cast<size_t>(Height), 0);
    return GetDIBits(DC, Bitmap, 0, static_cast<UINT>(Height), Pixels.data(), &info, DIB_RGB_COLORS) != 0;
}

} // namespace

void CursorToArgb(const DWORD* And, const DWORD* Xor, const DWORD* Color, UINT PixelCount, DWORD* Argb)
{
    for (UINT i = 0; i < PixelCount; ++i) {
        const bool andBit = (And[i] & 0x00FFFFFF) != 0;
        const bool xorBit = Color ? (Color[i] & 0x00FFFFFF) != 0 : (Xor[i] & 0x00FFFFFF) != 0;
        if (andBit)
            Argb[i] = xorBit ? 0xFFFFFFFF : 0x00000000;
        else
            Argb[i] = 0xFF000000 | (Color ? (Color[i] & 0x00FFFFFF) : (xorBit ? 0x00FFFFFF : 0));
    }
}

HRESULT SetDeviceCursor(IDirect3DDevice9* Device, HCURSOR Cursor)
{
    if (Device == nullptr || Cursor == nullptr) return E_INVALIDARG;
    TIconBitmaps icon;
    if (!GetIconInfo(Cursor, &icon.Info)) return E_FAIL;
    TScreenDC screen;
    LONG width = 0, maskHeight = 0, colorWidth = 0, colorHeight = 0;
    std::vector<DWORD> mask, color;
    if (!ReadBitmap(screen.Get(), icon.Info.hbmMask, width, maskHeight, mask)) return E_FAIL;
    const bool monochrome = icon.Info.hbmColor == nullptr;
    if (!monochrome && (!ReadBitmap(screen.Get(), icon.Info.hbmColor, colorWidth, colorHeight, color) ||
                        colorWidth != width || colorHeight != maskHeight))
        return E_FAIL;
    // A monochrome cursor's mask holds the AND half above the XOR half.
    const LONG height = monochrome ? maskHeight / 2 : maskHeight;
    if (height <= 0) return E_FAIL;
    const UINT count = static_cast<UINT>(width * height);

    ComPtr<IDirect3DSurface9> surface;
    HRESULT hr = Device->CreateOffscreenPlainSurface(static_cast<UINT>(width), static_cast<UINT>(height),
                                                     D3DFMT_A8R8G8B8, D3DPOOL_SCRATCH, surface.Out(), nullptr);
    if (FAILED(hr)) return hr;
    std::vector<DWORD> argb(count);
    CursorToArgb(mask.data(), monochrome ? mask.data() + count : nullptr, monochrome ? nullptr : color.data(), count,
                 argb.data());
    D3DLOCKED_RECT locked;
    hr = surface->LockRect(&locked, nullptr, 0);
    if (FAILED(hr)) return hr;
    for (LONG y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
        for (LONG x = 0; x < width; ++x) row[x] = argb[static_cast<size_t>(y * width + x)];
    }
    surface->UnlockRect();
    return Device->SetCursorProperties(icon.Info.xHotspot, icon.Info.yHotspot, surface.Get());
}
