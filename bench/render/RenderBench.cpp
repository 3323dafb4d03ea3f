// The map view's frame on the demo data set, under Wine with a real device, 1280 x 1024 at 100 % with every layer
// on (tiles, back and front objects, blockers, lights) over the large demo map:
//   - a warm frame (the map passes between Clear and EndScene, waited for on the device) against a minimal loop
//     that replays the very sprite draws the frame made (same sprites, textures, positions, batches), so the ratio
//     is what the renderer's walk over the map and the caches costs on top of the drawing;
//   - the cold view fill (every image of the view asked of fresh caches, each decoded into a texture) against
//     creating the same textures and copying the same pixels into them directly.
// Usage: render_bench [frames per round] (default 20).
#include "bench/support/Bench.h"
#include "Common/Dev_Gui.h"
#include "editor/uMapCallbacks.h"
#include "editor/uMapRender.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "gamedata/uCache_Manager.h"
#include "tools/demo/DemoData.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 1280, kHeight = 1024;

// ---- recording the frame's sprite draws ----------------------------------------------------------------------

struct TDraw {
    ComPtr<IDirect3DTexture9> Texture;
    RECT Source;
    D3DXVECTOR3 Position;
    D3DCOLOR Colour;
};
D3DXMATRIX Identity()
{
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    return m;
}

struct TBatch {
    ID3DXSprite* Sprite;
    DWORD Flags;
    D3DXMATRIX Transform = Identity();
    std::vector<TDraw> Draws;
};

// Stands in for one of the renderer's sprites for a frame: forwards every call and writes down each batch.
class TRecordingSprite final : public ID3DXSprite {
public:
    TRecordingSprite(ComPtr<ID3DXSprite> Real, std::vector<TBatch>& Batches) : Real(std::move(Real)), Out(Batches) {}

    HRESULT WINAPI QueryInterface(REFIID Id, void** Object) override { return Real->QueryInterface(Id, Object); }
    ULONG WINAPI AddRef() override { return ++Refs; }
    ULONG WINAPI Release() override
    {
        const ULONG left = --Refs;
        if (left == 0) delete this;
        return left;
    }
    HRESULT WINAPI GetDevice(IDirect3DDevice9** Device) override { return Real->GetDevice(Device); }
    HRESULT WINAPI GetTransform(D3DXMATRIX* M) override { return Real->GetTransform(M); }
    HRESULT WINAPI SetTransform(const D3DXMATRIX* M) override
    {
        if (!Out.empty() && M) Out.back().Transform = *M;
        return Real->SetTransform(M);
    }
    HRESULT WINAPI SetWorldViewRH(const D3DXMATRIX* W, const D3DXMATRIX* V) override
    {
        return Real->SetWorldViewRH(W, V);
    }
    HRESULT WINAPI SetWorldViewLH(const D3DXMATRIX* W, const D3DXMATRIX* V) override
    {
        return Real->SetWorldViewLH(W, V);
    }
    HRESULT WINAPI Begin(DWORD Flags) override
    {
        Out.push_back({Real.Get(), Flags, Identity(), {}});
        return Real->Begin(Flags);
    }
    HRESULT WINAPI Draw(IDirect3DTexture9* Texture, const RECT* Source, const D3DXVECTOR3* Centre,
                        const D3DXVECTOR3* Position, D3DCOLOR Colour) override
    {
        if (Texture) Texture->AddRef();
        Out.back().Draws.push_back({ComPtr<IDirect3DTexture9>::Attach(Texture), *Source, *Position, Colour});
        return Real->Draw(Texture, Source, Centre, Position, Colour);
    }
    HRESULT WINAPI Flush() override { return Real->Flush(); }
    HRESULT WINAPI End() override { return Real->End(); }
    HRESULT WINAPI OnLostDevice() override { return Real->OnLostDevice(); }
    HRESULT WINAPI OnResetDevice() override { return Real->OnResetDevice(); }

private:
    ComPtr<ID3DXSprite> Real;
    std::vector<TBatch>& Out;
    ULONG Refs = 1;
};

// The renderer's frame once with recording sprites in place of its own; the batches it made.
std::vector<TBatch> RecordFrame(TMapRenderContext& Context, TMapRenderer& Renderer, IDirect3DDevice9* Device)
{
    std::vector<TBatch> batches;
    ComPtr<ID3DXSprite>* sprites[] = {&Context.TileSprite, &Context.FrontSprite, &Context.BackSprite,
                                      &Context.MarkerSprite, &Context.CursorSprite};
    std::vector<ComPtr<ID3DXSprite>> real;
    for (ComPtr<ID3DXSprite>* sprite : sprites) {
        real.push_back(*sprite);
        *sprite = ComPtr<ID3DXSprite>::Attach(new TRecordingSprite(*sprite, batches));
    }
    Device->BeginScene();
    Renderer.RenderMap(Device, 0, 0);
    Device->EndScene();
    for (size_t i = 0; i < real.size(); ++i) *sprites[i] = real[i];
    return batches;
}

