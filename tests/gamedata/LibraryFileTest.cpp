// The pairing of a library's two files by either name; the image-library readers' own parts over real files under
// Wine (what the caches show of both readers is tested there): opening a pair by either file, Reload after the
// library shrank (shared by both readers, shown on the WIL reader), a library of unknown version, the staging file
// "x.tmp" and a SIL record whose PNG is damaged; a library cut short while mapped, in both kinds; the faults the
// readers' guard answers and those it leaves to the program; then the SIL writer.
#include "gamedata/MappedFile.h"
#include "gamedata/uBase_SIL_File.h"
#include "gamedata/uBase_WIL_File.h"

#include "Common/Dev_LogEngineClass.h"
#include "classlib/Application.h"
#include "classlib/Graphics.h"
#include "classlib/core/SysUtils.h"
#include "tests/classlib/RuntimeTestSupport.h"
#include "tests/fixtures/core/SilFixture.h"
#include "tests/gamedata/ImageTestSupport.h"
#include "tests/gamedata/TestDevice.h"
#include "tests/support/TempDir.h"
#include "tests/support/UnixFileCut.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <functional>
#include <new>
#include <optional>
#include <thread>
#include <tuple>

using namespace fixtures;

namespace {

// ---- Pairing a library's two files -----------------------------------------------------------------------------

TEST(LibraryPairing, EitherExtensionNamesThePair)
{
    struct Case {
        const char* path;
        const char* dataExt;
        const char* indexExt;
        const char* data;
        const char* index;
    };
    const Case cases[] = {
        {"C:\\Game\\Data\\Tilesc.wil", ".wil", ".wix", "C:\\Game\\Data\\Tilesc.wil", "C:\\Game\\Data\\Tilesc.wix"},
        {"Data\\Tilesc.WIL", ".wil", ".wix", "Data\\Tilesc.WIL", "Data\\Tilesc.wix"},
        {"Data\\Tilesc.wix", ".wil", ".wix", "Data\\Tilesc.wil", "Data\\Tilesc.wix"},
        {"Data\\Tilesc.WiX", ".wil", ".wix", "Data\\Tilesc.wil", "Data\\Tilesc.WiX"},
        {"Data\\Snow\\Tiles30c.sil", ".sil", ".six", "Data\\Snow\\Tiles30c.sil", "Data\\Snow\\Tiles30c.six"},
        {"Data\\Snow\\Tiles30c.SIL", ".sil", ".six", "Data\\Snow\\Tiles30c.SIL", "Data\\Snow\\Tiles30c.six"},
        {"Data\\Snow\\Tiles30c.SIX", ".sil", ".six", "Data\\Snow\\Tiles30c.sil", "Data\\Snow\\Tiles30c.SIX"},
        // Only the extension after the last delimiter counts; any other path is taken as the index file.
        {"Data\\x.wil\\lib.dat", ".wil", ".wix", "Data\\x.wil\\lib.wil", "Data\\x.wil\\lib.dat"},
        {"ab", ".sil", ".six", ".sil", "ab"},
    };
    for (const Case& c : cases) {
        const TLibraryFiles files = PairLibraryFiles(c.path, c.dataExt, c.indexExt);
        EXPECT_EQ(files.DataPath, c.data) << c.path;
        EXPECT_EQ(files.IndexPath, c.index) << c.path;
    }
}

// ---- The WIL reader --------------------------------------------------------------------------------------------

class WilFile : public testing::Test {
protected:
    std::string Write(const WilLibrary& lib, const std::string& name = "lib")
    {
        EXPECT_TRUE(WriteWilLibrary(lib, dir.file(name)));
        return dir.file(name + ".wil");
    }
    testsupport::TempDir dir;
};

// Windows refuses to truncate a file while a view of it is mapped, so the library can only shrink while Reload has
// released its views: a helper thread keeps trying to write the shrunk file while Reload runs again and again.
// Image 1 keeps its header and loses the rest; the reader reads only to the file's new end.
TEST_F(WilFile, ReloadReadsAShrunkFileOnlyToItsNewEnd)
{
    const WilLibrary lib = BuildWilLibrary(17, {MakeWilImage(16, 16, Opaque(1)), MakeWilImage(16, 16, Opaque(2))});
    const std::string path = Write(lib);
    const std::vector<uint8_t> shrunk(lib.Wil.begin(), lib.Wil.begin() + ReadU32(lib.Wix, WilIndexAt(lib, 1)) + 20);
    TWILFile reader;
    ASSERT_TRUE(reader.Open(path));
    std::atomic<bool> written{false}, stop{false};
    std::thread writer([&] {
        while (!stop && !(written = WriteBytesToFile(path, shrunk)))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    for (int i = 0; i < 50 && !written; ++i) reader.Reload();
    stop = true;
    writer.join();
    ASSERT_TRUE(written) << "the data file was never free to rewrite";
    reader.Reload();  // the write may have landed while a Reload mapped the file half written
    ASSERT_EQ(std::filesystem::file_size(path), shrunk.size());
    EXPECT_EQ(reader.GetCount(), 2);
    TImageBitmapRecord record;
    EXPECT_EQ(reader.DecodeFrameBitmap(0, record), TImageDecodeStatus::Decoded);
    EXPECT_EQ(reader.DecodeFrameBitmap(1, record), TImageDecodeStatus::Damaged);
}

// A library of unknown version opens, by either file in any case, with its N but no images; a pair that cannot be
// opened leaves the reader cleared.
TEST_F(WilFile, UnknownVersionOpensWithoutImagesAndAHalfPairNotAtAll)
{
    WilLibrary lib = BuildWilLibrary(17, testsupport::TestImages());
    PutLE16(lib.Wil, kWilVersionAt, 16);
    Write(lib);
    TWILFile file;
    ASSERT_TRUE(file.Open(dir.file("lib.WIX")));
    EXPECT_EQ(file.FileName(), dir.file("lib.WIX"));
    EXPECT_EQ(std::tuple(file.GetCount(), file.CountImages(), file.PickerCount()), std::tuple(5, 0, 0));
    TImageBitmapRecord record;
    EXPECT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::Damaged);
    ASSERT_TRUE(WriteBytesToFile(dir.file("empty.wil"), {}));
    ASSERT_TRUE(WriteBytesToFile(dir.file("empty.wix"), lib.Wix));
    for (const char* other : {"lib.xyz", "empty.Wil"}) {
        EXPECT_FALSE(file.Open(dir.file(other))) << other;
        EXPECT_EQ(std::tuple(file.GetCount(), file.CountImages(), file.FileName()), std::tuple(0, 0, "")) << other;
        EXPECT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::NoImage) << other;
    }
}

// An encoder that fails by returning false or, when told to, by running out of memory.
class TFailingEncoderWil : public TWILFile {
public:
    explicit TFailingEncoderWil(bool throws) : Throws(throws) {}

protected:
    bool EncodeCanvas(std::vector<uint8_t>&, uint8_t) override { return Throws ? throw std::bad_alloc() : false; }

private:
    bool Throws;
};

// The only test writing "x.tmp" beside this program. Written fills the record's first 13 bytes and puts the
// canvas in the file (its pixels are those of the cache textures); no image, damage, an index outside (the
// conversion asks for N and N + 1) and an image that cannot be encoded are NoImage with the record untouched; a
// file that cannot be written is WriteFailed. Each failure but the empty entry is logged.
TEST_F(WilFile, MakePngTellsWrittenNoImageAndFailedWrite)
{
    const std::string target = TWILFile::TempPngPath();
    std::filesystem::remove_all(target);
    const std::string logPath = dir.file("wil.log");
    auto log = std::make_unique<TLogEngine>("WilFileTest", "1", logPath);
    TWILFile file;
    TFailingEncoderWil failing[] = {TFailingEncoderWil(false), TFailingEncoderWil(true)};
    ASSERT_TRUE(file.Open(Write(BuildWilLibrary(17, testsupport::TestImages()))));
    file.SetLog(log.get());
    TSILImageRecord record{};
    record.PngLength = 0xA5A5A5A5u;
    ASSERT_EQ(file.DecodeFrame32MakePNG(0, record, 4), TMakePngResult::Written);
    const uint8_t header[17] = {6, 0, 2, 0, 3, 0, 0xFE, 0xFF, 0x11, 0x33, 0x22, 0x55, 0x44, 0xA5, 0xA5, 0xA5, 0xA5};
    EXPECT_EQ(std::memcmp(&record, header, sizeof header), 0) << "the length is the writer's";
    TPngImage png;
    ASSERT_TRUE(png.LoadFromMemory(ReadFileBytes(target)));
    ASSERT_EQ(std::pair(png.Width(), png.Height()), std::pair(8u, 2u));

    for (int32_t index : {1, 3, 5, 6}) EXPECT_EQ(file.DecodeFrame32MakePNG(index, record, 4), TMakePngResult::NoImage);
    for (TFailingEncoderWil& encoder : failing) {
        ASSERT_TRUE(encoder.Open(file.FileName()));
        encoder.SetLog(log.get());
        EXPECT_EQ(encoder.DecodeFrame32MakePNG(0, record, 4), TMakePngResult::NoImage);
    }
    EXPECT_EQ(std::memcmp(&record, header, sizeof header), 0) << "no half-filled record";
    std::filesystem::remove_all(target);
    std::filesystem::create_directory(target);
    EXPECT_EQ(file.DecodeFrame32MakePNG(0, record, 4), TMakePngResult::WriteFailed);
    std::filesystem::remove_all(target);
    log.reset();
    for (int32_t index : {3, 5, 6, 0})
        EXPECT_EQ(testsupport::CountInFile(logPath, "TWILFile::DecodeFrame32MakePNG::UNKNOW_FILE_ERROR-Index:" +
                                                        std::to_string(index) + "-File:" + file.FileName()),
                  index == 0 ? 3 : 1)
            << index;
    EXPECT_EQ(testsupport::CountInFile(logPath, "Index:1-"), 0) << "an empty entry logs nothing";
}

// ---- The SIL reader --------------------------------------------------------------------------------------------

// A record larger than its PNG: the bitmap takes the record's size, the PNG's pixels at its top left and black
// beyond them, where the PNG has nothing to read.
TEST(SilFile, ABitmapLargerThanItsPngIsBlackBeyondIt)
{
    testsupport::TempDir dir;
    const SilLibrary lib = BuildSilLibrary({MakeSilImage(4, 3, MakeSilPng(2, 2, 0xFF0000FFu))}, 1);
    ASSERT_TRUE(WriteSilLibrary(lib, dir.file("lib")));
    TSILFile file;
    ASSERT_TRUE(file.Open(dir.file("lib.sil")));
    TImageBitmapRecord record;
    ASSERT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::Decoded);
    ASSERT_EQ(std::pair(record.Bitmap->Width(), record.Bitmap->Height()), std::pair(4, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(reinterpret_cast<const uint16_t*>(record.Bitmap->ScanLine(y))[x], x < 2 && y < 2 ? 0xF800 : 0)
                << x << "," << y;
}

// A record whose PNG bytes are damaged inside the image data: DecodeFrame32D3D still answers Decoded with the
// record's size and offsets but no texture (the cache decodes such an entry again on its next request), while
// DecodeFrameBitmap of the same record answers Damaged. The intact row shows the device does make textures here.
TEST(SilFile, ADamagedPngGivesNoTextureAndADamagedBitmap)
{
    testsupport::TTestDevice device;
    ASSERT_NE(device.Get(), nullptr);
    const std::vector<uint8_t> intact = MakeSilPng(8, 8, 0xFF3366CCu, {{3, 4, 0xFF00FF00u}});
    const auto idat = std::search(intact.begin(), intact.end(), std::begin("IDAT"), std::end("IDAT") - 1);
    ASSERT_NE(idat, intact.end());
    const size_t data = size_t(idat - intact.begin()) + 4;  // the chunk's first data byte
    std::vector<uint8_t> flipped = intact;
    flipped[data + 2] ^= 0x5A;
    const std::vector<uint8_t> truncated(intact.begin(), intact.begin() + ptrdiff_t(data + 3));
    const struct {
        const char* Name;
        const std::vector<uint8_t>& Png;
        bool Intact;
    } rows[] = {{"intact", intact, true}, {"IDAT byte flipped", flipped, false}, {"IDAT cut short", truncated, false}};
    for (const auto& row : rows) {
        testsupport::TempDir dir;
        SilImage image = MakeSilImage(8, 8, row.Png);
        image.Header.OffsetX = -3;
        image.Header.OffsetY = 5;
        ASSERT_TRUE(WriteSilLibrary(BuildSilLibrary({image}, 1), dir.file("lib"))) << row.Name;
        TSILFile file;
        ASSERT_TRUE(file.Open(dir.file("lib.sil"))) << row.Name;
        file.SetDevice(device.Get());
        TImageHeaderD3D entry;
        TImageDecodeStatus status = TImageDecodeStatus::Damaged;
        EXPECT_NO_THROW(status = file.DecodeFrame32D3D(0, entry)) << row.Name;
        EXPECT_EQ(status, TImageDecodeStatus::Decoded) << row.Name;
        EXPECT_EQ(std::tuple(entry.Width, entry.Height, entry.OffsetX, entry.OffsetY), std::tuple(8, 8, -3, 5))
            << row.Name;
        EXPECT_EQ(entry.Texture.Get() != nullptr, row.Intact) << row.Name;
        TImageBitmapRecord record;
        EXPECT_EQ(file.DecodeFrameBitmap(0, record),
                  row.Intact ? TImageDecodeStatus::Decoded : TImageDecodeStatus::Damaged)
            << row.Name;
    }
}

// ---- A library cut short while mapped -----------------------------------------------------------------------------

// One reader of either kind, through what the caches ask of it.
struct TCutReader {
    TImageLibraryFile& File;
    std::function<TImageDecodeStatus(TImageHeaderD3D&)> Texture;  // of image 0
    std::function<TImageDecodeStatus(TImageBitmapRecord&)> Bitmap;  // of image 0
    std::function<std::vector<int32_t>()> Counts;  // the one that reads the views first
};

// Another program cuts the data file to nothing while the reader maps it: the pages of the view are gone and any
// read of them faults. Whichever read meets the fault first (a texture, a bitmap, the count that reads the views),
// it answers as for a missing image and the views count as failed; every read after it answers NoImage, and the
// counts stay as they were (the WIL picker count becomes N). Made whole again, the file is not read (the reads
// still answer NoImage) until Reload maps it again.
TEST(LibraryCutShort, ItsImagesAreMissingUntilItIsMappedAgain)
{
    testsupport::TTestDevice device;
    ASSERT_NE(device.Get(), nullptr);
    enum TFirst { Texture, Bitmap, Counts };
    for (const int32_t kind : {ImageLibKindWIL, ImageLibKindSIL})
        for (const TFirst first : {Texture, Bitmap, Counts}) {
            SCOPED_TRACE(std::string(kind == ImageLibKindWIL ? "WIL" : "SIL") + ", first read " +
                         (first == Texture ? "texture" : first == Bitmap ? "bitmap" : "counts"));
            testsupport::TempDir dir;
            ASSERT_TRUE(testsupport::WriteTestLibrary(dir.file("lib"), kind, testsupport::TestImages()));
            TWILFile wil;
            TSILFile sil;
            const TCutReader reader =
                kind == ImageLibKindWIL
                    ? TCutReader{wil, [&](TImageHeaderD3D& e) { return wil.DecodeFrame32Draw(0, e); },
                                 [&](TImageBitmapRecord& r) { return wil.DecodeFrameBitmap(0, r); },
                                 [&] { return std::vector{wil.PickerCount(), wil.GetCount(), wil.CountImages()}; }}
                    : TCutReader{sil, [&](TImageHeaderD3D& e) { return sil.DecodeFrame32D3D(0, e); },
                                 [&](TImageBitmapRecord& r) { return sil.DecodeFrameBitmap(0, r); },
                                 [&] { return std::vector{sil.GetCount(), sil.ImageCount()}; }};
            const std::string data = dir.file(kind == ImageLibKindWIL ? "lib.wil" : "lib.sil");
            ASSERT_TRUE(kind == ImageLibKindWIL ? wil.Open(data) : sil.Open(data));
            reader.File.SetDevice(device.Get());
            std::vector<int32_t> counts = reader.Counts();
            if (kind == ImageLibKindWIL) counts[0] = counts[1];
            const std::vector<uint8_t> whole = ReadFileBytes(data);
            ASSERT_TRUE(testsupport::CutFileShortFromUnix(data, 0));

            TImageHeaderD3D entry;
            TImageBitmapRecord record;
            switch (first) {
            case Texture: EXPECT_EQ(reader.Texture(entry), TImageDecodeStatus::NoImage); break;
            case Bitmap: EXPECT_EQ(reader.Bitmap(record), TImageDecodeStatus::NoImage); break;
            case Counts: EXPECT_EQ(reader.Counts(), counts); break;
            }
            EXPECT_TRUE(reader.File.ViewsFailed());
            EXPECT_EQ(reader.Texture(entry), TImageDecodeStatus::NoImage);
            EXPECT_EQ(reader.Bitmap(record), TImageDecodeStatus::NoImage);
            EXPECT_EQ(std::tuple(entry.Width, entry.Loaded(), record.Width, bool(record.Bitmap)),
                      std::tuple(0, false, 0, false));
            EXPECT_EQ(reader.Counts(), counts);

            ASSERT_TRUE(testsupport::WriteOverFile(data, whole));
            EXPECT_EQ(reader.Bitmap(record), TImageDecodeStatus::NoImage) << "whole again, but not mapped again";
            ASSERT_TRUE(reader.File.Reload(0));
            EXPECT_FALSE(reader.File.ViewsFailed());
            EXPECT_EQ(reader.Texture(entry), TImageDecodeStatus::Decoded);
            EXPECT_EQ(reader.Bitmap(record), TImageDecodeStatus::Decoded);
            EXPECT_EQ(std::tuple(entry.Width, entry.Loaded(), record.Width, bool(record.Bitmap)),
                      std::tuple(6, true, 6, true));
        }
}

// Cut just past the page that holds the headers while the library is mapped: the headers, the index and the
// image's own header still read, and the image's bytes (the WIL rows, the SIL record's PNG) fault where they are
// read. That read answers: the image is missing and the views have failed.
TEST(LibraryCutShort, PastItsFirstPageTheImagesOwnBytesFault)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    // Noise compresses badly: the image's bytes run over several pages in either kind.
    WilImage noise = MakeWilImage(64, 64);
    for (size_t i = 0; i < noise.Pixels.size(); ++i) noise.Pixels[i] = Opaque(uint16_t(i * 2654435761u >> 13));
    for (const int32_t kind : {ImageLibKindWIL, ImageLibKindSIL}) {
        SCOPED_TRACE(kind == ImageLibKindWIL ? "WIL" : "SIL");
        testsupport::TempDir dir;
        ASSERT_TRUE(testsupport::WriteTestLibrary(dir.file("lib"), kind, {noise}));
        const std::string data = dir.file(kind == ImageLibKindWIL ? "lib.wil" : "lib.sil");
        ASSERT_GT(std::filesystem::file_size(data), 2 * system.dwPageSize);
        TWILFile wil;
        TSILFile sil;
        TImageLibraryFile& file = kind == ImageLibKindWIL ? static_cast<TImageLibraryFile&>(wil) : sil;
        ASSERT_TRUE(kind == ImageLibKindWIL ? wil.Open(data) : sil.Open(data));
        ASSERT_TRUE(testsupport::CutFileShortFromUnix(data, system.dwPageSize));

        TImageBitmapRecord record;
        EXPECT_EQ(kind == ImageLibKindWIL ? wil.DecodeFrameBitmap(0, record) : sil.DecodeFrameBitmap(0, record),
                  TImageDecodeStatus::NoImage);
        EXPECT_TRUE(file.ViewsFailed());
    }
}

// ---- The readers' guard ----------------------------------------------------------------------------------------

// A reader whose test reads the views as the decoders do, through ReadViews.
class TReadingWil : public TWILFile {
public:
    using TImageLibraryFile::ReadViews;
    const TMappedFile& Data() const { return DataView; }
    const TMappedFile& Index() const { return IndexView; }
};

// Raises Code with the parameters of a read at At that failed because its device went away.
void RaiseFaultAt(DWORD Code, const void* At)
{
    const ULONG_PTR info[3] = {0, reinterpret_cast<ULONG_PTR>(At), ULONG_PTR(0xC000009D)};
    RaiseException(Code, 0, 3, info);
}

// A fault inside a read of the views, in a window procedure. An access violation or an in-page error (what Windows
// raises for a mapped file on a drive that went away) at an address inside either view is the files' failure: the
// read answers false, the views have failed, nothing is reported. Any other fault is the program's: it ends the
// window procedure, where the platform drops it, it is reported as the window procedure's, and the views stay good.
TEST(LibraryGuard, AnswersOnlyTheFaultsOfItsOwnViews)
{
    const struct {
        const char* Name;
        bool CutFirst;  // the data file cut to nothing from the Unix side before the read
        void (*Read)(const TReadingWil&);
        const char* Reported;  // the report's start; null when the read answers the fault
    } rows[] = {
        {"a read of the data file cut short", true,
         [](const TReadingWil& r) { (void)*static_cast<const volatile uint8_t*>(r.Data().Data()); }, nullptr},
        {"an in-page error at the index view's last byte", false,
         [](const TReadingWil& r) {
             RaiseFaultAt(EXCEPTION_IN_PAGE_ERROR, r.Index().Data() + r.Index().Size() - 1);
         },
         nullptr},
        {"an access violation just past the data view", false,
         [](const TReadingWil& r) { RaiseFaultAt(EXCEPTION_ACCESS_VIOLATION, r.Data().Data() + r.Data().Size()); },
         "Access violation (C0000005)"},
        {"a division by zero whose record names the data view", false,
         [](const TReadingWil& r) { RaiseFaultAt(EXCEPTION_INT_DIVIDE_BY_ZERO, r.Data().Data()); },
         "Division by zero (C0000094)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        testsupport::TempDir dir;
        ASSERT_TRUE(testsupport::WriteTestLibrary(dir.file("lib"), ImageLibKindWIL, testsupport::TestImages()));
        TReadingWil reader;
        ASSERT_TRUE(reader.Open(dir.file("lib.wil")));
        if (row.CutFirst) {
            ASSERT_TRUE(testsupport::CutFileShortFromUnix(dir.file("lib.wil"), 0));
        }
        runtimetest::TReportCapture capture;
        std::optional<bool> answered;
        runtimetest::TMovedWindow window;
        window.Action = [&] { answered = reader.ReadViews([&] { row.Read(reader); }); };
        window.Move();
        Application->ProcessMessages();

        EXPECT_EQ(reader.ViewsFailed(), !row.Reported);
        if (!row.Reported) {
            EXPECT_EQ(answered, false);
            EXPECT_TRUE(capture.Reports.empty());
            continue;
        }
        EXPECT_EQ(answered, std::nullopt) << "the fault left the read";
        EXPECT_EQ(capture.Reports.size(), 1u);
        const std::string report = capture.Reports.empty() ? "" : capture.Reports[0].Text;
        EXPECT_THAT(report, testing::StartsWith(row.Reported));
        EXPECT_THAT(report, testing::HasSubstr("in the window procedure of"));
        TImageBitmapRecord record;
        EXPECT_EQ(reader.DecodeFrameBitmap(0, record), TImageDecodeStatus::Decoded);
    }
}

// ---- The SIL writer --------------------------------------------------------------------------------------------

// What the conversion does for a library of five source entries whose images are 0 and 2: each staged PNG file is
// consumed, the files equal a library built from the layout, the count is the last added index + 1. An AddImage
// that fails (no staged file, or a record that would start past the offset limit: here the start of image 2)
// appends nothing and leaves the staged file to the caller.
TEST(SilWriter, WritesTheLayoutAndRefusesWhatItCannotAdd)
{
    testsupport::TempDir dir;
    const std::string base = dir.file("lib");
    const std::string staging = dir.file("x.tmp");
    std::vector<std::optional<SilImage>> entries(5);
    for (size_t i : {0, 2}) {
        entries[i] = MakeSilImage(uint16_t(6 - i * 2), 2, MakeSilPng(uint32_t(6 - i * 2), 2, 0xFF0000FFu));
        entries[i]->Header = TSILImageRecord{uint16_t(6 - i * 2), 2, -4, 12, 0x5A, uint16_t(i), 0x2468, 0};
    }
    TSILFile writer(26 + 17 + entries[0]->Png.size());
    writer.SetStagingFile(staging);
    writer.CreateNew(base, 2);
    EXPECT_EQ(ReadFileBytes(base + ".six"), BuildSilLibrary({}, 2).Six);
    for (const auto& entry : entries) {
        if (!entry) {
            writer.AddEmptyEntry();
            continue;
        }
        TSILImageRecord record = entry->Header;
        EXPECT_EQ(writer.AddImage(record), SilAddImageFailed) << "no staged file";
        ASSERT_TRUE(WriteBytesToFile(staging, entry->Png));
        EXPECT_EQ(writer.AddImage(record), SilAddImageOk);
        EXPECT_EQ(uint32_t(record.PngLength), entry->Png.size());
        EXPECT_FALSE(std::filesystem::exists(staging)) << "the staged file is deleted";
    }
    ASSERT_TRUE(WriteBytesToFile(staging, entries[0]->Png));
    TSILImageRecord record = entries[0]->Header;
    EXPECT_EQ(writer.AddImage(record), SilAddImageFailed) << "past the offset limit";
    EXPECT_TRUE(std::filesystem::exists(staging));
    writer.Finish(base, 2);
    EXPECT_EQ(ReadFileBytes(base + ".sil"), BuildSilLibrary(entries, 3).Sil);
    EXPECT_EQ(ReadFileBytes(base + ".six"), BuildSilLibrary(entries, 3).Six);
    EXPECT_THROW(writer.Finish(dir.file("no-such-folder\\lib"), 0), EStreamError);
}

}  // namespace
