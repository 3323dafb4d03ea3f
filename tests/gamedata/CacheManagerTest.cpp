// The image caches over real libraries under Wine: WIL and SIL modes on the same images, the empty entry, the
// picker count, copies that outlive the cache, the idle sweep and re-map with an injected clock across the 32-bit
// wrap, bitmaps and their log line, ReloadAll, a missing device, the loader under a bare message loop and the
// manager freed while it loads.
#include "gamedata/uCache_Manager.h"

#include "Common/Dev_LogEngineClass.h"
#include "tests/classlib/RuntimeTestSupport.h"
#include "tests/fixtures/core/SilFixture.h"
#include "tests/fixtures/core/WilFixture.h"
#include "tests/gamedata/ImageTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

namespace {

// ---- fixture libraries -----------------------------------------------------------------------------------------

struct TImg {
    uint16_t W, H;
    int16_t X, Y;
};
using TImages = std::vector<std::optional<TImg>>;

// Library 0: images at 0 and 2 (4 index entries in WIL, the last one empty; 3 in SIL, as the conversion writes
// it). Library 15: one image. Every other library is missing.
const TImages Library0 = {TImg{4, 2, 3, -2}, std::nullopt, TImg{2, 3, -7, 5}, std::nullopt};
const TImages Library15 = {TImg{6, 6, 0, 0}};

void WriteLibrary(const std::string& folder, int32_t number, int32_t kind, const TImages& images)
{
    const std::string path = LibraryFilePath(folder, number, kind);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const std::string base = path.substr(0, path.size() - 4);
    if (kind == ImageLibKindWIL) {
        std::vector<std::optional<fixtures::WilImage>> wil;
        for (const auto& img : images) {
            if (!img) {
                wil.emplace_back();
                continue;
            }
            fixtures::WilImage w = fixtures::MakeWilImage(img->W, img->H, fixtures::Opaque(0xF800));
            w.OffsetX = img->X;
            w.OffsetY = img->Y;
            wil.push_back(std::move(w));
        }
        ASSERT_TRUE(fixtures::WriteWilLibrary(fixtures::BuildWilLibrary(17, wil), base));
        return;
    }
    std::vector<std::optional<fixtures::SilImage>> sil;
    uint16_t count = 0;
    for (const auto& img : images) {
        if (!img) {
            sil.emplace_back();
            continue;
        }
        fixtures::SilImage s = fixtures::MakeSilImage(img->W, img->H, fixtures::MakeSilPng(img->W, img->H, 0xFF0000FFu));
        s.Header.OffsetX = img->X;
        s.Header.OffsetY = img->Y;
        sil.push_back(std::move(s));
        count = static_cast<uint16_t>(sil.size());
    }
    sil.resize(count);  // the conversion stops the library at its last image
    ASSERT_TRUE(fixtures::WriteSilLibrary(fixtures::BuildSilLibrary(sil, count), base));
}

int CountInFile(const std::string& path, const std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    int n = 0;
    for (size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1)) ++n;
    return n;
}

// ---- the suite, once per library kind --------------------------------------------------------------------------

class CacheManager : public testing::TestWithParam<int32_t> {
protected:
    void SetUp() override
    {
        ASSERT_NE(device.Get(), nullptr);
        WriteLibrary(Folder(), 0, GetParam(), Library0);
        WriteLibrary(Folder(), 15, GetParam(), Library15);
        ImageLibKind = GetParam();
    }
    void TearDown() override { ImageLibKind = ImageLibKindWIL; }

    std::string Folder() const { return dir.path().string() + "\\"; }
    std::string LogPath() const { return dir.file("cache.log"); }
    // No re-map pause: the sweeps below re-map many times.
    TImageCacheSettings Settings() { return {Folder(), [this] { return clock; }, 0}; }
    std::unique_ptr<TImageCacheManager> Make(IDirect3DDevice9* dev)
    {
        auto manager = std::make_unique<TImageCacheManager>(log.get(), dev, Settings());
        manager->BuildCache(0);
        manager->BuildCache(15);
        return manager;
    }
    int32_t Entries0() const { return GetParam() == ImageLibKindWIL ? 4 : 3; }

    testsupport::TempDir dir;
    testsupport::TTestDevice device;
    std::unique_ptr<TLogEngine> log = std::make_unique<TLogEngine>("CacheTest", "1.0", dir.file("cache.log"));
    uint32_t clock = 0xFFFF0000u;  // 65.5 s before the tick wraps
};

INSTANTIATE_TEST_SUITE_P(Kinds, CacheManager, testing::Values(ImageLibKindWIL, ImageLibKindSIL),
                         [](const auto& info) { return info.param == ImageLibKindWIL ? "WIL" : "SIL"; });