// ---- frames --------------------------------------------------------------------------------------------------

// Waits until the device has drawn everything asked of it, so a frame's time includes the drawing.
void WaitForDevice(IDirect3DDevice9* Device)
{
    ComPtr<IDirect3DQuery9> query;
    if (FAILED(Device->CreateQuery(D3DQUERYTYPE_EVENT, query.Out()))) return;
    query->Issue(D3DISSUE_END);
    while (query->GetData(nullptr, 0, D3DGETDATA_FLUSH) == S_FALSE) {
    }
}

void RendererFrame(TMapRenderer& Renderer, IDirect3DDevice9* Device)
{
    Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    Device->BeginScene();
    Renderer.RenderMap(Device, 0, 0);
    Device->EndScene();
    WaitForDevice(Device);
}

// The recorded batches replayed: a batch without blending draws opaque, as the renderer's tiles do.
void ReplayFrame(const std::vector<TBatch>& Batches, IDirect3DDevice9* Device)
{
    Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    Device->BeginScene();
    for (const TBatch& batch : Batches) {
        batch.Sprite->Begin(batch.Flags);
        if (!(batch.Flags & D3DXSPRITE_ALPHABLEND)) {
            Device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
            Device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
        }
        batch.Sprite->SetTransform(&batch.Transform);
        for (const TDraw& d : batch.Draws) batch.Sprite->Draw(d.Texture.Get(), &d.Source, nullptr, &d.Position, d.Colour);
        batch.Sprite->Flush();
        batch.Sprite->End();
    }
    Device->EndScene();
    WaitForDevice(Device);
}

// ---- the view's images ---------------------------------------------------------------------------------------

struct TPixels {
    UINT Width = 0, Height = 0;
    D3DFORMAT Format = D3DFMT_UNKNOWN;
    std::vector<uint8_t> Bytes;  // rows of Width * 4 bytes
};

