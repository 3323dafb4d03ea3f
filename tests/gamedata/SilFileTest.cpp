// TSILFile over real files: the writer's files, pairing and counts, texture and bitmap outputs, damaged
// libraries, the log texts, Reload, and AddImage's failures.
#include "gamedata/uBase_SIL_File.h"

#include "Common/Dev_LogEngineClass.h"
#include "classlib/Graphics.h"
#include "classlib/core/SysUtils.h"
#include "tests/fixtures/core/SilFixture.h"
#include "tests/gamedata/ImageTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace fixtures;

namespace {

constexpr uint32_t Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16 | uint32_t(a) << 24;
}

// An 8 x 2 canvas (the PNG as the WIL decoder writes it) of a 6 x 2 image: opaque black background, row 0 holds
// red, semi-transparent white and an opaque pixel of RGB565 0x0821.
std::vector<uint8_t> CanvasPng()
{
    return MakeSilPng(8, 2, Rgba(0, 0, 0, 255),
                      {{0, 0, Rgba(255, 0, 0, 255)}, {1, 0, Rgba(255, 255, 255, 0x7F)}, {2, 0, Rgba(8, 4, 8, 255)},
                       {5, 1, Rgba(0, 255, 0, 255)}});
}

SilImage CanvasImage()
{
    SilImage image = MakeSilImage(6, 2, CanvasPng());
    image.Header.OffsetX = -4;
    image.Header.OffsetY = 12;
    image.Header.Byte8 = 0x5A;
    image.Header.Word9 = 0x1357;
    image.Header.Word11 = 0x2468;
    return image;
}

class SilFileTest : public testing::Test {
protected:
    std::string Base(const std::string& name = "lib") const { return dir.file(name); }
    std::string Staging() const { return dir.file("x.tmp"); }
    void Stage(const std::vector<uint8_t>& png) { ASSERT_TRUE(WriteBytesToFile(Staging(), png)); }

    // Writes a library through the fixture (not the writer) and returns its ".sil" path.
    std::string Write(const SilLibrary& lib, const std::string& name = "lib")
    {
        EXPECT_TRUE(WriteSilLibrary(lib, Base(name)));
        return Base(name) + ".sil";
    }
    // Image 0, an empty entry, a 0 x 3 image; count 3.
    std::string WriteDefault()
    {
        return Write(BuildSilLibrary({CanvasImage(), std::nullopt, MakeSilImage(0, 3)}, 3));
    }

    testsupport::TempDir dir;
};

// ---- writing ----

TEST_F(SilFileTest, CreateNewSavesBothHeadersAtOnce)
{
    TSILFile file;
    file.CreateNew(Base(), 0x0102);
    EXPECT_EQ(ReadFileBytes(Base() + ".sil"), BuildSilLibrary({}, 0x0102).Sil);
    EXPECT_EQ(ReadFileBytes(Base() + ".six"), BuildSilLibrary({}, 0x0102).Six);
}

// What the conversion does for a library of five source entries whose images are 0 and 2: the files equal a
// library built from the layout, the count is the last added index + 1, and the staged file is consumed.
TEST_F(SilFileTest, WriteThenReadAPair)
{
    const SilImage first = CanvasImage();
    SilImage second = CanvasImage();
    second.Png = MakeSilPng(1, 1, Rgba(1, 2, 3, 255));
    second.Header.Width = second.Header.Height = 1;
    second.Header.Word9 = 7;

    TSILFile writer;
    writer.SetStagingFile(Staging());
    writer.CreateNew(Base(), 2);
    for (const auto& entry : std::vector<std::optional<SilImage>>{first, std::nullopt, second, std::nullopt,
                                                                  std::nullopt}) {
        if (!entry) {
            writer.AddEmptyEntry();
            continue;
        }
        Stage(entry->Png);
        TSILImageRecord record = entry->Header;
        EXPECT_EQ(writer.AddImage(record), SilAddImageOk);
        EXPECT_EQ(uint32_t(record.PngLength), entry->Png.size());
        EXPECT_FALSE(std::filesystem::exists(Staging())) << "the staged file is deleted";
    }
    writer.Finish(Base(), 2);

    const SilLibrary expected = BuildSilLibrary({first, std::nullopt, second, std::nullopt, std::nullopt}, 3);
    EXPECT_EQ(ReadFileBytes(Base() + ".sil"), expected.Sil);
    EXPECT_EQ(ReadFileBytes(Base() + ".six"), expected.Six);

    TSILFile reader;
    ASSERT_TRUE(reader.Open(Base() + ".sil"));
    EXPECT_EQ(reader.GetCount(), 3);
    TImageBitmapRecord bitmap;
    EXPECT_EQ(reader.DecodeFrameBitmap(0, bitmap), TImageDecodeStatus::Decoded);
    ASSERT_NE(bitmap.Bitmap, nullptr);
    EXPECT_EQ(testsupport::BitmapPixel(bitmap, 0, 0), 0xF800);
    EXPECT_EQ(reader.DecodeFrameBitmap(1, bitmap), TImageDecodeStatus::NoImage);
    EXPECT_EQ(reader.DecodeFrameBitmap(2, bitmap), TImageDecodeStatus::Decoded);
    EXPECT_EQ(bitmap.Info1, 7);
}