TEST(CacheSettings, ReMapsPauseTwentyMillisecondsByDefault)
{
    EXPECT_EQ(TImageCacheSettings{}.RemapPauseMs, 20u);
    EXPECT_EQ((TImageCacheSettings{"C:\\client\\", {}}.RemapPauseMs), 20u) << "a folder and a clock keep the default";
}

TEST_P(CacheManager, EntriesOfTheLibrary)
{
    auto manager = Make(device.Get());
    ASSERT_EQ(manager->Cache(0)->Count(), Entries0());
    const struct {
        int32_t Index;
        bool Texture;
        uint16_t W, H;
        int16_t X, Y;
    } rows[] = {
        {0, true, 4, 2, 3, -2},
        {1, false, 0, 0, 0, 0},  // index entry 0: never a texture, however often asked
        {2, true, 2, 3, -7, 5},
    };
    for (int round = 0; round < 2; ++round)
        for (const auto& row : rows) {
            const TImageHeaderD3D e = manager->GetImage(0, row.Index);
            EXPECT_EQ(e.Loaded(), row.Texture) << row.Index;
            EXPECT_EQ(e.Width, row.W) << row.Index;
            EXPECT_EQ(e.Height, row.H) << row.Index;
            EXPECT_EQ(e.OffsetX, row.X) << row.Index;
            EXPECT_EQ(e.OffsetY, row.Y) << row.Index;
        }
    // A second lookup serves the same texture; it is not decoded again.
    EXPECT_EQ(manager->GetImage(0, 0).Texture.Get(), manager->GetImage(0, 0).Texture.Get());
    const testsupport::TTexels texels = testsupport::ReadTexels(manager->GetImage(0, 0).Texture.Get());
    ASSERT_FALSE(texels.Argb.empty());
    EXPECT_EQ(texels.At(0, 0) & 0xFF000000u, 0xFF000000u);
}

TEST_P(CacheManager, EmptyEntryForWhatCannotBeServed)
{
    auto manager = Make(device.Get());
    const TCacheTicks before = manager->Cache(0)->Ticks();
    clock += 60000;  // a lookup that reached the sweep would run it now
    const struct {
        int32_t Library, Index;
    } rows[] = {
        {0, -1}, {0, Entries0()}, {0, 1000}, {0, INT_MIN}, {0, INT_MAX},
        {1, 0},    // no cache built
        {74, 0},   // no cache built, no file
        {75, 0}, {76, 0}, {-1, 0}, {INT_MIN, 0},
    };
    for (const auto& row : rows) {
        const TImageHeaderD3D e = manager->GetImage(row.Library, row.Index);
        EXPECT_FALSE(e.Loaded()) << row.Library << "/" << row.Index;
        EXPECT_EQ(e.Width + e.Height + std::abs(e.OffsetX) + std::abs(e.OffsetY) + int64_t(e.Stamp), 0) << row.Library << "/" << row.Index;
    }
    EXPECT_EQ(manager->Cache(0)->Ticks().LastSweep, before.LastSweep) << "an index outside swept the cache";
}

TEST_P(CacheManager, PickerCountReachesTheLastImage)
{
    auto manager = Make(device.Get());
    manager->BuildCache(74);  // missing pair: a cache of no entries
    const struct {
        int32_t Library, Count;
    } rows[] = {{0, 3}, {15, 1}, {74, 0}, {1, 0}, {75, 0}, {-1, 0}};
    for (const auto& row : rows) EXPECT_EQ(manager->GetImageCount(row.Library), row.Count) << row.Library;
    EXPECT_EQ(manager->Cache(74)->Count(), 0);
    EXPECT_FALSE(manager->GetImage(74, 0).Loaded());
}

TEST_P(CacheManager, ACopyOutlivesTheCacheAndReloadAllRecreates)
{
    auto manager = Make(device.Get());
    const TImageHeaderD3D held = manager->GetImage(0, 0);
    ASSERT_TRUE(held.Loaded());
    manager->ReloadAll();
    EXPECT_FALSE(manager->Cache(0)->Entry(0).Loaded()) << "ReloadAll must release the cache's textures";
    EXPECT_EQ(manager->Cache(0)->Count(), Entries0());
    EXPECT_FALSE(testsupport::ReadTexels(held.Texture.Get()).Argb.empty()) << "the held copy must stay usable";
    const TImageHeaderD3D again = manager->GetImage(0, 0);
    ASSERT_TRUE(again.Loaded()) << "the library must be mapped again";
    EXPECT_NE(again.Texture.Get(), held.Texture.Get());
    manager.reset();
    EXPECT_FALSE(testsupport::ReadTexels(held.Texture.Get()).Argb.empty()) << "...even after the manager is gone";
}

