#include "tests/gamedata/TestDevice.h"

namespace testsupport {

TTestDevice::TTestDevice()
    : window_(CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr),
              &DestroyWindow)
{
    const auto d3d = ComPtr<IDirect3D9>::Attach(Direct3DCreate9(D3D_SDK_VERSION));
    D3DPRESENT_PARAMETERS pp{};
    pp.Windowed = TRUE;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.hDeviceWindow = window_.get();
    if (!d3d || FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_.get(),
                                         D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, device_.Out())))
        device_.Reset();
}

std::vector<uint32_t> ReadTexels(IDirect3DTexture9* texture)
{
    std::vector<uint32_t> texels;
    D3DSURFACE_DESC desc{};
    D3DLOCKED_RECT locked{};
    if (!texture || FAILED(texture->GetLevelDesc(0, &desc)) || desc.Format != D3DFMT_A8R8G8B8 ||
        FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY)))
        return texels;
    for (UINT y = 0; y < desc.Height; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch);
        texels.insert(texels.end(), row, row + desc.Width);
    }
    texture->UnlockRect(0);
    return texels;
}

}  // namespace testsupport
