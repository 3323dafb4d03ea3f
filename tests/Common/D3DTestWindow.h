#pragma once
// A hidden top-level window and the Direct3D object for tests that need the real platform.
#include "Common/Dev_misc.h"

namespace testsupport {

class THiddenWindow {
public:
    THiddenWindow()
        : Handle(CreateWindowExW(0, L"STATIC", L"framework test", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~THiddenWindow()
    {
        if (Handle) DestroyWindow(Handle);
    }
    THiddenWindow(const THiddenWindow&) = delete;
    THiddenWindow& operator=(const THiddenWindow&) = delete;

    HWND Handle;
};

inline ComPtr<IDirect3D9> CreateD3D() { return DynamicDirect3DCreate9(D3D_SDK_VERSION); }

} // namespace testsupport