TEST_F(SilFileTest, ALibraryWithoutImagesStoresCountOne)
{
    TSILFile writer;
    writer.CreateNew(Base(), 0);
    for (int j = 0; j < 4; ++j) writer.AddEmptyEntry();
    writer.Finish(Base(), 0);
    const std::vector<uint8_t> six = ReadFileBytes(Base() + ".six");
    EXPECT_EQ(ReadU16(ReadFileBytes(Base() + ".sil"), 24), 1);
    EXPECT_EQ(ReadU16(six, 20), 1);
    EXPECT_EQ(six.size(), 22u + 16u);
}

// A failed AddImage appends nothing: the finished files hold only what came before it, and the staged file
// stays for the caller to clean up.
TEST_F(SilFileTest, AddImageFailuresAppendNothing)
{
    const std::vector<uint8_t> png = CanvasPng();
    struct Case {
        const char* name;
        uint64_t maxOffset;
        bool createNew;
        int stage;  // 0 none, 1 the PNG, 2 an empty file
    };
    // Image 0 (when added) starts at 26; the second starts at 26 + 17 + size.
    const uint64_t secondOffset = 26 + 17 + png.size();
    const Case cases[] = {
        {"no staged file", UINT32_MAX, true, 0},
        {"empty staged file", UINT32_MAX, true, 2},
        {"no CreateNew", UINT32_MAX, false, 1},
        {"offset beyond the limit", secondOffset - 1, true, 1},
    };
    for (const Case& c : cases) {
        TSILFile writer(c.maxOffset);
        writer.SetStagingFile(Staging());
        if (c.createNew) {
            writer.CreateNew(Base(), 1);
            Stage(png);
            TSILImageRecord record = CanvasImage().Header;
            ASSERT_EQ(writer.AddImage(record), SilAddImageOk) << c.name;
        }
        std::filesystem::remove(Staging());
        if (c.stage == 1) Stage(png);
        if (c.stage == 2) Stage({});

        TSILImageRecord record = CanvasImage().Header;
        EXPECT_EQ(writer.AddImage(record), SilAddImageFailed) << c.name;
        EXPECT_EQ(std::filesystem::exists(Staging()), c.stage != 0) << c.name;
        if (!c.createNew) continue;
        writer.Finish(Base(), 0);
        EXPECT_EQ(ReadFileBytes(Base() + ".sil"), BuildSilLibrary({CanvasImage()}, 1).Sil) << c.name;
        EXPECT_EQ(ReadFileBytes(Base() + ".six"), BuildSilLibrary({CanvasImage()}, 1).Six) << c.name;
    }
}

TEST_F(SilFileTest, UnwritableFilesRaiseTheFileError)
{
    const std::string base = dir.file("no-such-folder\\lib");
    TSILFile writer;
    EXPECT_THROW(writer.CreateNew(base, 1), EStreamError);
    writer.CreateNew(Base(), 1);
    EXPECT_THROW(writer.Finish(base, 0), EStreamError);
    EXPECT_NO_THROW(writer.Finish(Base(), 0));
}

// ---- reading ----

TEST_F(SilFileTest, OpensByEitherExtension)
{
    WriteDefault();
    for (const char* name : {"lib.sil", "lib.six", "lib.SIL", "lib.Six"}) {
        TSILFile file;
        ASSERT_TRUE(file.Open(dir.file(name))) << name;
        EXPECT_EQ(file.GetCount(), 3) << name;
        EXPECT_EQ(file.ImageCount(), 3) << name;
        EXPECT_EQ(file.FileName(), dir.file(name));
        EXPECT_EQ(file.DataHeader()[0], 1);
        EXPECT_EQ(ReadU16({file.IndexHeader() + 20, file.IndexHeader() + 22}, 0), 3);
    }
}

TEST_F(SilFileTest, AMissingHalfLeavesTheReaderCleared)
{
    const std::string path = WriteDefault();
    TSILFile file;
    ASSERT_TRUE(file.Open(path));
    std::filesystem::remove(Base() + ".six");
    EXPECT_FALSE(file.Open(path));
    EXPECT_EQ(file.GetCount(), 0);
    EXPECT_EQ(file.ImageCount(), 0);
    EXPECT_EQ(file.FileName(), "");
    TImageBitmapRecord record;
    EXPECT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::NoImage);
}