// The top level of every distinct texture the frame drew.
std::vector<TPixels> TexturePixels(const std::vector<TBatch>& Batches)
{
    std::map<IDirect3DTexture9*, TPixels> seen;
    for (const TBatch& batch : Batches)
        for (const TDraw& d : batch.Draws) {
            if (seen.count(d.Texture.Get())) continue;
            TPixels& p = seen[d.Texture.Get()];
            D3DSURFACE_DESC desc{};
            D3DLOCKED_RECT locked{};
            d.Texture->GetLevelDesc(0, &desc);
            if (FAILED(d.Texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) continue;
            p.Width = desc.Width;
            p.Height = desc.Height;
            p.Format = desc.Format;
            for (UINT y = 0; y < desc.Height; ++y) {
                const auto* row = static_cast<const uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch;
                p.Bytes.insert(p.Bytes.end(), row, row + size_t(desc.Width) * 4);
            }
            d.Texture->UnlockRect(0);
        }
    std::vector<TPixels> out;
    for (auto& [texture, pixels] : seen) out.push_back(std::move(pixels));
    return out;
}

// Creates each texture as the caches do (one level, managed) and copies its pixels in.
void UploadDirectly(IDirect3DDevice9* Device, const std::vector<TPixels>& Images)
{
    std::vector<ComPtr<IDirect3DTexture9>> textures;
    for (const TPixels& image : Images) {
        ComPtr<IDirect3DTexture9> texture;
        D3DLOCKED_RECT locked{};
        if (FAILED(Device->CreateTexture(image.Width, image.Height, 1, 0, image.Format, D3DPOOL_MANAGED,
                                         texture.Out(), nullptr)) ||
            FAILED(texture->LockRect(0, &locked, nullptr, 0)))
            continue;
        for (UINT y = 0; y < image.Height; ++y)
            std::memcpy(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch,
                        image.Bytes.data() + size_t(y) * image.Width * 4, size_t(image.Width) * 4);
        texture->UnlockRect(0);
        textures.push_back(std::move(texture));
    }
    bench::KeepAlive(textures.data());
}

// The images the caches hold: after one frame from fresh caches, exactly those of the view.
std::vector<std::pair<int32_t, int32_t>> LoadedEntries(const TImageCacheManager& Caches)
{
    std::vector<std::pair<int32_t, int32_t>> entries;
    for (int32_t library = 0; library < ImageLibraryCount; ++library)
        if (const TImageCache* cache = Caches.Cache(library))
            for (int32_t index = 0; index < cache->Count(); ++index)
                if (cache->Entry(index).Loaded()) entries.push_back({library, index});
    return entries;
}

double Seconds(const std::function<void()>& Body)
{
    const auto start = std::chrono::steady_clock::now();
    Body();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bench::Timing BestAndMedian(std::vector<double> Seconds)
{
    std::sort(Seconds.begin(), Seconds.end());
    return {Seconds.front(), Seconds[Seconds.size() / 2]};
}

struct TFolder {
    std::filesystem::path Path = std::filesystem::temp_directory_path() / "render_bench_demo";
    ~TFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 20;
    if (frames <= 0) {
        std::fprintf(stderr, "usage: render_bench [frames per round]\n");
        return 2;
    }
    TFolder dir;
    std::string error;
    if (!MakeDemoData(dir.Path.string(), error)) {
        std::fprintf(stderr, "demo data: %s\n", error.c_str());
        return 1;
    }
    TVesk3Map map;
    if (!map.LoadFromFile((dir.Path / "Map" / "Demo_Large.map").string())) {
        std::fprintf(stderr, "cannot load the demo map\n");
        return 1;
    }

    TMainViewState state;
    state.ShowBlockers = state.ShowLights = true;
    TMapRenderContext context(state);
    context.Map = &map;
    context.BackgroundWidth = context.GridWidth = kWidth;
    context.BackgroundHeight = context.GridHeight = kHeight;
    TMapRenderer renderer(context);
    MapRenderer = &renderer;

    const HWND window = CreateWindowExW(0, L"STATIC", L"render bench", WS_POPUP, 0, 0, kWidth, kHeight, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND panel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, window,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
    SetRenderCallbacks();
    NoVSync = true;
    if (FAILED(DXUTInit(false, false, false, true)) || FAILED(DXUTSetWindow(window, panel, panel, false)) ||
        FAILED(DXUTCreateDevice(0, true, kWidth, kHeight, IsDeviceAcceptable, ModifyDeviceSettings, nullptr))) {
        std::fprintf(stderr, "render_bench: no 1280x1024 device\n");
        return 1;
    }
    const ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
    ImageLibKind = ImageLibKindWIL;
    const TImageCacheSettings settings{dir.Path.string() + "\\", {}, 0};
    const auto freshCaches = [&] {
        auto manager = std::make_unique<TImageCacheManager>(nullptr, device.Get(), settings);
        for (int32_t n = 0; n < ImageLibraryCount; ++n) manager->BuildCache(n);
        return manager;
    };

    // Warm frames against the replay of their own draws.
    std::unique_ptr<TImageCacheManager> caches = freshCaches();
    context.CacheManager = caches.get();
    const std::vector<TBatch> batches = RecordFrame(context, renderer, device.Get());
    size_t draws = 0;
    for (const TBatch& batch : batches) draws += batch.Draws.size();
    const bench::Timing warm = bench::Measure([&] {
        for (int i = 0; i < frames; ++i) RendererFrame(renderer, device.Get());
    });
    const bench::Timing replay = bench::Measure([&] {
        for (int i = 0; i < frames; ++i) ReplayFrame(batches, device.Get());
    });
    bench::Report("sprite draws per frame", double(draws), "draws");
    bench::Report("renderer frame (1280 x 1024, 100 %, all layers)", warm.medianSeconds / frames * 1000, "ms");
    bench::Report("replay of the same draws", replay.medianSeconds / frames * 1000, "ms");
    bench::ReportRatio("renderer / replay (frame time)", warm, replay);

    // Cold view fill against a direct upload of the same pixels.
    const std::vector<std::pair<int32_t, int32_t>> lookups = LoadedEntries(*caches);
    const std::vector<TPixels> pixels = TexturePixels(batches);
    std::vector<double> coldFill, coldFrame;
    for (int round = 0; round < 7; ++round) {
        caches = freshCaches();
        context.CacheManager = caches.get();
        coldFill.push_back(Seconds([&] {
            for (const auto& [library, index] : lookups) caches->GetImage(library, index);
        }));
        caches = freshCaches();
        context.CacheManager = caches.get();
        coldFrame.push_back(Seconds([&] { RendererFrame(renderer, device.Get()); }));
    }
    const bench::Timing upload = bench::Measure([&] { UploadDirectly(device.Get(), pixels); });
    bench::Report("images in the view", double(lookups.size()), "images");
    bench::ReportTiming("cold view fill (fresh caches)", BestAndMedian(coldFill));
    bench::ReportTiming("direct upload of the same pixels", upload);
    bench::ReportRatio("cold fill / direct upload", BestAndMedian(coldFill), upload);
    bench::ReportTiming("cold frame (fresh caches, drawn)", BestAndMedian(coldFrame));

    context.CacheManager = nullptr;
    caches.reset();
    DXUTShutdownWithoutClose(0);
    MapRenderer = nullptr;
    DestroyWindow(window);
    return 0;
}
