#pragma once
// Shared by the image-library tests under Wine: a Direct3D device on a hidden window, texel read-back, the
// pixels of a bitmap record, and the rewrite of a mapped file while a reader has released its views.
#include "classlib/ComPtr.h"

#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TImageBitmapRecord;

namespace testsupport {

// A HAL device (software vertex processing) on a hidden 64 x 64 top-level window; Get() is null when Direct3D
// is not available, which the tests report as a failure.
class TTestDevice {
public:
    TTestDevice();
    ~TTestDevice();
    TTestDevice(const TTestDevice&) = delete;
    TTestDevice& operator=(const TTestDevice&) = delete;

    IDirect3DDevice9* Get() const { return device_.Get(); }

private:
    HWND window_ = nullptr;
    ComPtr<IDirect3D9> d3d_;
    ComPtr<IDirect3DDevice9> device_;
};

// The top mip level of a texture as A8R8G8B8 words, row-major; empty when it cannot be locked or has another
// format.
struct TTexels {
    uint32_t Width = 0;
    uint32_t Height = 0;
    D3DFORMAT Format = D3DFMT_UNKNOWN;
    std::vector<uint32_t> Argb;
    uint32_t At(uint32_t x, uint32_t y) const { return Argb[size_t(y) * Width + x]; }
};
TTexels ReadTexels(IDirect3DTexture9* texture);

// The RGB565 word at (x, y) of the record's bitmap, which must exist and hold the point.
uint16_t BitmapPixel(const TImageBitmapRecord& record, int x, int y);

// Windows refuses to truncate a file while a view of it is mapped, so a library can only shrink while its reader
// has released its views (inside Reload). A helper thread keeps trying to write `bytes` to `path` while `step`
// (one Reload) is called again and again; true once the write has landed, after one more step.
bool RewriteDuring(const std::string& path, const std::vector<uint8_t>& bytes, const std::function<void()>& step,
                   int attempts = 50);

} // namespace testsupport