TEST_F(SilFileTest, BitmapRecordCarriesTheHeaderAndNoCanvas)
{
    TSILFile file;
    ASSERT_TRUE(file.Open(WriteDefault()));
    TImageBitmapRecord record;
    ASSERT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::Decoded);
    EXPECT_EQ(record.Width, 6);
    EXPECT_EQ(record.Height, 2);
    EXPECT_EQ(record.CanvasWidth, 0);
    EXPECT_EQ(record.CanvasHeight, 0);
    EXPECT_EQ(record.OffsetX, -4);
    EXPECT_EQ(record.OffsetY, 12);
    EXPECT_EQ(record.Info1, 0x1357);
    EXPECT_EQ(record.Info2, 0x2468);
    ASSERT_NE(record.Bitmap, nullptr);
    ASSERT_EQ(record.Bitmap->Width(), 6);
    ASSERT_EQ(record.Bitmap->Height(), 2);
    const uint16_t row0[6] = {0xF800, 0xFFFF, 0x0821, 0, 0, 0};  // colour only: alpha dropped, black stays black
    for (int x = 0; x < 6; ++x) EXPECT_EQ(testsupport::BitmapPixel(record, x, 0), row0[x]) << x;
    EXPECT_EQ(testsupport::BitmapPixel(record, 5, 1), 0x07E0);
    EXPECT_EQ(file.LastImageHeader().Word11, 0x2468);

    // A side of 0: the record is filled, but there is no bitmap.
    ASSERT_EQ(file.DecodeFrameBitmap(2, record), TImageDecodeStatus::Decoded);
    EXPECT_EQ(record.Width, 0);
    EXPECT_EQ(record.Height, 3);
    EXPECT_EQ(record.Bitmap, nullptr);
}

class SilTextureTest : public SilFileTest {
protected:
    void SetUp() override { ASSERT_NE(device.Get(), nullptr) << "no Direct3D device"; }
    testsupport::TTestDevice device;
};

