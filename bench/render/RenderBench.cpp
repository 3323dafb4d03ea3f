// The map view on the demo data set, under Wine with a real device, 1280 x 1024 with every layer on (tiles, back
// and front objects, blockers, lights) over the large demo map; each path against its floor:
//   - a warm frame (the map passes between Clear and EndScene, waited for on the device) against a replay of the
//     very sprite draws that frame made (same sprites, batches, textures, positions, zoom transform) with the
//     cheapest texture filter, point sampling: what the renderer's walk over the map, the caches and its filter
//     add to the drawing; at 100 % (where the view samples by point too), 12,5 % and the lowest zoom (3,12 %), each
//     row naming its draws and batches per frame. Rows below 100 % run fewer frames per round, in proportion to
//     their draws, so every row takes about as long as the 100 % one;
//   - the cold view fill, the first frame from fresh caches (each image decoded into a texture on first use),
//     against uploading the same pixels as textures directly and replaying the same draws with them;
//   - the readback presentation of the warm frame against the same frame without it (no goal: a note on what the
//     copy into the panel costs once the frame holds a map);
//   - the peak memory of a process that shows the view at 100 % and then at every other zoom, against that of one
//     that shows it at 100 % only (each a run of this program with --memory-child; images once decoded stay in
//     the caches, so the first holds every image a zoom shows).
// The cold fill and the readback run at 100 %.
// Usage: render_bench [--rounds N] [--frames N] (warm frames per round at 100 %, default 20)
#include "bench/support/Bench.h"
#include "bench/support/ReadbackBench.h"
#include "Common/Dev_Gui.h"
#include "classlib/WinHandle.h"
#include "editor/core/uZoomTable.h"
#include "editor/uMapCallbacks.h"
#include "editor/uMapRender.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "gamedata/uCache_Manager.h"
#include "tests/gamedata/TestDevice.h"
#include "tools/demo/DemoData.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
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

size_t DrawCount(const std::vector<TBatch>& Batches)
{
    size_t draws = 0;
    for (const TBatch& batch : Batches) draws += batch.Draws.size();
    return draws;
}

size_t DistinctTextures(const std::vector<TBatch>& Batches)
{
    std::set<IDirect3DTexture9*> seen;
    for (const TBatch& batch : Batches)
        for (const TDraw& d : batch.Draws) seen.insert(d.Texture.Get());
    return seen.size();
}

// How often a draw's texture differs from the one before it in its batch (the first draw of a batch counts): the
// sprite draws each such run with its own texture and call.
size_t TextureRuns(const std::vector<TBatch>& Batches)
{
    size_t runs = 0;
    for (const TBatch& batch : Batches)
        for (size_t i = 0; i < batch.Draws.size(); ++i)
            if (i == 0 || batch.Draws[i].Texture.Get() != batch.Draws[i - 1].Texture.Get()) ++runs;
    return runs;
}

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

void RendererFrame(TMapRenderer& Renderer, IDirect3DDevice9* Device, bench::TDeviceWait& Wait)
{
    Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    Device->BeginScene();
    Renderer.RenderMap(Device, 0, 0);
    Device->EndScene();
    Wait();
}

// Where a profiled replay's time went: the sprites' Draw calls (queueing only) and, per batch, its Flush and End
// waited for on the device (the drawing itself).
struct TReplayTimes {
    double Queueing = 0;
    std::vector<double> Drawing;
};

// The recorded batches replayed with the cheapest texture filter there is (point sampling, no mip filter): a batch
// without blending draws opaque, as the renderer's tiles do. With Times, each batch is waited for on its own, so
// the total is a little above an unprofiled replay's.
void ReplayFrame(const std::vector<TBatch>& Batches, IDirect3DDevice9* Device, bench::TDeviceWait& Wait,
                 TReplayTimes* Times = nullptr)
{
    Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    Device->BeginScene();
    for (const TBatch& batch : Batches) {
        batch.Sprite->Begin(batch.Flags);
        if (!(batch.Flags & D3DXSPRITE_ALPHABLEND)) {
            Device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
            Device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
        }
        Device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
        Device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
        Device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE);
        batch.Sprite->SetTransform(&batch.Transform);
        const double queueing = bench::Seconds([&] {
            for (const TDraw& d : batch.Draws)
                batch.Sprite->Draw(d.Texture.Get(), &d.Source, nullptr, &d.Position, d.Colour);
        });
        const double drawing = bench::Seconds([&] {
            batch.Sprite->Flush();
            batch.Sprite->End();
            if (Times) Wait();
        });
        if (Times) {
            Times->Queueing += queueing;
            Times->Drawing.push_back(drawing);
        }
    }
    Device->EndScene();
    Wait();
}

