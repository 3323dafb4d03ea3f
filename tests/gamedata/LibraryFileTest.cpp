// The image-library readers' own parts over real files under Wine (what the caches show of both readers is tested
// there): opening a pair by either file, Reload after the library shrank (shared by both readers, shown on the WIL
// reader), a library of unknown version and the staging file "x.tmp"; then the SIL writer.
#include "gamedata/uBase_SIL_File.h"
#include "gamedata/uBase_WIL_File.h"

#include "Common/Dev_LogEngineClass.h"
#include "classlib/core/SysUtils.h"
#include "tests/fixtures/core/SilFixture.h"
#include "tests/gamedata/ImageTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <thread>

using namespace fixtures;

namespace {

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

// One reader through all rows: a pair that cannot be opened leaves it cleared.
TEST_F(WilFile, OpensThePairByEitherFileOrClears)
{
    Write(BuildWilLibrary(17, testsupport::TestImages()));
    std::filesystem::remove(Write(BuildWilLibrary(17, {}), "nodata"));
    ASSERT_TRUE(WriteBytesToFile(dir.file("empty.wil"), {}));
    ASSERT_TRUE(WriteBytesToFile(dir.file("empty.wix"), {}));
    const std::pair<std::string, bool> rows[] = {
        {"lib.wil", true},    {"nodata.wix", false}, {"lib.WIX", true},
        {"empty.wil", false}, {"lib.WiL", true},     {"lib.xyz", false},
    };
    TWILFile reader;
    for (const auto& [name, opens] : rows) {
        EXPECT_EQ(reader.Open(dir.file(name)), opens) << name;
        EXPECT_EQ(reader.GetCount(), opens ? 5 : 0) << name;
        EXPECT_EQ(reader.FileName(), opens ? dir.file(name) : "") << name;
    }
}

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

// A library of unknown version opens with its N but no images; Clear forgets everything.
TEST_F(WilFile, UnknownVersionOpensWithoutImages)
{
    WilLibrary lib = BuildWilLibrary(17, testsupport::TestImages());
    PutLE16(lib.Wil, kWilVersionAt, 16);
    TWILFile file;
    ASSERT_TRUE(file.Open(Write(lib)));
    EXPECT_EQ(std::tuple(file.GetCount(), file.CountImages(), file.PickerCount()), std::tuple(5, 0, 0));
    EXPECT_TRUE(std::equal(lib.Wil.begin(), lib.Wil.begin() + 26, file.DataHeader()));
    EXPECT_TRUE(std::equal(lib.Wix.begin(), lib.Wix.begin() + 22, file.IndexHeader()));
    TImageBitmapRecord record;
    EXPECT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::Damaged);
    file.Clear();
    EXPECT_EQ(std::tuple(file.GetCount(), file.CountImages(), file.PickerCount()), std::tuple(0, 0, 0));
    EXPECT_EQ(file.DecodeFrameBitmap(0, record), TImageDecodeStatus::NoImage);
}

// An encoder that fails: by returning false (0), running out of memory (1) or throwing (2).
class TFailingEncoderWil : public TWILFile {
public:
    explicit TFailingEncoderWil(int how) : How(how) {}

protected:
    bool EncodeCanvas(std::vector<uint8_t>&, uint8_t) override
    {
        if (How == 1) throw std::bad_alloc();
        if (How == 2) throw std::runtime_error("encoder");
        return false;
    }

private:
    int How;
};

// The only test writing "x.tmp" beside this program. Written fills the record's first 13 bytes and puts the
// canvas in the file (its pixels are those of the cache textures); no image, damage, an index outside (the conversion asks for N and N + 1) and an image that cannot
// be encoded are NoImage with the record untouched; a file that cannot be written is WriteFailed. Each failure but
// the empty entry is logged.
TEST_F(WilFile, MakePngTellsWrittenNoImageAndFailedWrite)
{
    const std::string target = TWILFile::TempPngPath();
    std::filesystem::remove_all(target);
    const std::string logPath = dir.file("wil.log");
    auto log = std::make_unique<TLogEngine>("WilFileTest", "1", logPath);
    TWILFile file;
    TFailingEncoderWil failing[] = {TFailingEncoderWil(0), TFailingEncoderWil(1), TFailingEncoderWil(2)};
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
                  index == 0 ? 4 : 1)
            << index;
    EXPECT_EQ(testsupport::CountInFile(logPath, "Index:1-"), 0) << "an empty entry logs nothing";
}