// Entries 0 (an image), 1 (empty) and 2 (a side of 0) decoded one after the other into the same cache entry.
TEST_F(SilTextureTest, DecodesIntoManagedTexturesWithOpaqueBlackKeyed)
{
    TSILFile file;
    ASSERT_TRUE(file.Open(WriteDefault()));
    file.SetDevice(device.Get());
    TImageHeaderD3D entry;
    entry.Stamp = 77;
    ASSERT_EQ(file.DecodeFrame32D3D(0, entry), TImageDecodeStatus::Decoded);
    EXPECT_EQ(entry.Width, 6);
    EXPECT_EQ(entry.Height, 2);
    EXPECT_EQ(entry.OffsetX, -4);
    EXPECT_EQ(entry.OffsetY, 12);
    EXPECT_EQ(entry.Stamp, 77u) << "fields the decoder does not own stay";
    testsupport::TTexels texels = testsupport::ReadTexels(entry.Texture.Get());
    ASSERT_EQ(texels.Width, 8u);
    ASSERT_EQ(texels.Height, 2u);
    EXPECT_EQ(texels.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(texels.At(1, 0), 0x7FFFFFFFu) << "alpha 0x7F is kept";
    EXPECT_EQ(texels.At(2, 0), 0xFF080408u);
    EXPECT_EQ(texels.At(3, 0), 0x00000000u) << "opaque black is keyed";
    EXPECT_EQ(texels.At(7, 1), 0x00000000u) << "the canvas margin is keyed";
    EXPECT_EQ(texels.At(5, 1), 0xFF00FF00u);

    IDirect3DTexture9* before = entry.Texture.Get();
    EXPECT_EQ(file.DecodeFrame32D3D(1, entry), TImageDecodeStatus::NoImage);
    EXPECT_EQ(entry.Texture.Get(), before);
    EXPECT_EQ(entry.Width, 6);

    ASSERT_EQ(file.DecodeFrame32D3D(2, entry), TImageDecodeStatus::Decoded);
    EXPECT_EQ(entry.Width, 0);
    EXPECT_EQ(entry.Height, 3);
    texels = testsupport::ReadTexels(entry.Texture.Get());
    ASSERT_EQ(texels.Width, 1u);
    ASSERT_EQ(texels.Height, 1u);
    EXPECT_EQ(texels.At(0, 0), 0u);
}

// Damaged libraries (the lookup's own cases are tested without Windows): every decoder reports Damaged, leaves
// the entry or record as it was and reads nothing outside the views. Only DecodeFrame32D3D writes the error line, and only for damage.
TEST_F(SilTextureTest, DamagedLibrariesDecodeToNothing)
{
    const SilLibrary good = BuildSilLibrary({CanvasImage(), CanvasImage()}, 2);
    auto bigCanvas = [] {
        SilImage image = CanvasImage();
        image.Png = MakeSilPng(1, 1, Rgba(1, 1, 1, 255));
        PutLE32(image.Png, 16, 5000);  // IHDR width: larger than any canvas a library holds
        return image;
    };
    struct Case {
        const char* name;
        SilLibrary lib;
        int32_t index;
    };
    auto with = [&](auto damage) {
        SilLibrary lib = good;
        damage(lib);
        return lib;
    };
    const Case cases[] = {
        {"index N", good, 2},
        {"PNG length past the view", with([](SilLibrary& l) { SetSilPngLength(l, 1, 0x7FFFFFFF); }), 1},
        {"record cut", with([](SilLibrary& l) { l.Sil.resize(SilIndexEntry(l, 1) + 10); }), 1},
        {"not a PNG", with([](SilLibrary& l) { l.Sil[SilIndexEntry(l, 1) + 17] ^= 0xFF; }), 1},
        {"PNG canvas beyond 4096", BuildSilLibrary({CanvasImage(), bigCanvas()}, 2), 1},
    };
    const std::string logPath = dir.file("sil.log");
    auto log = std::make_unique<TLogEngine>("SilFileTest", "1", logPath);
    std::vector<std::string> expectedLines;
    for (const Case& c : cases) {
        const std::string path = Write(c.lib, "damaged" + std::to_string(expectedLines.size()));
        expectedLines.push_back("TSILFile::DecodeFrame32D3D::UNKNOW_FILE_ERROR-Index:" + std::to_string(c.index) +
                                "-File:" + path);
        TSILFile file;
        ASSERT_TRUE(file.Open(path)) << c.name;
        file.SetDevice(device.Get());
        file.SetLog(log.get());

        TImageHeaderD3D entry;
        ASSERT_EQ(file.DecodeFrame32D3D(0, entry), TImageDecodeStatus::Decoded) << c.name;
        IDirect3DTexture9* before = entry.Texture.Get();
        EXPECT_EQ(file.DecodeFrame32D3D(c.index, entry), TImageDecodeStatus::Damaged) << c.name;
        EXPECT_EQ(entry.Texture.Get(), before) << c.name;
        EXPECT_EQ(entry.Width, 6) << c.name;

        TImageBitmapRecord record;
        ASSERT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::Decoded) << c.name;
        const TBitmap* bitmapBefore = record.Bitmap.get();
        EXPECT_EQ(file.DecodeFrameBitmap(c.index, record), TImageDecodeStatus::Damaged) << c.name;
        EXPECT_EQ(record.Bitmap.get(), bitmapBefore) << c.name;
    }
    // No image is no error.
    TSILFile quiet;
    ASSERT_TRUE(quiet.Open(WriteDefault()));
    quiet.SetLog(log.get());
    TImageHeaderD3D entry;
    EXPECT_EQ(quiet.DecodeFrame32D3D(1, entry), TImageDecodeStatus::NoImage);

    log.reset();
    const std::vector<uint8_t> bytes = ReadFileBytes(logPath);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.find("-Index:1-File:" + Base() + ".sil"), std::string::npos) << "no image logs nothing";
    for (size_t i = 0; i < expectedLines.size(); ++i)
        EXPECT_NE(text.find(expectedLines[i]), std::string::npos) << cases[i].name;
    EXPECT_EQ(text.find("DecodeFrameBitmap"), std::string::npos) << "the bitmap decoder logs nothing";
}

// ---- Reload ----

TEST_F(SilFileTest, ReloadReadsAShrunkFileOnlyToItsNewEnd)
{
    const SilLibrary full = BuildSilLibrary({CanvasImage(), CanvasImage()}, 2);
    const std::string path = Write(full);
    SilLibrary shrunk = full;
    shrunk.Sil.resize(SilIndexEntry(full, 1) + 17 + 10);  // image 1 keeps its header, loses most of its PNG

    TSILFile file;
    ASSERT_TRUE(file.Open(path));
    ASSERT_TRUE(testsupport::RewriteDuring(path, shrunk.Sil, [&] { file.Reload(); }))
        << "the data file was never free to rewrite";
    ASSERT_EQ(std::filesystem::file_size(path), shrunk.Sil.size());

    EXPECT_EQ(file.GetCount(), 2);
    TImageBitmapRecord record;
    EXPECT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::Decoded);
    EXPECT_EQ(file.DecodeFrameBitmap(1, record), TImageDecodeStatus::Damaged);
}

TEST_F(SilFileTest, ReloadAfterClearMapsNothing)
{
    TSILFile file;
    file.Reload();
    EXPECT_EQ(file.GetCount(), 0);
    ASSERT_TRUE(file.Open(WriteDefault()));
    file.Reload();
    EXPECT_EQ(file.GetCount(), 3);
    file.Clear();
    file.Reload();
    EXPECT_EQ(file.GetCount(), 0);
}

} // namespace
