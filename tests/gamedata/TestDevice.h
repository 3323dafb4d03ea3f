#pragma once
// A real Direct3D device for the image tests and benchmarks, and the texels of a texture read back from it.
#include "classlib/ComPtr.h"

#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace testsupport {

// A HAL device (software vertex processing) on a hidden window of its own; null when Direct3D is not available.
class TTestDevice {
public:
    TTestDevice();
    IDirect3DDevice9* Get() const { return device_.Get(); }

private:
    std::unique_ptr<HWND__, decltype(&DestroyWindow)> window_;
    ComPtr<IDirect3DDevice9> device_;
};

// The top level of an A8R8G8B8 texture as ARGB words, row after row; empty when it cannot be read.
std::vector<uint32_t> ReadTexels(IDirect3DTexture9* texture);

}  // namespace testsupport