// ---- The SIL writer --------------------------------------------------------------------------------------------

class SilWriter : public testing::Test {
protected:
    std::string Base() const { return dir.file("lib"); }
    std::string Staging() const { return dir.file("x.tmp"); }
    void Stage(const std::vector<uint8_t>& png) { ASSERT_TRUE(WriteBytesToFile(Staging(), png)); }
    void ExpectFiles(const SilLibrary& expected) const
    {
        EXPECT_EQ(ReadFileBytes(Base() + ".sil"), expected.Sil);
        EXPECT_EQ(ReadFileBytes(Base() + ".six"), expected.Six);
    }
    // An image with every header field set, and a PNG of its size.
    static SilImage Image(uint16_t w, uint16_t h, uint16_t word9)
    {
        SilImage image = MakeSilImage(w, h, MakeSilPng(w, h, 0xFF0000FFu));
        image.Header = TSILImageRecord{w, h, -4, 12, 0x5A, word9, 0x2468, 0};
        return image;
    }
    testsupport::TempDir dir;
};

// What the conversion does for a library of five source entries whose images are 0 and 2: the files equal a
// library built from the layout, the count is the last added index + 1, and each staged file is consumed.
TEST_F(SilWriter, WritesTheLayoutAndConsumesTheStagedFiles)
{
    const std::vector<std::optional<SilImage>> entries = {Image(6, 2, 1), std::nullopt, Image(1, 1, 7), std::nullopt,
                                                          std::nullopt};
    TSILFile writer;
    writer.SetStagingFile(Staging());
    writer.CreateNew(Base(), 2);
    ExpectFiles(BuildSilLibrary({}, 2));
    for (const auto& entry : entries) {
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
    ExpectFiles(BuildSilLibrary(entries, 3));
    EXPECT_THROW(writer.CreateNew(dir.file("no-such-folder\\lib"), 1), EStreamError);
    EXPECT_THROW(writer.Finish(dir.file("no-such-folder\\lib"), 0), EStreamError);
}

// A failed AddImage appends nothing: the finished files hold only what came before it, and the staged file stays
// for the caller to clean up.
TEST_F(SilWriter, AddImageFailuresAppendNothing)
{
    const SilImage image = Image(6, 2, 1);
    // Image 0 (when added) starts at 26; the second would start at 26 + 17 + its PNG's size.
    const uint64_t secondOffset = 26 + 17 + image.Png.size();
    const struct {
        const char* Name;
        uint64_t MaxOffset;
        bool CreateNew;
        std::optional<std::vector<uint8_t>> Staged;
    } rows[] = {
        {"no staged file", UINT32_MAX, true, std::nullopt},
        {"empty staged file", UINT32_MAX, true, std::vector<uint8_t>{}},
        {"no CreateNew", UINT32_MAX, false, image.Png},
        {"offset beyond the limit", secondOffset - 1, true, image.Png},
    };
    for (const auto& row : rows) {
        TSILFile writer(row.MaxOffset);
        writer.SetStagingFile(Staging());
        TSILImageRecord record = image.Header;
        if (row.CreateNew) {
            writer.CreateNew(Base(), 1);
            Stage(image.Png);
            ASSERT_EQ(writer.AddImage(record), SilAddImageOk) << row.Name;
        }
        if (row.Staged) Stage(*row.Staged);
        EXPECT_EQ(writer.AddImage(record), SilAddImageFailed) << row.Name;
        EXPECT_EQ(std::filesystem::exists(Staging()), row.Staged.has_value()) << row.Name;
        std::filesystem::remove(Staging());
        if (!row.CreateNew) continue;
        writer.Finish(Base(), 0);
        ExpectFiles(BuildSilLibrary({image}, 1));
    }
}

}  // namespace
