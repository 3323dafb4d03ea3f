// TWILFile over real files: pairing, counts, the bitmap, "x.tmp" and texture outputs, the log texts, Reload.
#include "gamedata/uBase_WIL_File.h"

#include "Common/Dev_LogEngineClass.h"
#include "classlib/Graphics.h"
#include "tests/fixtures/core/WilFixture.h"
#include "tests/gamedata/ImageTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

using namespace fixtures;

namespace {

// Opaque red, transparent, semi-transparent white, opaque 0x0000 (black) in row 0 of a 4 x 2 image; row 1 green.
WilImage SmallImage()
{
    WilImage image = MakeWilImage(4, 2, Opaque(0x07E0));
    image.At(0, 0) = Opaque(0xF800);
    image.At(1, 0) = Transparent();
    image.At(2, 0) = Semi(0xFFFF);
    image.At(3, 0) = Opaque(0x0000);
    image.OffsetX = -3;
    image.OffsetY = 9;
    image.Byte8 = 0x11;
    image.Word9 = 0x2233;
    image.Word11 = 0x4455;
    return image;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class WilFileTest : public testing::Test {
protected:
    // Writes a library pair <name>.wil/.wix into the private folder and returns the ".wil" path.
    std::string Write(const WilLibrary& lib, const std::string& name = "lib")
    {
        const std::string base = dir.file(name);
        EXPECT_TRUE(WriteWilLibrary(lib, base));
        return base + ".wil";
    }
    std::string WriteDefault() { return Write(BuildWilLibrary(17, {SmallImage(), std::nullopt, MakeWilImage(0, 5)})); }

    testsupport::TempDir dir;
};

}  // namespace

// ---- opening and counting ----

TEST_F(WilFileTest, OpenPairsTheFilesByEitherExtension)
{
    const std::string wil = WriteDefault();
    const std::string stem = wil.substr(0, wil.size() - 4);
    Write(BuildWilLibrary(17, {SmallImage()}), "nowix");
    std::filesystem::remove(dir.file("nowix.wix"));
    Write(BuildWilLibrary(17, {SmallImage()}), "nowil");
    std::filesystem::remove(dir.file("nowil.wil"));
    std::ofstream(dir.file("empty.wil")).flush();
    std::ofstream(dir.file("empty.wix")).flush();
    struct Row {
        std::string Path;
        bool Opens;
    };
    const Row rows[] = {
        {stem + ".wil", true},          {stem + ".WIL", true},          {stem + ".wix", true},
        {stem + ".WiX", true},          {stem + ".xyz", false},         {dir.file("nowix.wil"), false},
        {dir.file("nowil.wix"), false}, {dir.file("empty.wil"), false}, {dir.file("absent.wil"), false},
    };
    for (const Row& row : rows) {
        TWILFile file;
        EXPECT_EQ(file.Open(row.Path), row.Opens) << row.Path;
        EXPECT_EQ(file.GetCount(), row.Opens ? 3 : 0) << row.Path;
        EXPECT_EQ(file.CountImages(), row.Opens ? 2 : 0) << row.Path;
        EXPECT_EQ(file.FileName(), row.Opens ? row.Path : "") << row.Path;
    }
}

TEST_F(WilFileTest, CountsAndHeaderCopiesFollowTheLibrary)
{
    struct Row {
        const char* Name;
        uint16_t Version;
        uint16_t Count;  // 0: as built
        int32_t ExpectedCount, ExpectedImages, ExpectedPicker;
    };
    const Row rows[] = {
        {"version 5000", 5000, 0, 5, 3, 5},
        {"N beyond the index file", 17, 9, 9, 3, 5},
        {"unknown version opens with N but no images", 16, 0, 5, 0, 0},
    };
    const WilImage dot = MakeWilImage(1, 1, Opaque(1));
    for (const Row& row : rows) {
        WilLibrary lib = BuildWilLibrary(row.Version == 16 ? 17 : row.Version,
                                         {dot, std::nullopt, dot, std::nullopt, dot});
        if (row.Version == 16) SetWilVersion(lib, 16);
        if (row.Count) SetWilCount(lib, row.Count);
        TWILFile file;
        ASSERT_TRUE(file.Open(Write(lib))) << row.Name;
        EXPECT_EQ(file.GetCount(), row.ExpectedCount) << row.Name;
        EXPECT_EQ(file.CountImages(), row.ExpectedImages) << row.Name;
        EXPECT_EQ(file.PickerCount(), row.ExpectedPicker) << row.Name;
        EXPECT_TRUE(std::equal(lib.Wil.begin(), lib.Wil.begin() + 26, file.DataHeader())) << row.Name;
        EXPECT_TRUE(std::equal(lib.Wix.begin(), lib.Wix.begin() + 22, file.IndexHeader())) << row.Name;
        TImageBitmapRecord record;
        EXPECT_EQ(file.DecodeFrameBitmap(0, record),
                  row.Version == 16 ? TImageDecodeStatus::Damaged : TImageDecodeStatus::Decoded)
            << row.Name;
        file.Clear();
        EXPECT_EQ(file.GetCount(), 0) << row.Name;
        EXPECT_EQ(file.PickerCount(), 0) << row.Name;
        EXPECT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::NoImage) << row.Name;
    }
}

