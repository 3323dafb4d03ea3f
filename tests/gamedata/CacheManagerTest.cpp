// The image caches over the shared test library under Wine, in WIL and in SIL mode: entries and the texels of
// their textures, empty answers, the picker count, copies that outlive the cache, the idle sweep and re-map with
// an injected clock across the 32-bit wrap, bitmaps and their error line, a missing device; then the loader under
// a bare message loop and the manager freed while it loads.
#include "gamedata/uCache_Manager.h"

#include "Common/Dev_LogEngineClass.h"
#include "classlib/Graphics.h"
#include "classlib/WinHandle.h"
#include "tests/classlib/RuntimeTestSupport.h"
#include "tests/gamedata/ImageTestSupport.h"
#include "tests/gamedata/TestDevice.h"
#include "tests/support/TempDir.h"

#include <d3d9.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <memory>
#include <set>

namespace {

// The RGB565 word at (x, y) of the record's bitmap.
uint16_t BitmapPixel(const TImageBitmapRecord& record, int x, int y)
{
    return reinterpret_cast<const uint16_t*>(record.Bitmap->ScanLine(y))[x];
}

// Library 0 holds the test images, library 15 one 2 x 2 image; every other library is missing. The libraries are
// of the kind the test is run with.
class CacheManager : public testing::TestWithParam<int32_t> {
protected:
    void SetUp() override
    {
        ASSERT_NE(device.Get(), nullptr);
        const testsupport::TTestImages images[2] = {testsupport::TestImages(),
                                                    {fixtures::MakeWilImage(2, 2, fixtures::Opaque(1))}};
        for (int32_t number : {0, 15}) {
            const std::filesystem::path path = LibraryFilePath(Folder(), number, GetParam());
            std::filesystem::create_directories(path.parent_path());
            const std::string base = (path.parent_path() / path.stem()).string();
            ASSERT_TRUE(testsupport::WriteTestLibrary(base, GetParam(), images[number != 0]));
        }
        ImageLibKind = GetParam();
    }
    void TearDown() override { ImageLibKind = ImageLibKindWIL; }
    std::string Folder() const { return dir.path().string() + "\\"; }
    std::string LogPath() const { return dir.file("cache.log"); }
    // No re-map pause: the sweeps below re-map many times.
    std::unique_ptr<TImageCacheManager> Make(IDirect3DDevice9* dev)
    {
        auto manager = std::make_unique<TImageCacheManager>(log.get(), dev,
                                                            TImageCacheSettings{Folder(), [this] { return clock; }, 0});
        manager->BuildCache(0);
        manager->BuildCache(15);
        return manager;
    }
    // Index entries of library 0: the conversion ends a SIL library at its last image.
    int32_t Entries0() const { return GetParam() == ImageLibKindWIL ? 5 : 4; }