TEST_P(CacheManager, SweepAndRemapAcrossTheWrap)
{
    auto manager = Make(device.Get());
    TImageCache& cache = *manager->Cache(0);
    const uint32_t created = clock;
    const ComPtr<IDirect3DTexture9> first = manager->GetImage(0, 0).Texture;
    ASSERT_TRUE(manager->GetImage(0, 2).Loaded());

    // Image 0 is looked up every 40 s, image 2 never again. Rows: seconds after creation, whether that lookup
    // sweeps (and re-maps), whether image 2 is still held afterwards.
    const struct {
        uint32_t Seconds;
        bool Sweeps;
        bool Image2Held;
    } rows[] = {
        {40, false, true},    // not more than 46 s since the creation
        {80, true, true},     // past the wrap; sweeps, both young
        {120, false, true},   // 40 s after that sweep
        {160, true, true},
        {200, false, true},
        {240, true, true},
        {280, false, true},
        {320, true, true},    // image 2 is 320 s old, but this sweep measures from its own tick: 320 > 300
    };
    for (const auto& row : rows) {
        clock = created + row.Seconds * 1000;
        const TCacheTicks before = cache.Ticks();
        const TImageHeaderD3D e = manager->GetImage(0, 0);
        ASSERT_TRUE(e.Loaded()) << row.Seconds;
        EXPECT_EQ(e.Stamp, clock) << "the entry's last use";
        EXPECT_EQ(cache.Ticks().LastSweep != before.LastSweep, row.Sweeps) << row.Seconds;
        EXPECT_EQ(cache.Ticks().LastRemap != before.LastRemap, row.Sweeps) << "every sweep re-maps, " << row.Seconds;
        if (row.Seconds < 320) {
            EXPECT_EQ(cache.Entry(2).Loaded(), row.Image2Held) << row.Seconds;
        }
    }
    EXPECT_FALSE(cache.Entry(2).Loaded()) << "image 2, unused for 320 s, must be dropped";
    EXPECT_EQ(manager->GetImage(0, 0).Texture.Get(), first.Get()) << "image 0, in use, must never be dropped";
    EXPECT_TRUE(manager->GetImage(0, 2).Loaded()) << "after the re-maps the library still decodes";
}

TEST_P(CacheManager, BitmapsAndTheirErrorLine)
{
    auto manager = Make(device.Get());
    const std::string line = "ERROR::NGL::Cache::GBPI001";
    const struct {
        int32_t Library, Index;
        bool Decoded;
        bool Logged;
    } rows[] = {
        {0, 0, true, false},
        {0, 1, false, false},  // an empty index entry is no error
        {0, 2, true, false},
        {0, Entries0(), false, true},
        {0, -1, false, true},
        {1, 0, false, true},   // no cache
        {75, 0, false, true},
        {-5, 0, false, true},
    };
    int logged = 0;
    for (const auto& row : rows) {
        TImageBitmapRecord record;
        record.Info1 = 0xBEEF;
        EXPECT_EQ(manager->GetImageBitmap(row.Library, row.Index, record), row.Decoded) << row.Library << "/" << row.Index;
        if (row.Decoded) {
            EXPECT_NE(record.Bitmap, nullptr);
            EXPECT_EQ(record.Width, Library0[size_t(row.Index)]->W);
        } else {
            EXPECT_EQ(record.Bitmap, nullptr);
            EXPECT_EQ(record.Info1, 0xBEEF) << "a failed decode keeps the record";
        }
        logged += row.Logged;
        EXPECT_EQ(CountInFile(LogPath(), line), logged) << row.Library << "/" << row.Index;
    }
    EXPECT_EQ(CountInFile(LogPath(), "Error::NGL::GetBMPPTRImage"), 0) << "the second text is not written";
}

TEST_P(CacheManager, NoDeviceMeansNoTexturesButBitmaps)
{
    auto manager = Make(nullptr);
    EXPECT_FALSE(manager->GetImage(0, 0).Loaded());
    EXPECT_EQ(manager->GetImageCount(0), 3);
    TImageBitmapRecord record;
    EXPECT_TRUE(manager->GetImageBitmap(0, 2, record));
    EXPECT_EQ(record.Height, 3);
    manager->ReloadAll();
    EXPECT_FALSE(manager->GetImage(0, 2).Loaded());
}

// ---- outside the kinds -----------------------------------------------------------------------------------------