// ---- bitmap ----

TEST_F(WilFileTest, BitmapKeepsTheImageColoursAndReportsTheCanvas)
{
    TWILFile file;
    ASSERT_TRUE(file.Open(WriteDefault()));
    TImageBitmapRecord record;
    ASSERT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::Decoded);
    EXPECT_EQ(record.Width, 4);
    EXPECT_EQ(record.Height, 2);
    EXPECT_EQ(record.CanvasWidth, 4);
    EXPECT_EQ(record.CanvasHeight, 2);
    EXPECT_EQ(record.OffsetX, -3);
    EXPECT_EQ(record.OffsetY, 9);
    EXPECT_EQ(record.Info1, 0x2233);
    EXPECT_EQ(record.Info2, 0x4455);
    ASSERT_NE(record.Bitmap, nullptr);
    ASSERT_EQ(record.Bitmap->Width(), 4);
    ASSERT_EQ(record.Bitmap->Height(), 2);
    // The widened colour packs back to the library's own word; transparent and 0x0000 both come out black.
    const uint16_t expected[2][4] = {{0xF800, 0x0000, 0xFFFF, 0x0000}, {0x07E0, 0x07E0, 0x07E0, 0x07E0}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(testsupport::BitmapPixel(record, x, y), expected[y][x]) << x << "," << y;
}

TEST_F(WilFileTest, BitmapOutcomes)
{
    WilLibrary lib = BuildWilLibrary(17, {SmallImage(), std::nullopt, MakeWilImage(0, 5), MakeWilImage(48, 3)});
    CutWil(lib, lib.Wil.size() - 2);  // image 3's last row loses its last pixel
    TWILFile file;
    ASSERT_TRUE(file.Open(Write(lib)));
    struct Row {
        int32_t Index;
        TImageDecodeStatus Status;
        bool Bitmap;            // a bitmap afterwards
        uint16_t CanvasWidth;   // record afterwards (the earlier image's 4 when untouched)
    };
    const Row rows[] = {
        {1, TImageDecodeStatus::NoImage, true, 4},  {3, TImageDecodeStatus::Damaged, true, 4},
        {4, TImageDecodeStatus::Damaged, true, 4},  {-1, TImageDecodeStatus::Damaged, true, 4},
        {2, TImageDecodeStatus::Decoded, false, 1},  // a side of 0: record filled, no bitmap
    };
    for (const Row& row : rows) {
        TImageBitmapRecord record;
        ASSERT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::Decoded);
        EXPECT_EQ(file.DecodeFrameBitmap(row.Index, record), row.Status) << row.Index;
        EXPECT_EQ((record.Bitmap != nullptr), row.Bitmap) << row.Index;
        EXPECT_EQ(record.CanvasWidth, row.CanvasWidth) << row.Index;
    }
}

