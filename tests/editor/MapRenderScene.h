#pragma once
// A map view on the real device for the renderer's pixel tests: a client folder with three fixture libraries,
// a 24 x 20 map, the image caches, and the framework driven through the renderer's own callbacks on a
// 1280 x 1024 back buffer. Frames run through OnFrameRender; their pixels are read back through Direct3D.
//
// Libraries (RGB565 colours; "semi" pixels have alpha 0x7F):
//   0 (tiles, 96 x 64)   0 red, 1 semi white, 2 green
//   3 (markers, 48 x 32) 56 semi yellow (light), 58 red ("Can't Move"), 59 blue ("Can't Move and Fly")
//   4 (objects)          0 10 x 10 white, 1 40 x 80 blue (offsets -3, 12), 2 48 x 32 semi white, 3 20 x 10 yellow
//   11 (animations)      3 20 x 20 red, 5 20 x 20 green (frames of animation 19)
#include "Common/Dev_Gui.h"
#include "Common/Dev_LogEngineClass.h"
#include "Common/Dev_Present.h"
#include "editor/uMapCallbacks.h"
#include "editor/uMapRender.h"
#include "gamedata/core/ImageLibraries.h"
#include "gamedata/core/WilDecoder.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "gamedata/uCache_Manager.h"
#include "tests/fixtures/core/WilFixture.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace rendertest {

constexpr int kWidth = 1280, kHeight = 1024;

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

class TMapRenderScene : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteLibraries();
        Window = CreateWindowExW(0, L"STATIC", L"render test", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        Panel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, Window, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        Log = std::make_unique<TLogEngine>("RenderTest", "1.0", LogPath());
        Context.Log = Log.get();
        Context.BackgroundWidth = Context.GridWidth = kWidth;
        Context.BackgroundHeight = Context.GridHeight = kHeight;
        Context.ExeFolder = Folder();
        ASSERT_TRUE(Map.NewMap("Fix.map", 24, 20, 0));
        MapRenderer = &Renderer;
        SetRenderCallbacks();
        ASSERT_EQ(DXUTInit(false, false, false, true), S_OK);
        ASSERT_EQ(DXUTSetWindow(Window, Panel, Panel, false), S_OK);
        ASSERT_EQ(DXUTCreateDevice(0, true, kWidth, kHeight, IsDeviceAcceptable, ModifyDeviceSettings, nullptr), S_OK);
        Device = DXUTGetD3DDevice();
        ASSERT_TRUE(Device);
        Cache = std::make_unique<TImageCacheManager>(Log.get(), Device.Get(), TImageCacheSettings{Folder(), {}, 0});
        for (int32_t library : {0, 3, 4, 11}) ASSERT_TRUE(Cache->BuildCache(library));
        Context.CacheManager = Cache.get();
        OpenMap(&Map);
    }

    void TearDown() override
    {
        Context.CacheManager = nullptr;
        Cache.reset();
        Device.Reset();
        DXUTShutdownWithoutClose(0);
        MapRenderer = nullptr;
        DestroyWindow(Window);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        ImageLibKind = ImageLibKindWIL;
    }

    std::string Folder() const { return Dir.path().string() + "\\"; }
    std::string LogPath() const { return Dir.file("render.log"); }
    // What the main window does when a map is opened: the renderer draws it from the next frame on.
    void OpenMap(TVesk3Map* Open)
    {
        Context.Map = Open;
        Context.MapLabel = Open ? Open->MapName : "...";
    }

    // One frame through the framework's frame callback, read back from the render target.
    void Frame()
    {
        OnFrameRender(Device.Get(), 0.0, 0.0f, nullptr);
        ReadBack();
    }
    void ReadBack()
    {
        ComPtr<IDirect3DSurface9> target, copy;
        ASSERT_EQ(Device->GetRenderTarget(0, target.Out()), S_OK);
        D3DSURFACE_DESC desc{};
        target->GetDesc(&desc);
        ASSERT_EQ(Device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM,
                                                      copy.Out(), nullptr),
                  S_OK);
        ASSERT_EQ(Device->GetRenderTargetData(target.Get(), copy.Get()), S_OK);
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY), S_OK);
        Pixels.assign(size_t(desc.Width) * desc.Height, 0);
        for (UINT y = 0; y < desc.Height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.pBits) +
                                                                 size_t(y) * locked.Pitch);
            for (UINT x = 0; x < desc.Width; ++x) Pixels[size_t(y) * desc.Width + x] = row[x] & 0xFFFFFF;
        }
        copy->UnlockRect();
        Stride = desc.Width;
    }
    // 0xRRGGBB of the last frame.
    uint32_t Pixel(int X, int Y) const { return Pixels.at(size_t(Y) * Stride + size_t(X)); }
    // How many pixels of the rectangle [Left, Right) x [Top, Bottom) have exactly Colour, or pass Test.
    int Count(int Left, int Top, int Right, int Bottom, uint32_t Colour) const
    {
        return Count(Left, Top, Right, Bottom, [Colour](uint32_t p) { return p == Colour; });
    }
    template <class Fn>
    int Count(int Left, int Top, int Right, int Bottom, Fn Test) const
    {
        int n = 0;
        for (int y = Top; y < Bottom; ++y)
            for (int x = Left; x < Right; ++x) n += Test(Pixel(x, y)) ? 1 : 0;
        return n;
    }

    // Cell setters in the map's own terms.
    void Tile(int X, int Y, int Library, int Image)
    {
        Map.SetTileField(X, Y, 1, Library);
        Map.SetTileField(X, Y, 2, Image);
    }

    testsupport::TempDir Dir;
    HWND Window = nullptr, Panel = nullptr;
    std::unique_ptr<TLogEngine> Log;
    TMainViewState State;
    TMapRenderContext Context{State};
    TMapRenderer Renderer{Context};
    TVesk3Map Map;
    ComPtr<IDirect3DDevice9> Device;
    std::unique_ptr<TImageCacheManager> Cache;
    std::vector<uint32_t> Pixels;
    size_t Stride = 0;

private:
    void WriteLibraries()
    {
        using namespace fixtures;
        const auto image = [](uint16_t w, uint16_t h, WilPixel fill) { return std::optional(MakeWilImage(w, h, fill)); };
        std::vector<std::optional<WilImage>> markers(60);
        markers[56] = image(48, 32, Semi(Yellow565));
        markers[58] = image(48, 32, Opaque(Red565));
        markers[59] = image(48, 32, Opaque(Blue565));
        auto tall = image(40, 80, Opaque(Blue565));
        tall->OffsetX = -3;
        tall->OffsetY = 12;
        const std::pair<int32_t, std::vector<std::optional<WilImage>>> libraries[] = {
            {0, {image(96, 64, Opaque(Red565)), image(96, 64, Semi(White565)), image(96, 64, Opaque(Green565))}},
            {3, markers},
            {4, {image(10, 10, Opaque(White565)), tall, image(48, 32, Semi(White565)), image(20, 10, Opaque(Yellow565))}},
            {11, {std::nullopt, std::nullopt, std::nullopt, image(20, 20, Opaque(Red565)), std::nullopt,
                  image(20, 20, Opaque(Green565))}},
        };
        for (const auto& [number, images] : libraries) {
            const std::filesystem::path path = LibraryFilePath(Folder(), number, ImageLibKindWIL);
            std::filesystem::create_directories(path.parent_path());
            ASSERT_TRUE(WriteWilLibrary(BuildWilLibrary(17, images), (path.parent_path() / path.stem()).string()));
        }
    }
};

}  // namespace rendertest
