// The start-up library check on fixture client folders. Every case stages images through the one "x.tmp" beside
// the executable, so this program runs alone.
#include "editor/uImageLibraryCheck.h"

#include "gamedata/core/SilFormat.h"
#include "tests/editor/ClientFolder.h"
#include "tests/support/UnixFileCut.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>

namespace {

using namespace startup_test;

// The SIL count of each library present: its last image + 1, at least 1.
const std::map<int32_t, int32_t> kSilCount = {{0, 3}, {5, 1}, {46, 2}, {74, 2}};

// Views of files mapped into the process, counted by the platform.
int MappedViews()
{
    int views = 0;
    MEMORY_BASIC_INFORMATION m;
    for (auto* p = static_cast<char*>(nullptr); VirtualQuery(p, &m, sizeof m); p += m.RegionSize)
        views += m.Type == MEM_MAPPED && m.State == MEM_COMMIT;
    return views;
}

struct RecordingView : TLibraryCheckView {
    bool Answer = false;
    size_t Boxes = 0;  // the question, the final message
    const int ViewsBefore = MappedViews();
    int MappedAtHide = -1;  // views the check still held when it hid the panel; -1: never hidden
    std::string CutAfterFirstImage;  // a file cut to nothing once the first library converted has its image 0

    bool AskYesNo(const std::string&, const std::string&) override
    {
        ++Boxes;
        return Answer;
    }
    void ShowInfo(const std::string&) override { ++Boxes; }
    void HidePanel() override { MappedAtHide = MappedViews() - ViewsBefore; }
    void SetPosition(TCheckBar bar, int64_t value) override
    {
        if (bar != TCheckBar::Convert || value != 1 || CutAfterFirstImage.empty()) return;
        EXPECT_TRUE(testsupport::CutFileShortFromUnix(CutAfterFirstImage, 0));
        CutAfterFirstImage.clear();
    }
};

// Every entry of the SIL pair against the WIL reader's own output for the same index: the same empty entries,
// the same 13 header bytes and the same PNG bytes; nothing past the count.
void ExpectSilMatchesWil(const Client& client, int32_t index, int32_t count)
{
    SCOPED_TRACE(CheckedLibraryFileName(index));
    const std::string silText = ReadFile(client.Base(index) + ".sil");
    const std::string sixText = ReadFile(client.Base(index) + ".six");
    const TByteSpan sil(reinterpret_cast<const uint8_t*>(silText.data()), silText.size());
    const TByteSpan six(reinterpret_cast<const uint8_t*>(sixText.data()), sixText.size());
    EXPECT_EQ(ReadSilCount(sil), count);
    TWILFile wil;
    ASSERT_TRUE(wil.Open(client.Base(index) + ".wil"));
    for (int32_t j = 0; j < wil.GetCount() + 2; ++j) {
        TSILImageRecord fromWil{};
        const bool image = wil.DecodeFrame32MakePNG(j, fromWil, 4) == TMakePngResult::Written;
        TSilRecord fromSil;
        ASSERT_EQ(FindSilImage(sil, six, j, fromSil) == TSilLookup::Found, image && j < count) << j;
        if (!image || j >= count)
            continue;
        EXPECT_EQ(std::memcmp(&fromWil, fromSil.Header.Raw, 13), 0) << j;
        EXPECT_EQ(std::string(fromSil.Png.begin(), fromSil.Png.end()), ReadFile(TWILFile::TempPngPath())) << j;
    }
}

// Each start on a client whose settings (none: a first start, answered Yes exactly when it converts) hold keys that
// no longer match for the libraries in Stale, some meeting an obstacle at library Failing. A client with settings
// was converted before, unless it is a fresh one. Converted: none (WIL kept), the stale ones (a CRC pass on SIL)
// or all present (a full conversion); a library that cannot be read for its CRC is skipped, one that fails ends the
// check, its incomplete pair deleted (an old pair the check never began writing stays) and its old key kept, and
// the next start, the obstacle gone, converts it. Every start frees what it made, hides the panel and removes
// "x.tmp".
TEST(LibraryCheck, EachStartConvertsWhatItsSettingsAndKeysCallFor)
{
    enum TConverted { None, StaleOnes, All };
    struct Row {
        const char* Name;
        const char* UsingLib;  // null: a first start
        bool Convert;
        bool ProbeMissing;  // "Data\Snow\Tiles30c.wil" removed before the start
        std::set<int32_t> Stale;
        TConverted Converted;
        // At library Failing: its ".wix" or ".wil" held open alone, "x.tmp" a folder, or its ".wil" "cut" short
        // while its images are converted.
        std::string Obstacle = "";
        int32_t Failing = -1;
        const char* LogLine = "";
        bool OldPairStays = false;  // the failing library's pair from before is left as it was
    };
    const char* const noTmp = "cannot write \"x.tmp\" for image 0 of Data\\Tilesc.wil";
    const char* const unread = "cannot read Data\\Tilesc.wil for its CRC";
    const char* const notOpened = "cannot open the library Data\\Snow\\Tiles30c.wil";
    const char* const cut = "cannot read Data\\Tilesc.wil whole: it was cut short or changed on the disk";
    const Row rows[] = {
        {"first start answered No", nullptr, false, false, {}, None},
        {"first start answered Yes", nullptr, false, false, {}, All},
        {"nothing changed", "SIL", false, false, {}, StaleOnes},
        {"one library changed", "SIL", false, false, {46}, StaleOnes},
        {"WIL kept, changed libraries ignored", "WIL", false, false, {0, 74}, None},
        {"WIL kept even without the probe library", "WIL", false, true, {0, 74}, None},
        {"forced with WIL", "WIL", true, false, {0, 74}, All},
        {"SIL on a fresh client", "SIL", false, true, {0, 74}, All},
        {"any other value on a fresh client", "wil", false, true, {0}, All},
        {"a pair that cannot be opened", "SIL", false, false, {0, 46}, StaleOnes, ".wix", 46, notOpened},
        {"a pair that cannot be opened, full", "WIL", true, false, {}, All, ".wix", 46, notOpened, true},
        {"x.tmp not writable, CRC pass", "SIL", false, false, {0, 46}, StaleOnes, "x.tmp", 0, noTmp},
        {"x.tmp not writable, full", "WIL", true, false, {0, 46}, All, "x.tmp", 0, noTmp},
        {"unreadable, CRC pass", "SIL", false, false, {0, 46}, StaleOnes, ".wil", 0, unread},
        {"unreadable, full", "WIL", true, false, {0, 46}, All, ".wil", 0, unread},
        {"cut short while converted, CRC pass", "SIL", false, false, {0, 46}, StaleOnes, "cut", 0, cut},
        {"cut short while converted, full", "WIL", true, false, {0, 46}, All, "cut", 0, cut},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        Client client;
        const bool convertedBefore = row.UsingLib && !row.ProbeMissing;
        if (convertedBefore) {
            ASSERT_TRUE(client.ConvertAll());
        }
        if (row.ProbeMissing)
            std::filesystem::remove(client.Base(46) + ".wil");
        std::map<int, int> keys;
        for (const auto& [index, count] : kSilCount)
            keys[index] = row.Stale.contains(index) ? 7 : client.FileCrc(index);
        if (row.UsingLib)
            client.WriteSettings(row.UsingLib, row.Convert, keys);
        const std::string ini = ReadFile(client.Ini());
        const bool failed = row.Obstacle == ".wix" || row.Obstacle == "x.tmp" || row.Obstacle == "cut";
        if (row.Obstacle == "x.tmp")
            std::filesystem::create_directory(TWILFile::TempPngPath());
        else
            std::ofstream(TWILFile::TempPngPath()) << "left by an earlier start";
        const std::string wil = client.Base(row.Failing) + ".wil", whole = ReadFile(wil);
        const std::string locked = client.Base(row.Failing) + row.Obstacle;
        HANDLE lock = row.Obstacle.starts_with(".wi")
                          ? CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                          : INVALID_HANDLE_VALUE;
        RecordingView view;
        view.Answer = row.Converted == All;
        if (row.Obstacle == "cut")
            view.CutAfterFirstImage = wil;
        const bool full = row.Converted == All && !failed;
        EXPECT_EQ(client.Run(view), !row.UsingLib || full);
        CloseHandle(lock);

        EXPECT_EQ(view.Boxes, size_t(!row.UsingLib) + size_t(full));
        EXPECT_EQ(client.failed, failed);
        const bool switched = row.Converted != None && !failed;
        EXPECT_EQ(client.Setting("UseImageLib", "UsingLib"), switched ? "SIL" : row.UsingLib ? row.UsingLib : "WIL");
        EXPECT_EQ(client.Setting("ConvertImage", "Convert"), failed && row.Convert ? "1" : "0");
        EXPECT_EQ(client.Setting("DirectX", "NoVSync"), row.UsingLib ? "?" : "1");
        EXPECT_FALSE(std::filesystem::is_regular_file(TWILFile::TempPngPath()));
        EXPECT_EQ(view.MappedAtHide, 0);
        EXPECT_NE(ReadFile(client.dir.file("check.log")).find(row.LogLine), std::string::npos);
        for (const auto& [index, count] : kSilCount) {
            const bool converted = index != row.Failing && (!failed || index < row.Failing) &&
                                   (row.Converted == All || (row.Converted == StaleOnes && row.Stale.contains(index)));
            const bool present = !(row.ProbeMissing && index == 46);
            EXPECT_EQ(client.CrcKey(index), converted ? client.FileCrc(index) : row.UsingLib ? keys[index] : 12345);
            const bool lost = failed && index == row.Failing && !row.OldPairStays;
            EXPECT_EQ(std::filesystem::exists(client.Base(index) + ".sil"),
                      present && (converted || (convertedBefore && !lost)))
                << index;
            if (converted && present)
                ExpectSilMatchesWil(client, index, count);
        }
        EXPECT_TRUE(client.converted > 0 || !row.UsingLib || ReadFile(client.Ini()) == ini) << "settings rewritten";
        if (row.Failing < 0)
            continue;
        std::filesystem::remove(TWILFile::TempPngPath());
        if (row.Obstacle == "cut")
            std::ofstream(wil, std::ios::binary) << whole;
        RecordingView retry;
        client.Run(retry);
        EXPECT_FALSE(client.failed);
        EXPECT_EQ(client.CrcKey(row.Failing), client.FileCrc(row.Failing));
        ExpectSilMatchesWil(client, row.Failing, kSilCount.at(row.Failing));
    }
}

// With the SIL libraries in use and every key matching, the pair of "Data\Snow\Tiles30c.wil" (two images, six
// index entries) whole, or one of its files removed or cut to a size (negative: that many bytes short). A pair that
// is not whole is converted again, and the log says why; a whole one is left alone.
TEST(LibraryCheck, APairThatIsMissingOrUnreadableIsConvertedAgain)
{
    constexpr int64_t Whole = INT64_MAX, Gone = INT64_MIN;
    const struct {
        const char* Name;
        const char* File;
        int64_t Size;
    } rows[] = {
        {"whole", ".sil", Whole},
        {".sil missing", ".sil", Gone},
        {".six missing", ".six", Gone},
        {".sil empty", ".sil", 0},
        {".six empty", ".six", 0},
        {".sil cut inside its header", ".sil", 20},
        {".sil of its header alone", ".sil", 26},
        {".sil short of its last byte", ".sil", -1},
        {".six of one entry of two", ".six", 22 + 4},
    };
    const std::string line =
        "the SIL pair of Data\\Snow\\Tiles30c.wil is missing or unreadable; it is converted again";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Client client;
        ASSERT_TRUE(client.ConvertAll());
        client.WriteSettings("SIL", false, {});
        const std::string file = client.Base(46) + row.File;
        const auto size = int64_t(std::filesystem::file_size(file));
        if (row.Size == Gone)
            std::filesystem::remove(file);
        else if (row.Size != Whole)
            std::filesystem::resize_file(file, uintmax_t(row.Size < 0 ? size + row.Size : row.Size));
        RecordingView view;
        client.Run(view);
        const bool damaged = row.Size != Whole;
        EXPECT_FALSE(client.failed);
        EXPECT_EQ(client.converted, damaged ? 2 : 0);
        EXPECT_EQ(ReadFile(client.dir.file("check.log")).find(line) != std::string::npos, damaged);
        ExpectSilMatchesWil(client, 46, 2);
    }
}

}  // namespace