class CacheManagerPlain : public testing::Test {
protected:
    void TearDown() override { ImageLibKind = ImageLibKindWIL; }
    std::string Folder() const { return dir.path().string() + "\\"; }
    testsupport::TempDir dir;
    testsupport::TTestDevice device;
};

TEST_F(CacheManagerPlain, UnknownKindGivesCachesWithoutImages)
{
    WriteLibrary(Folder(), 0, ImageLibKindWIL, Library0);
    ImageLibKind = 2;
    TImageCacheManager manager(nullptr, device.Get(), {Folder(), {}});
    manager.BuildCache(0);
    ASSERT_NE(manager.Cache(0), nullptr);
    EXPECT_EQ(manager.Cache(0)->Count(), 0);
    EXPECT_EQ(manager.GetImageCount(0), 0);
    EXPECT_FALSE(manager.GetImage(0, 0).Loaded());
    TImageBitmapRecord record;
    EXPECT_FALSE(manager.GetImageBitmap(0, 0, record));
    manager.ReloadAll();
}

TEST_F(CacheManagerPlain, LogLevels)
{
    const std::string path = dir.file("levels.log");
    {
        TLogEngine log("CacheTest", "1.0", path);
        TImageCacheManager manager(&log, nullptr, {Folder(), {}});
        EXPECT_FALSE(log.Option);
        const struct {
            int32_t Level;
            const char* Message;
        } rows[] = {{0, "m-info"}, {1, "m-warn"}, {2, "m-error"}, {3, "m-debug"}, {4, "m-none"}, {-1, "m-neg"}};
        for (const auto& row : rows) {
            log.Option = true;
            manager.Log(row.Message, "second-text", row.Level);
            EXPECT_FALSE(log.Option) << row.Level;
        }
    }
    const struct {
        const char* Line;
        int Count;
    } expected[] = {
        {" - [INFO]  - Inite Image Cache Manager done..", 1},
        {" - [INFO]  - m-info", 1},
        {" - [WARN]  - m-warn", 1},
        {" - [ERROR] - m-error", 1},
        {" - [DEBUG]  - m-debug", 1},
        {"m-none", 0},
        {"m-neg", 0},
        {"second-text", 0},
    };
    for (const auto& row : expected) EXPECT_EQ(CountInFile(path, row.Line), row.Count) << row.Line;
}

// ---- the loader ------------------------------------------------------------------------------------------------

TEST_F(CacheManagerPlain, LoaderBuildsInOrderAndEndsByItself)
{
    WriteLibrary(Folder(), 0, ImageLibKindWIL, Library0);
    WriteLibrary(Folder(), 15, ImageLibKindWIL, Library15);
    TImageCacheManager manager(nullptr, device.Get(), {Folder(), {}});
    EXPECT_FALSE(manager.GetImage(0, 0).Loaded()) << "no cache before the loader built it";
    ASSERT_TRUE(manager.StartLoader());
    EXPECT_FALSE(manager.StartLoader());
    bool ordered = true;
    int observedBuilt = 0;
    const bool ended = runtimetest::PumpUntil(
        [&] {
            // The built caches always form a prefix 0 .. k - 1.
            int built = 0;
            while (built < ImageLibraryCount && manager.Cache(built)) ++built;
            for (int n = built; n < ImageLibraryCount; ++n)
                if (manager.Cache(n)) ordered = false;
            observedBuilt = built;
            return !manager.LoaderRunning();
        },
        30000);
    ASSERT_TRUE(ended) << "the loader must end by itself; " << observedBuilt << " caches built";
    EXPECT_TRUE(ordered);
    for (int n = 0; n < ImageLibraryCount; ++n) EXPECT_NE(manager.Cache(n), nullptr) << n;
    EXPECT_TRUE(manager.GetImage(0, 0).Loaded());
    EXPECT_TRUE(manager.GetImage(15, 0).Loaded());
    EXPECT_EQ(manager.GetImageCount(14), 0);
}

TEST_F(CacheManagerPlain, FreedWhileLoading)
{
    WriteLibrary(Folder(), 0, ImageLibKindWIL, Library0);
    // Freed before any step ran, after a few steps, and with a step queued but not served.
    for (DWORD pumpMs : {0u, 30u, 120u}) {
        auto manager =
            std::make_unique<TImageCacheManager>(nullptr, device.Get(), TImageCacheSettings{Folder(), {}, 0});
        ASSERT_TRUE(manager->StartLoader());
        if (pumpMs) runtimetest::PumpFor(pumpMs);
        else Sleep(30);
        EXPECT_TRUE(manager->LoaderRunning()) << pumpMs;
        manager.reset();
    }
    runtimetest::PumpFor(50);  // a released step must not run later against the freed manager
}

}  // namespace