// ---- "x.tmp" and the log: one test, since every case shares the file beside the executable ----

TEST_F(WilFileTest, MakePngWritesTheCanvasAndTellsNoImageFromAFailedWrite)
{
    const std::string target = TWILFile::TempPngPath();
    std::filesystem::remove_all(target);
    const std::string logPath = dir.file("wil.log");
    auto log = std::make_unique<TLogEngine>("WilFileTest", "1", logPath);
    TWILFile file;
    ASSERT_TRUE(file.Open(WriteDefault()));
    const std::string path = file.FileName();
    file.SetLog(log.get());

    TSILImageRecord record{};
    record.PngLength = 0xA5A5A5A5u;
    ASSERT_EQ(file.DecodeFrame32MakePNG(0, record, 4), TMakePngResult::Written);
    EXPECT_EQ(record.Width, 4);
    EXPECT_EQ(record.Height, 2);
    EXPECT_EQ(record.OffsetX, -3);
    EXPECT_EQ(record.OffsetY, 9);
    EXPECT_EQ(record.Byte8, 0x11);
    EXPECT_EQ(record.Word9, 0x2233);
    EXPECT_EQ(record.Word11, 0x4455);
    EXPECT_EQ(record.PngLength, 0xA5A5A5A5u) << "the length is the writer's";
    const std::string bytes = ReadText(target);
    TPngImage png;
    ASSERT_TRUE(png.LoadFromMemory({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}));
    ASSERT_EQ(png.Width(), 4u);
    ASSERT_EQ(png.Height(), 2u);
    // Transparent runs and RGB565 0 are opaque black in the file; the semi-transparent pixel keeps alpha 0x7F.
    const TRgba row0[4] = {{255, 0, 0, 255}, {0, 0, 0, 255}, {255, 255, 255, 0x7F}, {0, 0, 0, 255}};
    for (uint32_t x = 0; x < 4; ++x) EXPECT_EQ(png.Pixel(x, 0), row0[x]) << x;
    EXPECT_EQ(png.Pixel(0, 1), (TRgba{0, 255, 0, 255}));

    // No image: nothing logged for an empty entry; the indexes N and N + 1 the conversion asks for are logged.
    const TSILImageRecord before = record;
    for (int32_t index : {1, 3, 4}) {
        EXPECT_EQ(file.DecodeFrame32MakePNG(index, record, 4), TMakePngResult::NoImage) << index;
        EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0) << index;
    }

    // A folder in the file's place makes the write fail: reported as such, never as success or as no image.
    std::filesystem::remove_all(target);
    std::filesystem::create_directory(target);
    EXPECT_EQ(file.DecodeFrame32MakePNG(0, record, 4), TMakePngResult::WriteFailed);
    std::filesystem::remove_all(target);

    TImageHeaderD3D entry;
    EXPECT_EQ(file.DecodeFrame32Draw(7, entry), TImageDecodeStatus::Damaged);
    TImageBitmapRecord bitmap;
    EXPECT_EQ(file.DecodeFrameBitmap(7, bitmap), TImageDecodeStatus::Damaged);
    log.reset();

    const std::string text = ReadText(logPath);
    const std::string expectedLines[] = {
        "TWILFile::DecodeFrame32MakePNG::UNKNOW_FILE_ERROR-Index:3-File:" + path,
        "TWILFile::DecodeFrame32MakePNG::UNKNOW_FILE_ERROR-Index:4-File:" + path,
        "TWILFile::DecodeFrame32MakePNG::UNKNOW_FILE_ERROR-Index:0-File:" + path,
        "TWILFile::DecodeFrame32Draw::UNKNOW_FILE_ERROR-Index:7-File:" + path,
    };
    size_t from = 0;
    for (const std::string& line : expectedLines) {
        const size_t at = text.find(line, from);
        EXPECT_NE(at, std::string::npos) << line << "\nin:\n" << text;
        if (at != std::string::npos) from = at + line.size();
    }
    EXPECT_EQ(text.find("Index:1-"), std::string::npos) << "an empty entry logs nothing";
    EXPECT_EQ(text.find("DecodeFrameBitmap"), std::string::npos) << "the bitmap decoder logs nothing";
}