// ---- the cold fill's floor: the same pixels uploaded directly, the same draws replayed with them -----------------

// Every texture the recorded frame drew, with its texels read back once.
struct TTexels {
    IDirect3DTexture9* Drawn = nullptr;
    UINT Width = 0, Height = 0;
    std::vector<uint32_t> Argb;
};

std::vector<TTexels> DrawnTexels(const std::vector<TBatch>& Batches)
{
    std::map<IDirect3DTexture9*, TTexels> seen;
    for (const TBatch& batch : Batches)
        for (const TDraw& d : batch.Draws) {
            if (seen.count(d.Texture.Get())) continue;
            D3DSURFACE_DESC desc{};
            d.Texture->GetLevelDesc(0, &desc);
            seen[d.Texture.Get()] = {d.Texture.Get(), desc.Width, desc.Height, testsupport::ReadTexels(d.Texture.Get())};
        }
    std::vector<TTexels> out;
    for (auto& [texture, texels] : seen) out.push_back(std::move(texels));
    return out;
}

// Managed textures holding the texels, as the caches make theirs; Uploaded maps each drawn texture to its copy.
void UploadDirectly(IDirect3DDevice9* Device, const std::vector<TTexels>& Images,
                    std::map<IDirect3DTexture9*, ComPtr<IDirect3DTexture9>>& Uploaded)
{
    for (const TTexels& image : Images) {
        ComPtr<IDirect3DTexture9> texture;
        D3DLOCKED_RECT locked{};
        if (FAILED(Device->CreateTexture(image.Width, image.Height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                         texture.Out(), nullptr)) ||
            FAILED(texture->LockRect(0, &locked, nullptr, 0)))
            continue;
        for (UINT y = 0; y < image.Height && image.Argb.size() >= size_t(image.Width) * image.Height; ++y)
            std::memcpy(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch,
                        image.Argb.data() + size_t(y) * image.Width, size_t(image.Width) * 4);
        texture->UnlockRect(0);
        Uploaded[image.Drawn] = std::move(texture);
    }
}

// The batches with each texture replaced by its uploaded copy.
std::vector<TBatch> WithTextures(std::vector<TBatch> Batches,
                                 const std::map<IDirect3DTexture9*, ComPtr<IDirect3DTexture9>>& Uploaded)
{
    for (TBatch& batch : Batches)
        for (TDraw& d : batch.Draws) {
            const auto found = Uploaded.find(d.Texture.Get());
            if (found != Uploaded.end()) d.Texture = found->second;
        }
    return Batches;
}

// The view state at a zoom level, as the main window sets it (the scroll bars aside: the view stays at the corner).
void SetZoom(TMainViewState& State, const TZoomLevel& Level)
{
    State.ZoomIndex = static_cast<int32_t>(&Level - ZoomTable.data());
    State.ZoomPercent = Level.Percent;
    State.ZoomText = Level.Text;
}

struct TFolder {
    std::filesystem::path Path = std::filesystem::temp_directory_path() / "render_bench_demo";
    ~TFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
};

// The map view over the large demo map of Folder, as the main window has it: the renderer on the framework's
// device, made through its own callbacks, with every layer on and the image caches of every library built.
class TView {
public:
    explicit TView(const std::string& Folder) : Folder(Folder)
    {
        State.ShowBlockers = State.ShowLights = true;
        Context.Map = &Map;
        Context.BackgroundWidth = Context.GridWidth = kWidth;
        Context.BackgroundHeight = Context.GridHeight = kHeight;
        Context.ExeFolder = Folder;
        MapRenderer = &Renderer;
        SetRenderCallbacks();
        ImageLibKind = ImageLibKindWIL;
        // Only now: the device is made through the renderer's callbacks.
        Framework = std::make_unique<bench::TReadbackBench>(kWidth, kHeight);
    }
    ~TView()
    {
        Context.CacheManager = nullptr;
        Caches.reset();
        Framework.reset();
        MapRenderer = nullptr;
    }

