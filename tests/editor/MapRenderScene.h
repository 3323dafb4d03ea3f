#pragma once
// A map view on the real device for the renderer's pixel tests: a client folder with three fixture libraries,
// a 24 x 20 map, the image caches, and the framework driven through the renderer's own callbacks on a
// 1280 x 1024 back buffer. Frames run through OnFrameRender; their pixels are read back through Direct3D.
//
// Libraries (RGB565 colours; "semi" pixels have alpha 0x7F):
//   0 (tiles, 96 x 64)   0 red, 1 semi white, 2 green, 3 noise (NoiseTile), 4 one-pixel columns of black and white
//                        (StripesTile)
//   3 (markers, 48 x 32) 56 semi yellow (light), 58 red ("Can't Move"), 59 blue ("Can't Move and Fly")
//   4 (objects)          0 10 x 10 white, 1 40 x 80 blue (offsets -3, 12), 2 48 x 32 semi white, 3 20 x 10 yellow,
//                        4 44 x 40 noise with transparent and semi pixels (NoiseObject)
//   11 (animations)      3 20 x 20 red, 5 20 x 20 green (frames of animation 19)
#include "Common/Dev_Gui.h"
#include "Common/Dev_LogEngineClass.h"
#include "Common/Dev_Present.h"
#include "editor/uMapCallbacks.h"
#include "editor/uMapRender.h"
#include "gamedata/core/ImageLibraries.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "gamedata/uCache_Manager.h"
#include "tests/editor/FramePixels.h"
#include "tests/fixtures/core/WilFixture.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace rendertest {

constexpr int kWidth = 1280, kHeight = 1024;

// An image of random colours, every neighbour unlike the next, so that any smoothing shows. With Holes, about a
// quarter of the pixels are transparent and a quarter half-transparent.
inline fixtures::WilImage NoiseImage(uint16_t Width, uint16_t Height, uint32_t Seed, bool Holes)
{
    fixtures::WilImage image = fixtures::MakeWilImage(Width, Height);
    uint32_t state = Seed;
    for (fixtures::WilPixel& pixel : image.Pixels) {
        state = state * 1664525u + 1013904223u;
        const auto colour = uint16_t(state >> 16);
        const uint32_t kind = Holes ? state >> 8 & 3 : 0;
        pixel = kind == 1 ? fixtures::Transparent() : kind == 2 ? fixtures::Semi(colour) : fixtures::Opaque(colour);
    }
    return image;
}

// The screenshot files in the folder, by name.
inline std::set<std::string> Shots(const std::filesystem::path& Folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder))
        if (entry.path().extension() == ".png") names.insert(entry.path().filename().string());
    return names;
}

inline const fixtures::WilImage NoiseTile = NoiseImage(96, 64, 7, false);
inline const fixtures::WilImage StripesTile = [] {
    fixtures::WilImage image = fixtures::MakeWilImage(96, 64);
    for (size_t i = 0; i < image.Pixels.size(); ++i)
        image.Pixels[i] = fixtures::Opaque(i % 2 ? White565 : uint16_t{0});
    return image;
}();
inline const fixtures::WilImage NoiseObject = NoiseImage(44, 40, 11, true);

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
        ASSERT_TRUE(Shown.Read(Device.Get()));
    }
    uint32_t Pixel(int X, int Y) const { return Shown.Pixel(X, Y); }
    template <class... TArgs>
    int Count(TArgs&&... Args) const
    {
        return Shown.Count(std::forward<TArgs>(Args)...);
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
    TFramePixels Shown;  // the last frame

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
            {0, {image(96, 64, Opaque(Red565)), image(96, 64, Semi(White565)), image(96, 64, Opaque(Green565)),
                 NoiseTile, StripesTile}},
            {3, markers},
            {4, {image(10, 10, Opaque(White565)), tall, image(48, 32, Semi(White565)), image(20, 10, Opaque(Yellow565)),
                 NoiseObject}},
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
