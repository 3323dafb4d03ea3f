// The framework callbacks on the real device: the statistics text with and without a renderer, the device
// choices, images decoded anew after a reset, and the screenshot file.
#include "tests/editor/MapRenderScene.h"

#include "classlib/DateTimeText.h"
#include "classlib/core/PngImage.h"
#include "editor/core/uScreenshotName.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/gamedata/ImageTestSupport.h"

#include <set>

namespace {

using namespace rendertest;
using MapFrame = TMapRenderScene;

constexpr uint32_t Black = 0;

TEST_F(MapFrame, StatisticsTextWithoutARendererAndGridsWithoutAMap)
{
    MapRenderer = nullptr;
    State.ShowStepGrid = true;
    Frame();
    EXPECT_GT(Count(5, 5, 400, 22, [](uint32_t p) { return Tinted(p, 0xFFFFFF) && p >= 0xC0C0C0; }), 50)
        << "the white text";
    EXPECT_GT(Count(4, 4, 400, 21, [](uint32_t p) { return p != 0 && p <= 0x050505 && (p & 0xFF) == (p >> 16); }), 50)
        << "its dark copy one pixel up and left";
    EXPECT_EQ(Count(0, 40, 1280, 1024, Black), 1280 * 984) << "nothing else";

    MapRenderer = &Renderer;
    OpenMap(nullptr);
    Map.SetTileField(0, 2, 1, 0);
    Map.SetTileField(0, 2, 2, 0);
    State.ObjectMode = ObjectModeLight;
    Frame();
    EXPECT_TRUE(Near(Pixel(48, 500), OverBlack(State.StepGridColor))) << "the grid draws without a map";
    EXPECT_EQ(Pixel(40, 170), Black) << "the layers and the cursor do not";
}

TEST_F(MapFrame, DeviceChoices)
{
    const D3DCAPS9* caps = DXUTGetDeviceCaps();
    const char* rejected = "Post pixel blending operations are not supported on your System !!!";
    const int before = testsupport::CountInFile(LogPath(), rejected);  // device creation may have rejected some
    const std::pair<D3DFORMAT, bool> formats[] = {{D3DFMT_X8R8G8B8, true}, {D3DFMT_P8, false}, {D3DFMT_A8R8G8B8, true},
                                                  {D3DFMT_UYVY, false}};
    for (const auto& [backBuffer, accepted] : formats)
        EXPECT_EQ(IsDeviceAcceptable(caps, D3DFMT_X8R8G8B8, backBuffer, true, nullptr), accepted) << backBuffer;
    EXPECT_EQ(testsupport::CountInFile(LogPath(), rejected), before + 2) << "one line per rejected combination";

    constexpr DWORD tnl = D3DDEVCAPS_HWTRANSFORMANDLIGHT, raster = D3DDEVCAPS_HWRASTERIZATION,
                    pure = D3DDEVCAPS_PUREDEVICE;
    const std::pair<DWORD, DWORD> flags[] = {
        {tnl | raster | pure, D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE},
        {tnl | raster, D3DCREATE_HARDWARE_VERTEXPROCESSING},
        {tnl | pure, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
        {tnl, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
        {raster | pure, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
        {0, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
    };
    for (const auto& [devCaps, behaviour] : flags) {
        D3DCAPS9 probe = *caps;
        probe.DevCaps = devCaps;
        TDX9DeviceSettings settings = DXUTGetDeviceSettings();
        settings.BehaviorFlags = D3DCREATE_MULTITHREADED;
        EXPECT_TRUE(ModifyDeviceSettings(&settings, &probe, nullptr));
        EXPECT_EQ(settings.BehaviorFlags, behaviour) << std::hex << devCaps;
    }
}

TEST_F(MapFrame, ImagesAreDecodedAnewAfterAReset)
{
    Map.SetTileField(0, 2, 1, 0);
    Map.SetTileField(0, 2, 2, 0);
    Frame();
    ASSERT_TRUE(Cache->Cache(0)->Entry(0).Loaded());
    TDX9DeviceSettings settings = DXUTGetDeviceSettings();
    settings.pp.BackBufferHeight = 1000;
    ASSERT_EQ(DXUTChangeDevice(&settings, nullptr, false, false), S_OK);
    EXPECT_FALSE(Cache->Cache(0)->Entry(0).Loaded()) << "the caches let go of their textures";
    Frame();
    EXPECT_EQ(Pixel(40, 160), Rgb(Red565));
    EXPECT_TRUE(Cache->Cache(0)->Entry(0).Loaded());
}

// A device the framework makes anew (a forced recreation, as after a reset that failed) is the one the caches
// make their textures on from then on; the old one is let go entirely.
TEST_F(MapFrame, ImagesAppearOnADeviceMadeAnew)
{
    Tile(0, 2, 0, 0);
    Frame();
    ASSERT_TRUE(Cache->Cache(0)->Entry(0).Loaded());
    Device.Reset();
    TDX9DeviceSettings settings = DXUTGetDeviceSettings();
    ASSERT_EQ(DXUTChangeDevice(&settings, nullptr, true, false), S_OK);
    Device = DXUTGetD3DDevice();
    ASSERT_TRUE(Device);
    const TImageHeaderD3D image = Cache->GetImage(0, 0);
    ComPtr<IDirect3DDevice9> owner;
    ASSERT_TRUE(image.Loaded());
    ASSERT_EQ(image.Texture->GetDevice(owner.Out()), S_OK);
    // Drawn on another device, a texture ends the program in the platform's own check.
    ASSERT_EQ(owner.Get(), Device.Get()) << "the texture belongs to the device in use";
    Frame();
    EXPECT_EQ(Count(0, 128, 96, 192, Rgb(Red565)), 96 * 64) << "the whole tile";
}

// Between one device's end and the next, nothing holds the old device any more: not the image caches nor their
// textures, not the renderer's sprites, not the statistics text's sprite and font, not the framework's device
// change nor its recovery from a loss, called alone or from the frame loop. The test's own reference, let go when
// the framework makes the next device, must be the last. A lost device the recovery cannot reset (a default-pool buffer outlives the loss, until the
// device is destroyed) is made anew, also when the desktop's format is no longer the settings'.
TEST_F(MapFrame, ADeviceMadeAnewFindsTheOldOneLetGo)
{
    enum class TWay { ForcedChange, Recovery, RecoveryToTheDesktopsFormat, FrameLoop };
    const struct {
        const char* What;
        TWay Way;
    } rows[] = {
        {"a forced device change", TWay::ForcedChange},
        {"a recovery whose reset fails", TWay::Recovery},
        {"a recovery to a changed desktop format", TWay::RecoveryToTheDesktopsFormat},
        {"the frame loop's recovery", TWay::FrameLoop},
    };
    struct TProbe {
        IDirect3DDevice9* Old;
        ComPtr<IDirect3DVertexBuffer9> Buffer;  // in the default pool: no reset while it lives
        ULONG Left = ~0ul;                      // the old device's references after the test's own went
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.What);
        Tile(0, 2, 0, 0);
        Frame();  // textures, sprites and text drawn on the old device
        ASSERT_TRUE(Cache->Cache(0)->Entry(0).Loaded());
        TProbe probe{Device.Detach(), {}};
        DXUTSetCallbackDeviceCreated(
            [](IDirect3DDevice9* device, const D3DSURFACE_DESC* desc, void* context) {
                auto* p = static_cast<TProbe*>(context);
                p->Left = p->Old->Release();
                return OnDeviceCreated(device, desc, nullptr);
            },
            &probe);
        DXUTSetCallbackDeviceDestroyed(
            [](void* context) {
                static_cast<TProbe*>(context)->Buffer.Reset();
                OnDeviceDestroyed(nullptr);
            },
            &probe);
        if (row.Way == TWay::ForcedChange) {
            TDX9DeviceSettings settings = DXUTGetDeviceSettings();
            EXPECT_EQ(DXUTChangeDevice(&settings, nullptr, true, false), S_OK);
        } else {
            ASSERT_EQ(probe.Old->CreateVertexBuffer(64, 0, 0, D3DPOOL_DEFAULT, probe.Buffer.Out(), nullptr), S_OK);
            D3DPRESENT_PARAMETERS pp = DXUTDevicePresentParameters(DXUTGetPresentParameters());
            ASSERT_TRUE(FAILED(probe.Old->Reset(&pp)));
            ASSERT_EQ(probe.Old->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
            if (row.Way == TWay::RecoveryToTheDesktopsFormat) {
                auto settings = std::make_unique<TDX9DeviceSettings>(DXUTGetDeviceSettings());
                settings->AdapterFormat = D3DFMT_R5G6B5;  // the desktop is X8R8G8B8
                GetDXUTState().ExchangeCurrentSettings(std::move(settings));
            }
            if (row.Way == TWay::FrameLoop) {
                GetDXUTState().Set(&TDX9State_STATE::IsDeviceLost, true);
                DXUTRender3DEnvironment();
            } else {
                DXUTRecoverLostDevice();
            }
        }
        SetRenderCallbacks();
        Device = DXUTGetD3DDevice();
        ASSERT_TRUE(Device);
        EXPECT_EQ(DXUTGetDeviceSettings().AdapterFormat, D3DFMT_X8R8G8B8);
        EXPECT_EQ(probe.Left, 0u) << "~0: no device was made";
    }
}

TEST_F(MapFrame, ScreenshotsHoldTheLayersAndCursorOfTheViewsCorner)
{
    Map.SetTileField(0, 2, 1, 0);
    Map.SetTileField(0, 2, 2, 0);
    Map.SetTileField(8, 9, 1, 0);  // at (768, 576): partly outside the 800 x 600 corner
    Map.SetTileField(8, 9, 2, 2);
    State.ShowStepGrid = true;
    State.ObjectMode = ObjectModeLight;
    State.ViewStepCellX = 4;
    State.ViewStepCellY = 8;
    const auto names = [](int counter, const char* label, const TDateTime& before, const TDateTime& after) {
        return std::set<std::string>{ScreenshotFileName(counter, label, ScreenshotDateText(DateTimeToStr(before))),
                                     ScreenshotFileName(counter, label, ScreenshotDateText(DateTimeToStr(after)))};
    };
    for (int shot = 0; shot < 2; ++shot) {
        SCOPED_TRACE(shot);
        State.ScreenshotPending = true;
        const TDateTime before = Now();
        Frame();
        const std::set<std::string> candidates = names(shot, "Fix.map", before, Now());
        EXPECT_FALSE(State.ScreenshotPending);
        EXPECT_EQ(State.ScreenshotCounter, shot + 1);
        const std::set<std::string> files = Shots(Dir.path());
        ASSERT_EQ(files.size(), size_t(shot + 1));
        std::string name;
        for (const std::string& file : files)
            if (candidates.count(file)) name = file;
        ASSERT_FALSE(name.empty()) << *files.rbegin();
        EXPECT_EQ(testsupport::CountInFile(LogPath(), " - [INFO]  - Create : " + name), 1);

        TPngImage png;
        ASSERT_TRUE(png.LoadFromMemory(fixtures::ReadFileBytes(Dir.file(name))));
        ASSERT_EQ(std::pair(png.Width(), png.Height()), std::pair(800u, 600u));
        const auto rgb = [&png](int x, int y) {
            const TRgba c = png.Pixel(uint32_t(x), uint32_t(y));
            return uint32_t(c.R) << 16 | uint32_t(c.G) << 8 | c.B;
        };
        EXPECT_EQ(rgb(40, 160), Rgb(Red565)) << "the tile";
        EXPECT_EQ(rgb(780, 590), Rgb(Green565)) << "the corner of the partly shown tile";
        EXPECT_TRUE(Near(rgb(210, 270), Blended(Yellow565))) << "the light cursor";
        EXPECT_EQ(rgb(48, 150), Rgb(Red565)) << "no grid in the shot";
        EXPECT_NE(Pixel(48, 150), Rgb(Red565)) << "the grid in the frame";
        EXPECT_EQ(rgb(10, 10), Black) << "no statistics text";
    }

    // No map: no file, a warning, and the counter goes on.
    OpenMap(nullptr);
    State.ScreenshotPending = true;
    Frame();
    EXPECT_FALSE(State.ScreenshotPending);
    EXPECT_EQ(State.ScreenshotCounter, 3);
    EXPECT_EQ(Shots(Dir.path()).size(), 2u);
    EXPECT_EQ(testsupport::CountInFile(LogPath(), " - [WARN]  - No screenshot : no map is open (Map_2__"), 1);

    // A folder that cannot be written: no file, and the log says so after the "Create" line.
    OpenMap(&Map);
    Context.ExeFolder = Folder() + "missing\\";
    State.ScreenshotPending = true;
    Frame();
    EXPECT_EQ(State.ScreenshotCounter, 4);
    EXPECT_EQ(Shots(Dir.path()).size(), 2u);
    EXPECT_EQ(testsupport::CountInFile(LogPath(), " - [ERROR] - The screenshot could not be written : "), 1);
}

// The reference-device warning: only when the first settings the callback sees name the reference device, once.
TEST(MapFrameCallbacks, ReferenceDeviceWarningAtTheFirstCallOnly)
{
    testsupport::TempDir dir;
    TMainViewState state;
    TMapRenderContext context(state);
    TLogEngine log("RenderTest", "1.0", dir.file("ref.log"));
    context.Log = &log;
    TMapRenderer renderer(context);
    MapRenderer = &renderer;
    const char* warning = "Switching to the Direct3D reference rasterizer";
    const struct {
        bool FirstCall;
        D3DDEVTYPE Type;
        int Lines;
    } rows[] = {{true, D3DDEVTYPE_HAL, 0}, {false, D3DDEVTYPE_REF, 0}, {true, D3DDEVTYPE_REF, 1},
                {false, D3DDEVTYPE_REF, 1}};
    for (const auto& row : rows) {
        if (row.FirstCall) ModifyDeviceSettingsFirstCall = true;
        TDX9DeviceSettings settings{};
        settings.DeviceType = row.Type;
        EXPECT_TRUE(ModifyDeviceSettings(&settings, nullptr, nullptr));
        EXPECT_FALSE(ModifyDeviceSettingsFirstCall);
        EXPECT_EQ(testsupport::CountInFile(dir.file("ref.log"), warning), row.Lines);
    }
    MapRenderer = nullptr;
}

}  // namespace