    // The map loaded and the device made; false (with a line on stderr) when either fails.
    bool Ready()
    {
        if (!Map.LoadFromFile(Folder + "Map\\Demo_Large.map")) {
            std::fprintf(stderr, "render_bench: cannot load the demo map\n");
            return false;
        }
        Context.MapLabel = Map.MapName;
        if (!Framework->Ready()) {
            std::fprintf(stderr, "render_bench: no 1280x1024 device\n");
            return false;
        }
        FreshCaches();
        return true;
    }
    IDirect3DDevice9* Device() const { return Framework->Device(); }
    // The caches made anew (every image decoded again on first use).
    void FreshCaches()
    {
        Context.CacheManager = nullptr;
        Caches = std::make_unique<TImageCacheManager>(nullptr, Device(), TImageCacheSettings{Folder, {}});
        for (int32_t n = 0; n < ImageLibraryCount; ++n) Caches->BuildCache(n);
        Context.CacheManager = Caches.get();
    }
    void Zoom(int32_t Percent) { SetZoom(State, *ZoomLevelOfPercent(Percent)); }

    std::string Folder;
    TVesk3Map Map;
    TMainViewState State;
    TMapRenderContext Context{State};
    TMapRenderer Renderer{Context};
    std::unique_ptr<bench::TReadbackBench> Framework;
    std::unique_ptr<TImageCacheManager> Caches;
};

// ---- peak memory: the view in a process of its own ---------------------------------------------------------

// Frames each zoom of a memory child shows, through the framework's own frame step (the map, the statistics text,
// the readback into the panel): enough for the memory to settle.
constexpr int kMemoryFrames = 4;

// A memory child: the view over Folder's large map at each zoom percent in turn; prints the process's peak
// working set ("peak <bytes>").
int MemoryChild(const std::string& Folder, const std::vector<int32_t>& Zooms)
{
    TView view(Folder);
    if (!view.Ready()) return 1;
    for (const int32_t percent : Zooms) {
        view.Zoom(percent);
        for (int i = 0; i < kMemoryFrames; ++i) DXUTRender3DEnvironment();
    }
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 1;
    std::printf("peak %llu\n", static_cast<unsigned long long>(counters.PeakWorkingSetSize));
    return 0;
}