    testsupport::TempDir dir;
    testsupport::TTestDevice device;
    std::unique_ptr<TLogEngine> log = std::make_unique<TLogEngine>("CacheTest", "1.0", dir.file("cache.log"));
    uint32_t clock = 0xFFFF0000u;  // 65.5 s before the tick wraps
};

// Texture: whether the entry holds one; Bitmap: whether GetImageBitmap gives the image (a decoding error writes
// the error line, an empty index entry does not).
TEST_P(CacheManager, EntriesTexturesAndBitmaps)
{
    auto manager = Make(device.Get());
    ASSERT_EQ(manager->Cache(0)->Count(), Entries0());
    const struct {
        int32_t Index;
        bool Texture;
        uint16_t W, H;
        int16_t X, Y;
        bool Bitmap;
    } rows[] = {
        {0, true, 6, 2, 3, -2, true},
        {1, false, 0, 0, 0, 0, false},  // index entry 0: never a texture, however often asked
        {2, true, 0, 3, 0, 0, true},    // a side of 0: the 1 x 1 transparent texture, no bitmap
        {3, false, 0, 0, 0, 0, false},  // damaged
    };
    for (int round = 0; round < 2; ++round)
        for (const auto& row : rows) {
            const TImageHeaderD3D e = manager->GetImage(0, row.Index);
            EXPECT_EQ(e.Loaded(), row.Texture) << row.Index;
            EXPECT_EQ(std::tuple(e.Width, e.Height, e.OffsetX, e.OffsetY), std::tuple(row.W, row.H, row.X, row.Y));
            TImageBitmapRecord record;
            record.Info1 = 0xBEEF;
            EXPECT_EQ(manager->GetImageBitmap(0, row.Index, record), row.Bitmap) << row.Index;
            EXPECT_EQ(record.Info1 == 0xBEEF, !row.Bitmap) << row.Index << ": only a decoded image fills the record";
        }
    EXPECT_EQ(testsupport::CountInFile(LogPath(), "ERROR::NGL::Cache::GBPI001"), 2) << "index 3, in each round";
    EXPECT_EQ(manager->GetImage(0, 0).Texture.Get(), manager->GetImage(0, 0).Texture.Get()) << "decoded once";
    EXPECT_EQ(testsupport::ReadTexels(manager->GetImage(0, 2).Texture.Get()), std::vector<uint32_t>{0});
    // The 8 x 2 canvas is keyed on opaque black only; half-transparent texels keep alpha 0x7F; the canvas's margin
    // holds the colour of the image's last column with alpha 0.
    const std::vector<uint32_t> texels = testsupport::ReadTexels(manager->GetImage(0, 0).Texture.Get());
    const uint32_t green = 0xFF00FF00;
    EXPECT_EQ(texels, (std::vector<uint32_t>{0xFFFF0000, 0, 0x7FFFFFFF, 0, 0x7F000000, 0xFF000008, 0x00000008,
                                             0x00000008, green, green, green, green, green, green, 0x0000FF00,
                                             0x0000FF00}));
    // The bitmap holds the colours only: alpha dropped, transparent and keyed pixels black.
    TImageBitmapRecord record;
    ASSERT_TRUE(manager->GetImageBitmap(0, 0, record));
    EXPECT_EQ(std::tuple(record.Width, record.Height, record.OffsetX, record.OffsetY, record.Info1, record.Info2),
              std::tuple(6, 2, 3, -2, 0x2233, 0x4455));
    EXPECT_EQ(record.CanvasWidth, GetParam() == ImageLibKindWIL ? 8 : 0);
    ASSERT_EQ(std::pair(record.Bitmap->Width(), record.Bitmap->Height()), std::pair(6, 2));
    const uint16_t colours[6] = {0xF800, 0, 0xFFFF, 0, 0, 0x0001};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(BitmapPixel(record, x, 0), colours[x]) << x;
    EXPECT_EQ(BitmapPixel(record, 5, 1), 0x07E0);
}

// Libraries outside 0..74 or without a cache, and indexes outside the library: the empty entry, no sweep, no
// bitmap but the error line.
TEST_P(CacheManager, EmptyEntryForWhatCannotBeServed)
{
    auto manager = Make(device.Get());
    ASSERT_TRUE(manager->BuildCache(74));  // a missing pair: a cache of no entries
    EXPECT_FALSE(manager->BuildCache(75) || manager->BuildCache(-1));
    const TCacheTicks before = manager->Cache(0)->Ticks();
    clock += 60000;  // a lookup that reached the sweep would run it now
    const struct {
        int32_t Library, Index, PickerCount;
    } rows[] = {
        {0, -1, 4}, {0, Entries0(), 4}, {0, INT_MIN, 4}, {0, INT_MAX, 4}, {15, 1, 1},      {74, 0, 0},
        {1, 0, 0},  {75, 0, 0},         {76, 0, 0},      {-1, 0, 0},      {INT_MIN, 0, 0},
    };
    for (const auto& row : rows) {
        const TImageHeaderD3D e = manager->GetImage(row.Library, row.Index);
        EXPECT_FALSE(e.Loaded()) << row.Library << "/" << row.Index;
        EXPECT_EQ(std::tuple(e.Width, e.Height, e.OffsetX, e.OffsetY, e.Stamp), std::tuple(0, 0, 0, 0, 0u));
        EXPECT_EQ(manager->GetImageCount(row.Library), row.PickerCount) << row.Library;
        TImageBitmapRecord record;
        EXPECT_FALSE(manager->GetImageBitmap(row.Library, row.Index, record)) << row.Library << "/" << row.Index;
    }
    EXPECT_EQ(manager->Cache(0)->Ticks().LastSweep, before.LastSweep) << "an index outside swept the cache";
    EXPECT_EQ(testsupport::CountInFile(LogPath(), "ERROR::NGL::Cache::GBPI001"), int(std::size(rows)));
    EXPECT_EQ(testsupport::CountInFile(LogPath(), "Error::NGL::GetBMPPTRImage"), 0) << "the second text is not written";
}

TEST_P(CacheManager, ACopyOutlivesReloadAllAndTheManager)
{
    auto manager = Make(device.Get());
    const TImageHeaderD3D held = manager->GetImage(0, 0);
    ASSERT_TRUE(held.Loaded());
    manager->ReloadAll();
    EXPECT_FALSE(manager->Cache(0)->Entry(0).Loaded()) << "ReloadAll must release the cache's textures";
    EXPECT_EQ(manager->Cache(0)->Count(), Entries0());
    const TImageHeaderD3D again = manager->GetImage(0, 0);
    ASSERT_TRUE(again.Loaded()) << "the library must be mapped again";
    EXPECT_NE(again.Texture.Get(), held.Texture.Get());
    manager.reset();
    EXPECT_EQ(testsupport::ReadTexels(held.Texture.Get()).size(), 16u) << "the held copy stays usable";
}

TEST_P(CacheManager, SweepAndRemapAcrossTheWrap)
{
    auto manager = Make(device.Get());
    TImageCache& cache = *manager->Cache(0);
    const uint32_t created = clock;
    const ComPtr<IDirect3DTexture9> first = manager->GetImage(0, 0).Texture;
    ASSERT_TRUE(manager->GetImage(0, 2).Loaded());
    // Image 0 is looked up every 40 s, image 2 never again; every other lookup sweeps (more than 46 s since the
    // last sweep), and every sweep re-maps. At 320 s image 2 is more than 300 s old and goes; image 0 never does.
    for (uint32_t seconds = 40; seconds <= 320; seconds += 40) {
        clock = created + seconds * 1000;
        const TCacheTicks before = cache.Ticks();
        const TImageHeaderD3D e = manager->GetImage(0, 0);
        EXPECT_EQ(e.Stamp, clock) << "the entry's last use";
        EXPECT_EQ(e.Texture.Get(), first.Get()) << seconds;
        EXPECT_EQ(cache.Ticks().LastSweep != before.LastSweep, seconds % 80 == 0) << seconds;
        EXPECT_EQ(cache.Ticks().LastRemap != before.LastRemap, seconds % 80 == 0) << seconds;
        EXPECT_EQ(cache.Entry(2).Loaded(), seconds < 320) << seconds;
    }
    EXPECT_TRUE(manager->GetImage(0, 2).Loaded()) << "after the re-maps the library still decodes";
}

TEST_P(CacheManager, NoDeviceMeansNoTexturesButBitmaps)
{
    auto manager = Make(nullptr);
    EXPECT_FALSE(manager->GetImage(0, 0).Loaded());
    EXPECT_EQ(manager->GetImageCount(0), 4);
    TImageBitmapRecord record;
    EXPECT_TRUE(manager->GetImageBitmap(0, 0, record));
    EXPECT_EQ(BitmapPixel(record, 0, 0), 0xF800);
    manager->ReloadAll();
    EXPECT_FALSE(manager->GetImage(0, 2).Loaded());
}

// The device the textures are made on follows the one handed over last, for the caches built before and after;
// with none (between a device's end and the next) nothing has a texture, and bitmaps still work.
TEST_P(CacheManager, TexturesAreMadeOnTheDeviceHandedOverLast)
{
    const auto owner = [](const TImageHeaderD3D& entry) {
        ComPtr<IDirect3DDevice9> device;
        if (entry.Texture) entry.Texture->GetDevice(device.Out());
        return device.Get();
    };
    testsupport::TTestDevice other;
    ASSERT_NE(other.Get(), nullptr);
    auto manager = Make(device.Get());
    ASSERT_EQ(owner(manager->GetImage(0, 0)), device.Get());
    manager->SetDevice(other.Get());
    EXPECT_FALSE(manager->Cache(0)->Entry(0).Loaded()) << "the old device's texture is let go";
    EXPECT_EQ(owner(manager->GetImage(0, 0)), other.Get());
    manager->BuildCache(15);
    EXPECT_EQ(owner(manager->GetImage(15, 0)), other.Get()) << "a cache built afterwards";
    manager->SetDevice(nullptr);
    EXPECT_FALSE(manager->GetImage(0, 0).Loaded());
    TImageBitmapRecord record;
    EXPECT_TRUE(manager->GetImageBitmap(0, 0, record));
}

// ---- The loader ------------------------------------------------------------------------------------------------

// The threads of this process, as the system lists them.
std::set<DWORD> ProcessThreads()
{
    std::set<DWORD> ids;
    const TWinHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more; more = Thread32Next(snapshot.Get(), &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
    return ids;
}

// The loader builds the caches in order (always a prefix 0 .. k - 1) and ends by itself after the last. Freed
// with a step queued but not served, after a few steps or after the end, the manager has ended its loader thread,
// and no step runs later against the freed manager (each step reads the manager's clock).
TEST_P(CacheManager, TheLoaderEndsByItselfOrWithTheManager)
{
    bool freed = false;
    int stepsAfterFree = 0;
    const auto tick = [&] { return uint32_t(stepsAfterFree += freed); };
    for (const DWORD pumpMs : std::initializer_list<DWORD>{0, 30, 120, INFINITE}) {
        const std::set<DWORD> before = ProcessThreads();
        freed = false;
        auto manager = std::make_unique<TImageCacheManager>(nullptr, device.Get(), TImageCacheSettings{Folder(), tick});
        EXPECT_FALSE(manager->GetImage(0, 0).Loaded()) << "no cache before the loader built it";
        ASSERT_TRUE(manager->StartLoader());
        EXPECT_FALSE(manager->StartLoader());
        std::vector<TWinHandle> started;
        for (DWORD id : ProcessThreads())
            if (!before.count(id)) started.emplace_back(OpenThread(SYNCHRONIZE, FALSE, id));
        ASSERT_EQ(started.size(), 1u) << "the loader is the one new thread";
        if (pumpMs == 0) Sleep(30);
        bool ordered = true;
        const auto ended = [&] {
            for (int n = 1; n < ImageLibraryCount; ++n) ordered &= !manager->Cache(n) || manager->Cache(n - 1);
            return !manager->LoaderRunning();
        };
        EXPECT_EQ(runtimetest::PumpUntil(ended, pumpMs == INFINITE ? 30000 : pumpMs), pumpMs == INFINITE) << pumpMs;
        EXPECT_TRUE(ordered);
        EXPECT_EQ(manager->Cache(ImageLibraryCount - 1) != nullptr, pumpMs == INFINITE) << pumpMs;
        manager.reset();
        freed = true;
        EXPECT_EQ(WaitForSingleObject(started[0].Get(), 0), WAIT_OBJECT_0) << "the loader outlived the manager";
    }
    runtimetest::PumpFor(50);
    EXPECT_EQ(stepsAfterFree, 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CacheManager, testing::Values(ImageLibKindWIL, ImageLibKindSIL),
                         [](const auto& info) { return info.param == ImageLibKindWIL ? "WIL" : "SIL"; });

}  // namespace
