#include "tests/gamedata/ImageTestSupport.h"

#include "classlib/Graphics.h"
#include "gamedata/ImageHeaderD3D.h"

#include <atomic>
#include <fstream>
#include <thread>

namespace testsupport {

TTestDevice::TTestDevice()
{
    window_ = CreateWindowExA(0, "STATIC", "image tests", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    d3d_ = ComPtr<IDirect3D9>::Attach(Direct3DCreate9(D3D_SDK_VERSION));
    if (!window_ || !d3d_) return;
    D3DPRESENT_PARAMETERS pp{};
    pp.Windowed = TRUE;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.BackBufferFormat = D3DFMT_UNKNOWN;
    pp.BackBufferWidth = 64;
    pp.BackBufferHeight = 64;
    pp.hDeviceWindow = window_;
    if (FAILED(d3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                  &pp, device_.Out())))
        device_.Reset();
}

TTestDevice::~TTestDevice()
{
    device_.Reset();
    d3d_.Reset();
    if (window_) DestroyWindow(window_);
}

TTexels ReadTexels(IDirect3DTexture9* texture)
{
    TTexels texels;
    D3DSURFACE_DESC desc{};
    if (!texture || FAILED(texture->GetLevelDesc(0, &desc))) return texels;
    texels.Format = desc.Format;
    if (desc.Format != D3DFMT_A8R8G8B8) return texels;
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) return texels;
    texels.Width = desc.Width;
    texels.Height = desc.Height;
    texels.Argb.resize(size_t(desc.Width) * desc.Height);
    for (UINT y = 0; y < desc.Height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch);
        std::copy(row, row + desc.Width, texels.Argb.begin() + size_t(y) * desc.Width);
    }
    texture->UnlockRect(0);
    return texels;
}

uint16_t BitmapPixel(const TImageBitmapRecord& record, int x, int y)
{
    return reinterpret_cast<const uint16_t*>(record.Bitmap->ScanLine(y))[x];
}

bool RewriteDuring(const std::string& path, const std::vector<uint8_t>& bytes, const std::function<void()>& step,
                   int attempts)
{
    std::atomic<bool> written{false}, stop{false};
    std::thread writer([&] {
        while (!stop && !written) {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            if (out && out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))
                           .flush())
                written = true;
            else
                Sleep(1);
        }
    });
    for (int i = 0; i < attempts && !written; ++i) step();
    stop = true;
    writer.join();
    // The write may have landed while a step was mapping the file half written: one more step sees it whole.
    if (written) step();
    return written;
}

} // namespace testsupport