// Runs this program as a memory child over Folder at Zooms; its peak working set in bytes, 0 when it failed.
double ChildPeak(const std::string& Folder, const std::vector<int32_t>& Zooms)
{
    char exe[MAX_PATH];
    if (!GetModuleFileNameA(nullptr, exe, MAX_PATH)) return 0;
    // The folder without its trailing delimiter: a backslash before the closing quote would escape it.
    std::string command = std::string("\"") + exe + "\" --memory-child \"" + Folder.substr(0, Folder.size() - 1) + "\"";
    for (const int32_t percent : Zooms) {
        command += ' ';
        command += std::to_string(percent);
    }
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return 0;
    const TWinHandle read(readEnd);
    TWinHandle write(writeEnd);
    SetHandleInformation(read.Get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write.Get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return 0;
    const TWinHandle child(process.hProcess), thread(process.hThread);
    write.Reset();  // the child's copy stays open until it ends, so the read below ends with it
    std::string output;
    char buffer[256];
    DWORD got = 0;
    while (ReadFile(read.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    WaitForSingleObject(child.Get(), INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(child.Get(), &exitCode);
    unsigned long long peak = 0;
    if (exitCode != 0 || std::sscanf(output.c_str(), "peak %llu", &peak) != 1) {
        std::fprintf(stderr, "render_bench: a memory child failed (exit code %lu): %s\n", exitCode, output.c_str());
        return 0;
    }
    return double(peak);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--memory-child") == 0) {
        std::vector<int32_t> zooms;
        for (int i = 3; i < argc; ++i) zooms.push_back(std::atoi(argv[i]));
        return MemoryChild(std::string(argv[2]) + "\\", zooms);
    }
    int frames = 20;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--frames") == 0) frames = std::atoi(argv[i + 1]);
    if (frames <= 0) {
        std::fprintf(stderr, "usage: render_bench [--rounds N] [--frames N]\n");
        return 2;
    }
    const int rounds = bench::Rounds(argc, argv);
    TFolder dir;
    const std::string folder = dir.Path.string() + "\\";
    std::string error;
    if (!MakeDemoData(folder, error)) {
        std::fprintf(stderr, "demo data: %s\n", error.c_str());
        return 1;
    }

    // The peaks first, while this process holds no device: the children compete with nothing of it.
    std::vector<int32_t> everyZoom{100};
    for (const TZoomLevel& level : ZoomTable)
        if (level.Percent != 100) everyZoom.push_back(level.Percent);
    const bench::TResult memory = bench::CompareTimed(
        {"map view peak memory after every zoom, large map", "its peak at 100 % alone", {2, {}},
         bench::TQuantity::Bytes},
        [&] { return ChildPeak(folder, everyZoom); }, [&] { return ChildPeak(folder, {100}); }, rounds);

    TView view(folder);
    if (!view.Ready()) return 1;
    IDirect3DDevice9* device = view.Device();
    bench::TDeviceWait wait(device);

    // One warm row at a zoom percent: the frame's draws recorded into Batches, then the frame against their replay
    // with the cheapest filter and a profiled replay's split. The 100 % row runs first: the other rows scale its
    // frame count by the draws.
    size_t fullDraws = 0;
    const auto warmRow = [&](int32_t Percent, double Goal, std::vector<TBatch>& Batches) {
        view.Zoom(Percent);
        Batches = RecordFrame(view.Context, view.Renderer, device);
        const size_t draws = DrawCount(Batches);
        if (Percent == 100) fullDraws = draws;
        const int rowFrames =
            Percent == 100 || draws == 0 ? frames : std::max(1, int(double(frames) * fullDraws / draws + 0.5));
        const std::string label = std::string("at ") + ZoomLevelOfPercent(Percent)->Text;
        bench::Note("sprite draws per frame " + label, double(draws), "draws");
        bench::Note("sprite batches per frame " + label, double(Batches.size()), "batches");
        const bench::TResult result = bench::Compare(
            {"map view frame, 1280x1024 " + label + ", all layers, " + std::to_string(draws) + " draws in " +
                 std::to_string(Batches.size()) + " batches",
             "the same sprite draws, point-sampled", {Goal, {}}},
            [&] {
                for (int i = 0; i < rowFrames; ++i) RendererFrame(view.Renderer, device, wait);
            },
            [&] {
                for (int i = 0; i < rowFrames; ++i) ReplayFrame(Batches, device, wait);
            },
            rounds);
        bench::Note("map view frame " + label + " (median)", result.PathMedian / rowFrames * 1e3, "ms");
        bench::Note("replay " + label + " (median)", result.FloorMedian / rowFrames * 1e3, "ms");
        bench::Note("texture runs per frame " + label, double(TextureRuns(Batches)), "runs");
        bench::Note("images in the view " + label, double(DistinctTextures(Batches)), "images");
        TReplayTimes times;
        ReplayFrame(Batches, device, wait, &times);
        bench::Note("replay " + label + ", once: the sprites' Draw calls", times.Queueing * 1e3, "ms");
        for (size_t b = 0; b < Batches.size(); ++b)
            bench::Note("replay " + label + ", once: batch " + std::to_string(b) + " (" +
                            std::to_string(Batches[b].Draws.size()) + " draws, " +
                            std::to_string(TextureRuns({Batches[b]})) + " runs) Flush and End",
                        times.Drawing[b] * 1e3, "ms");
        return result;
    };

    // At 100 % the view draws point-sampled as its floor does: the row states what the walk over the map and the
    // caches add. Shrunk, it draws bilinear: the rows state that filter's cost too.
    std::vector<TBatch> batches, scratch;
    std::vector<bench::TResult> warm;
    warm.push_back(warmRow(100, 1.3, batches));
    const std::vector<TTexels> texels = DrawnTexels(batches);
    for (const int32_t percent : {12, 3}) warm.push_back(warmRow(percent, 1.5, scratch));
    scratch.clear();
    view.Zoom(100);

    const bench::TResult cold = bench::CompareTimed(
        {"cold view fill: first frame from fresh caches", "upload of the same pixels, then the same draws", {3, {}}},
        [&] {
            view.FreshCaches();
            return bench::Seconds([&] { RendererFrame(view.Renderer, device, wait); });
        },
        [&] {
            std::map<IDirect3DTexture9*, ComPtr<IDirect3DTexture9>> uploaded;
            const double upload = bench::Seconds([&] { UploadDirectly(device, texels, uploaded); });
            const std::vector<TBatch> replay = WithTextures(batches, uploaded);
            return upload + bench::Seconds([&] { ReplayFrame(replay, device, wait); });
        },
        rounds);

    const bench::TResult readback = view.Framework->Compare(
        {"readback of the map view frame", "the same frame without readback", {}}, OnFrameRender, nullptr, rounds,
        frames);
    bench::Note("map view frame with readback (median)", readback.PathMedian / frames * 1e3, "ms");

    bench::PrintHeader();
    for (const bench::TResult& row : warm) bench::PrintRow(row);
    bench::PrintRow(cold);
    bench::PrintRow(readback);
    bench::PrintRow(memory);
    return 0;
}