namespace {

// An encoder that fails the way the row says: the image then counts as not there, never as a failed write.
class TFailingEncoderWil : public TWILFile {
public:
    enum class TFailure { ReturnsFalse, OutOfMemory, Throws };
    explicit TFailingEncoderWil(TFailure How) : How(How) {}

protected:
    bool EncodeCanvas(std::vector<uint8_t>& Out, uint8_t CompressionLevel) override
    {
        if (How == TFailure::OutOfMemory) throw std::bad_alloc();
        if (How == TFailure::Throws) throw std::runtime_error("encoder");
        (void)Out;
        (void)CompressionLevel;
        return false;
    }

private:
    TFailure How;
};

}  // namespace

TEST_F(WilFileTest, MakePngEncodingFailureIsNoImageOfThatIndex)
{
    using TFailure = TFailingEncoderWil::TFailure;
    const std::string library = WriteDefault();
    for (const TFailure how : {TFailure::ReturnsFalse, TFailure::OutOfMemory, TFailure::Throws}) {
        SCOPED_TRACE(static_cast<int>(how));
        const std::string logPath = dir.file("encode" + std::to_string(static_cast<int>(how)) + ".log");
        auto log = std::make_unique<TLogEngine>("WilFileTest", "1", logPath);
        TFailingEncoderWil file(how);
        ASSERT_TRUE(file.Open(library));
        file.SetLog(log.get());
        TSILImageRecord record{};
        record.Width = 0x5A5A;
        const TSILImageRecord before = record;
        EXPECT_EQ(file.DecodeFrame32MakePNG(0, record, 4), TMakePngResult::NoImage);
        EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0) << "no half-filled record";
        const std::string path = file.FileName();
        log.reset();
        const std::string text = ReadText(logPath);
        EXPECT_NE(text.find("TWILFile::DecodeFrame32MakePNG::UNKNOW_FILE_ERROR-Index:0-File:" + path),
                  std::string::npos)
            << text;
    }
}

// ---- Reload ----

// The library shrinks while Reload has its views released (a mapped file cannot be truncated).
TEST_F(WilFileTest, ReloadTakesTheSizeOfTheNewMapping)
{
    const WilImage tile = MakeWilImage(16, 16, Opaque(0x1234));
    const WilLibrary full = BuildWilLibrary(17, {tile, tile});
    const std::string path = Write(full);
    WilLibrary shrunk = full;
    CutWil(shrunk, WilIndexEntry(shrunk, 1) + 20);  // image 1 keeps its header, loses its rows

    TWILFile file;
    ASSERT_TRUE(file.Open(path));
    ASSERT_TRUE(testsupport::RewriteDuring(path, shrunk.Wil, [&] { file.Reload(); }))
        << "the data file was never free to rewrite";
    ASSERT_EQ(std::filesystem::file_size(path), shrunk.Wil.size());

    EXPECT_EQ(file.GetCount(), 2) << "the header copy stays as Open read it";
    EXPECT_EQ(file.CountImages(), 2);
    TImageBitmapRecord record;
    EXPECT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::Decoded);
    EXPECT_EQ(file.DecodeFrameBitmap(1, record), TImageDecodeStatus::Damaged);
}

TEST_F(WilFileTest, ReloadWithoutAnOpenLibraryMapsNothing)
{
    TWILFile file;
    file.Reload();
    EXPECT_EQ(file.GetCount(), 0);
    ASSERT_TRUE(file.Open(WriteDefault()));
    file.Clear();
    file.Reload();
    EXPECT_EQ(file.GetCount(), 0);
    TImageBitmapRecord record;
    EXPECT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::NoImage);
}
