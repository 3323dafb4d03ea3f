// The image caches' failures are error lines with their reason: a lookup and a loader step whose clock fails, a
// library that cannot be mapped again at a sweep or a reload (its files are gone), and one line for each time a
// library's file fails while it is read. Each row runs on a client folder of its own with one library, a log of its
// own and no device.
#include "gamedata/uCache_Manager.h"

#include "Common/Dev_LogEngineClass.h"
#include "tests/classlib/RuntimeTestSupport.h"
#include "tests/fixtures/core/MapFixture.h"
#include "tests/fixtures/core/WilFixture.h"
#include "tests/gamedata/ImageTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/UnixFileCut.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <d3d9.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

struct TClient {
    TClient()
    {
        std::filesystem::create_directories(dir.path() / "Data");
        EXPECT_TRUE(fixtures::WriteWilLibrary(fixtures::BuildWilLibrary(17, {fixtures::MakeWilImage(2, 2)}),
                                              Folder() + "Data\\Tilesc"));
    }
    std::string Folder() const { return dir.path().string() + "\\"; }
    std::string LogText()
    {
        manager.reset();
        log.reset();
        std::ifstream in(dir.file("cache.log"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    testsupport::TempDir dir;
    std::unique_ptr<TLogEngine> log = std::make_unique<TLogEngine>("CacheLogTest", "1", dir.file("cache.log"));
    uint32_t clock = 1000;
    bool clockFails = false;
    std::unique_ptr<TImageCacheManager> manager = std::make_unique<TImageCacheManager>(
        log.get(), nullptr, TImageCacheSettings{Folder(), [this] { return Tick(); }, 0});

    uint32_t Tick() const
    {
        if (clockFails) throw std::runtime_error("clock stopped");
        return clock;
    }
};

void RemoveLibrary(TClient& client)
{
    for (const char* ext : {".wil", ".wix"})
        ASSERT_TRUE(std::filesystem::remove(client.Folder() + "Data\\Tilesc" + ext)) << ext;
}

TEST(CacheLog, FailuresAreErrorLinesWithTheirReason)
{
    struct Row {
        const char* Name;
        std::function<void(TClient&)> Act;
        std::string Expected;  // after " - [ERROR] - "; "<folder>" stands for the client folder
    };
    const Row rows[] = {
        {"lookup",
         [](TClient& c) {
             c.manager->BuildCache(0);
             c.clockFails = true;
             EXPECT_EQ(c.manager->GetImage(0, 0).Width, 0);
         },
         "Image cache: image 0 of library 0 could not be served: clock stopped"},
        {"loader step",
         [](TClient& c) {
             c.clockFails = true;
             ASSERT_TRUE(c.manager->StartLoader());
             EXPECT_TRUE(runtimetest::PumpUntil([&c] { return !c.manager->LoaderRunning(); }, 10000));
         },
         "Image cache loader: library 0 could not be built: clock stopped"},
        {"sweep",
         [](TClient& c) {
             c.manager->BuildCache(0);
             RemoveLibrary(c);
             c.clock += 47000;
             c.manager->GetImage(0, 0);
         },
         "Image cache of library 0: cannot map <folder>Data\\Tilesc.wil again"},
        {"reload",
         [](TClient& c) {
             c.manager->BuildCache(0);
             RemoveLibrary(c);
             c.manager->ReloadAll();
         },
         "Image cache of library 0: cannot map <folder>Data\\Tilesc.wil again"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        TClient client;
        row.Act(client);
        std::string expected = " - [ERROR] - " + row.Expected;
        if (const size_t at = expected.find("<folder>"); at != std::string::npos)
            expected.replace(at, 8, client.Folder());
        const std::string log = client.LogText();
        EXPECT_NE(log.find(expected), std::string::npos) << log;
    }
}

// A library cut short while mapped: the read that meets the fault writes the line. Mapped again whole (by a reload,
// or by a sweep's re-map) and cut short again, it fails again and writes the line again.
TEST(CacheLog, ALibraryThatFailsAgainAfterItWasMappedAgainSaysSoAgain)
{
    const struct {
        const char* Name;
        void (*MapAgain)(TClient&);
    } rows[] = {
        {"reload", [](TClient& c) { c.manager->ReloadAll(); }},
        {"sweep",
         [](TClient& c) {
             c.clock += 47000;
             c.manager->GetImage(0, 0);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TClient client;
        ASSERT_TRUE(client.manager->BuildCache(0));
        const std::string data = client.Folder() + "Data\\Tilesc.wil";
        const std::vector<uint8_t> whole = fixtures::ReadFileBytes(data);
        const std::string line = "Image cache of library 0: cannot read " + data + " any more";
        for (int failure = 1; failure <= 2; ++failure) {
            ASSERT_TRUE(testsupport::CutFileShortFromUnix(data, 0));
            TImageBitmapRecord record;
            EXPECT_FALSE(client.manager->GetImageBitmap(0, 0, record));
            EXPECT_EQ(testsupport::CountInFile(client.dir.file("cache.log"), line), failure);
            ASSERT_TRUE(testsupport::WriteOverFile(data, whole));
            row.MapAgain(client);
        }
    }
}

}  // namespace
