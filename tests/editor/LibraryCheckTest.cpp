// The start-up library check on fixture client folders: first start both ways, unchanged and changed libraries,
// forced and fresh-client full conversions, the SIL pairs read back against their WIL sources, the settings keys,
// and the failures (a pair that cannot be finished, "x.tmp" that cannot be written, an unreadable library).
//
// Every case stages images through the one "x.tmp" beside the executable, so this program runs alone.
#include "editor/uImageLibraryCheck.h"

#include "Common/Dev_LogEngineClass.h"
#include "classlib/core/IniFiles.h"
#include "classlib/core/PngImage.h"
#include "editor/core/uCRC32.h"
#include "gamedata/core/SilFormat.h"
#include "gamedata/uBase_WIL_File.h"
#include "tests/fixtures/core/WilFixture.h"
#include "tests/editor/ClientFolder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace startup_test;

// ---- the view the check drives -----------------------------------------------------------------------------------
struct RecordingView : TLibraryCheckView {
    explicit RecordingView(bool answer = false) : Answer(answer) {}

    std::map<TCheckBar, int64_t> Maximum, Position;
    std::map<TCheckBar, TCheckText> Text;
    std::vector<std::string> Captions;  // of the overall bar, in order
    std::vector<int> PanelHeights;
    bool Hidden = false;
    bool Answer = false;
    std::vector<std::string> Questions;  // caption + "|" + text
    std::vector<std::string> Infos;

    void SetMaximum(TCheckBar bar, int64_t v) override { Maximum[bar] = v; }
    void SetPosition(TCheckBar bar, int64_t v) override { Position[bar] = v; }
    void SetTextOption(TCheckBar bar, TCheckText t) override { Text[bar] = t; }
    void SetCaption(TCheckBar bar, const std::string& c) override
    {
        if (bar == TCheckBar::Progress) Captions.push_back(c);
    }
    void SetPanelHeight(int h) override { PanelHeights.push_back(h); }
    void HidePanel() override { Hidden = true; }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        Questions.push_back(caption + "|" + text);
        return Answer;
    }
    void ShowInfo(const std::string& text) override { Infos.push_back(text); }
};

// Every entry of the SIL pair against the WIL reader's own output for the same index: the same empty entries,
// the same 13 header bytes and the same PNG pixels; the count runs to the last image.
void ExpectSilMatchesWil(const Client& client, int32_t index, int32_t expectedCount)
{
    SCOPED_TRACE(CheckedLibraryFileName(index));
    const std::string silText = ReadFile(client.Base(index) + ".sil");
    const std::string sixText = ReadFile(client.Base(index) + ".six");
    const TByteSpan sil(reinterpret_cast<const uint8_t*>(silText.data()), silText.size());
    const TByteSpan six(reinterpret_cast<const uint8_t*>(sixText.data()), sixText.size());
    EXPECT_EQ(ReadSilCount(sil), expectedCount);

    TWILFile wil;
    ASSERT_TRUE(wil.Open(client.Base(index) + ".wil"));
    for (int32_t j = 0; j < wil.GetCount() + 2; ++j) {
        TSILImageRecord fromWil{};
        const TMakePngResult made = wil.DecodeFrame32MakePNG(j, fromWil, 4);
        TSilRecord fromSil;
        const TSilLookup found = FindSilImage(sil, six, j, fromSil);
        if (j >= expectedCount) {
            EXPECT_NE(found, TSilLookup::Found) << j << " lies past the count";
            continue;
        }
        if (made == TMakePngResult::NoImage) {
            EXPECT_EQ(found, TSilLookup::NoImage) << j;
            continue;
        }
        ASSERT_EQ(made, TMakePngResult::Written) << j;
        ASSERT_EQ(found, TSilLookup::Found) << j;
        EXPECT_EQ(std::memcmp(&fromWil, fromSil.Header.Raw, 13), 0) << j;
        const std::string pngText = ReadFile(TWILFile::TempPngPath());
        TPngImage expected, actual;
        ASSERT_TRUE(expected.LoadFromMemory({reinterpret_cast<const uint8_t*>(pngText.data()), pngText.size()}));
        ASSERT_TRUE(actual.LoadFromMemory(fromSil.Png)) << j;
        ASSERT_EQ(actual.Width(), expected.Width()) << j;
        ASSERT_EQ(actual.Height(), expected.Height()) << j;
        for (uint32_t y = 0; y < expected.Height(); ++y)
            for (uint32_t x = 0; x < expected.Width(); ++x)
                ASSERT_EQ(actual.Pixel(x, y), expected.Pixel(x, y)) << j << " at " << x << "," << y;
    }
}

const std::string DoneText(int converted)
{
    return "Convert Progress Done\r\n" + std::to_string(converted) + " Images converted..";
}

// ---- first start -------------------------------------------------------------------------------------------------

TEST(LibraryCheck, FirstStartAnsweredNoKeepsTheWilLibraries)
{
    Client client;
    RecordingView view(false);
    EXPECT_TRUE(client.Run(view));

    ASSERT_EQ(view.Questions.size(), 1u);
    EXPECT_EQ(view.Questions[0],
              "Sorvanta Map Editor|           ::: First start detected :::                \r\n"
              "Will you convert orginal image lib to faster image lib?");
    const TIniFile ini(client.Ini());
    EXPECT_EQ(ini.ReadString("ConvertImage", "Convert", "?"), "0");
    EXPECT_EQ(ini.ReadString("DirectX", "NoVSync", "?"), "1");
    EXPECT_EQ(ini.ReadString("UseImageLib", "UsingLib", "?"), "WIL");
    EXPECT_FALSE(ini.SectionExists("CRC_Check"));
    for (int32_t i : {0, 46, 74}) EXPECT_FALSE(client.SilExists(i)) << i;
    EXPECT_TRUE(view.Infos.empty());
    EXPECT_EQ(view.Text[TCheckBar::Progress], TCheckText::NoText);
    EXPECT_EQ(view.Position[TCheckBar::Progress], 0);
    EXPECT_TRUE(view.Hidden);
}

TEST(LibraryCheck, FirstStartAnsweredYesConvertsEveryLibraryPresent)
{
    Client client;
    RecordingView view(true);
    EXPECT_TRUE(client.Run(view));
    EXPECT_FALSE(client.failed);

    EXPECT_EQ(client.converted, 5);
    EXPECT_EQ(view.Infos, std::vector<std::string>{DoneText(5)});
    EXPECT_FALSE(std::filesystem::exists(TWILFile::TempPngPath()));
    ExpectSilMatchesWil(client, 0, 3);
    ExpectSilMatchesWil(client, 46, 2);  // the count runs to the last image, not over the trailing empty entries
    ExpectSilMatchesWil(client, 74, 2);

    const TIniFile ini(client.Ini());
    EXPECT_EQ(ini.ReadString("UseImageLib", "UsingLib", "?"), "SIL");
    EXPECT_EQ(ini.ReadString("ConvertImage", "Convert", "?"), "0");
    EXPECT_EQ(ini.ReadString("DirectX", "NoVSync", "?"), "1");
    for (int32_t i = 0; i < 75; ++i) {
        const bool present = i == 0 || i == 46 || i == 74;
        EXPECT_EQ(client.CrcKey(i), present ? client.FileCrc(i) : 0) << i;
    }

    // The captions name each library with its number and the images converted before it.
    ASSERT_EQ(view.Captions.size(), 76u);
    EXPECT_EQ(view.Captions[0], "Convert ... - (0 from 75)");
    EXPECT_EQ(view.Captions[1], "Convert Data\\Tilesc.wil - (0 from 75) 0 Image converted");
    EXPECT_EQ(view.Captions[2], "Convert Data\\Tiles30c.wil - (1 from 75) 2 Image converted");
    EXPECT_EQ(view.Captions[75], "Convert Data\\Forest\\CustFiles.wil - (74 from 75) 4 Image converted");
    EXPECT_EQ(view.Maximum[TCheckBar::Progress], 75);
    EXPECT_EQ(view.Maximum[TCheckBar::Convert], 3);  // the last library's count + 1
    EXPECT_EQ(view.PanelHeights.front(), 36);
    EXPECT_TRUE(view.Hidden);
}

// ---- later starts ------------------------------------------------------------------------------------------------

TEST(LibraryCheck, UnchangedLibrariesConvertNothing)
{
    Client client;
    client.ConvertAtFirstStart();
    const std::string iniBefore = ReadFile(client.Ini());
    const std::string silBefore = ReadFile(client.Base(46) + ".sil");
    std::filesystem::remove(client.Base(0) + ".sil");  // a lost pair is not noticed while its CRC matches

    RecordingView view;
    EXPECT_FALSE(client.Run(view));
    EXPECT_EQ(client.converted, 0);
    EXPECT_TRUE(view.Questions.empty());
    EXPECT_TRUE(view.Infos.empty());
    EXPECT_TRUE(view.Captions.empty());
    EXPECT_EQ(view.Position[TCheckBar::Progress], 75);
    EXPECT_EQ(ReadFile(client.Ini()), iniBefore);
    EXPECT_EQ(ReadFile(client.Base(46) + ".sil"), silBefore);
    EXPECT_TRUE(view.Hidden);
}

TEST(LibraryCheck, OneChangedLibraryIsReconvertedAndOnlyItsKeyChanges)
{
    Client client;
    client.ConvertAtFirstStart();
    const int oldKey = client.CrcKey(46);
    const std::string sil0 = ReadFile(client.Base(0) + ".sil");

    client.WriteLibrary(46, {std::nullopt, Gradient(3, 6, 9), Gradient(2, 2, 8)});
    RecordingView view;
    EXPECT_FALSE(client.Run(view));
    EXPECT_FALSE(client.failed);
    EXPECT_EQ(client.converted, 2);
    EXPECT_NE(client.CrcKey(46), oldKey);
    EXPECT_EQ(client.CrcKey(46), client.FileCrc(46));
    EXPECT_EQ(client.CrcKey(0), client.FileCrc(0));
    EXPECT_EQ(client.CrcKey(74), client.FileCrc(74));
    EXPECT_EQ(client.CrcKey(5), 0);
    ExpectSilMatchesWil(client, 46, 3);
    EXPECT_EQ(ReadFile(client.Base(0) + ".sil"), sil0);

    EXPECT_EQ(view.Captions, std::vector<std::string>{"Convert Data\\Snow\\Tiles30c.wil"});
    EXPECT_EQ(view.PanelHeights, (std::vector<int>{36, 19}));
    EXPECT_EQ(view.Text[TCheckBar::Progress], TCheckText::Percent);
    EXPECT_TRUE(view.Infos.empty());
    EXPECT_EQ(TIniFile(client.Ini()).ReadString("UseImageLib", "UsingLib", "?"), "SIL");
}

// Settings written by hand or by earlier versions, and what each start does with them.
struct SettingsCase {
    const char* Name;
    const char* UsingLib;
    bool Convert;
    bool ProbeMissing;   // "Data\Snow\Tiles30c.wil" removed before the start
    bool ExpectFull;     // a full conversion runs (result True, final message)
    const char* UsingLibAfter;
};

TEST(LibraryCheck, SettingsDecideBetweenTheCrcPassAndAFullConversion)
{
    const SettingsCase rows[] = {
        {"WIL kept, changed libraries ignored", "WIL", false, false, false, "WIL"},
        {"WIL kept even without the probe library", "WIL", false, true, false, "WIL"},
        {"forced with WIL", "WIL", true, false, true, "SIL"},
        {"forced with SIL", "SIL", true, false, true, "SIL"},
        {"SIL on a fresh client", "SIL", false, true, true, "SIL"},
        {"any other value on a fresh client", "wil", false, true, true, "SIL"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Client client;
        if (row.ProbeMissing) std::filesystem::remove(client.Base(46) + ".wil");
        client.WriteSettings(row.UsingLib, row.Convert, {{0, 1}, {74, 2}});  // both stale
        RecordingView view;
        EXPECT_EQ(client.Run(view), row.ExpectFull);
        EXPECT_TRUE(view.Questions.empty());
        const TIniFile ini(client.Ini());
        EXPECT_EQ(ini.ReadString("UseImageLib", "UsingLib", "?"), row.UsingLibAfter);
        if (row.ExpectFull) {
            EXPECT_EQ(ini.ReadString("ConvertImage", "Convert", "?"), "0");
            EXPECT_EQ(view.Infos, std::vector<std::string>{DoneText(client.converted)});
            EXPECT_EQ(client.CrcKey(0), client.FileCrc(0));
            EXPECT_EQ(client.CrcKey(46), row.ProbeMissing ? 0 : client.FileCrc(46));
            EXPECT_TRUE(client.SilExists(0));
            EXPECT_EQ(client.SilExists(46), !row.ProbeMissing);
        } else {
            EXPECT_EQ(client.converted, 0);
            EXPECT_TRUE(view.Infos.empty());
            EXPECT_EQ(client.CrcKey(0), 1);
            EXPECT_EQ(client.CrcKey(74), 2);
            EXPECT_EQ(client.CrcKey(46), 12345) << "no key written";
            EXPECT_FALSE(client.SilExists(0));
        }
    }
}

// ---- failures ----------------------------------------------------------------------------------------------------

TEST(LibraryCheck, AChangedLibraryThatCannotBeConvertedKeepsItsOldKeyAndIsRetried)
{
    Client client;
    client.WriteSettings("SIL", false, {{0, client.FileCrc(0)}, {46, 7}, {74, client.FileCrc(74)}});
    const std::string wix = ReadFile(client.Base(46) + ".wix");
    std::filesystem::remove(client.Base(46) + ".wix");  // the data file is there, the pair cannot be opened
    std::ofstream(client.Base(46) + ".sil") << "old";
    std::ofstream(TWILFile::TempPngPath()) << "stale";

    RecordingView view;
    EXPECT_FALSE(client.Run(view));
    EXPECT_TRUE(client.failed);
    EXPECT_EQ(client.CrcKey(46), 7);
    EXPECT_FALSE(client.SilExists(46));
    EXPECT_EQ(view.Position[TCheckBar::Progress], 46) << "the pass ends at the failing library";
    EXPECT_TRUE(view.Hidden);
    EXPECT_FALSE(std::filesystem::exists(TWILFile::TempPngPath()));
    EXPECT_NE(client.LogText().find("cannot open the library Data\\Snow\\Tiles30c.wil"), std::string::npos);

    std::ofstream(client.Base(46) + ".wix", std::ios::binary) << wix;
    RecordingView retry;
    EXPECT_FALSE(client.Run(retry));
    EXPECT_FALSE(client.failed);
    EXPECT_EQ(client.CrcKey(46), client.FileCrc(46));
    ExpectSilMatchesWil(client, 46, 2);
}

TEST(LibraryCheck, AnXTmpThatCannotBeWrittenEndsTheConversion)
{
    struct Row {
        const char* Name;
        bool Full;
    };
    for (const Row row : {Row{"full conversion", true}, Row{"changed library", false}}) {
        SCOPED_TRACE(row.Name);
        Client client;
        client.WriteSettings(row.Full ? "WIL" : "SIL", row.Full, {{0, 5}, {46, client.FileCrc(46)}});
        std::filesystem::create_directory(TWILFile::TempPngPath());

        RecordingView view;
        EXPECT_FALSE(client.Run(view));
        EXPECT_TRUE(client.failed);
        EXPECT_EQ(client.converted, 0);
        const TIniFile ini(client.Ini());
        EXPECT_EQ(ini.ReadString("UseImageLib", "UsingLib", "?"), row.Full ? "WIL" : "SIL");
        EXPECT_EQ(client.CrcKey(0), 5);
        EXPECT_FALSE(client.SilExists(0));
        EXPECT_TRUE(view.Infos.empty());
        EXPECT_TRUE(view.Hidden);
        EXPECT_NE(client.LogText().find("cannot write \"x.tmp\" for image 0 of Data\\Tilesc.wil"),
                  std::string::npos);
    }
}

TEST(LibraryCheck, ALibraryThatCannotBeReadForItsCrcIsSkipped)
{
    for (const bool full : {false, true}) {
        SCOPED_TRACE(full ? "full conversion" : "crc pass");
        Client client;
        client.WriteSettings("SIL", full, {{0, 3}, {46, 4}});
        // Opened without sharing: the library exists but nobody else can read it.
        HANDLE lock = CreateFileA((client.Base(0) + ".wil").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        RecordingView view;
        client.Run(view);
        CloseHandle(lock);

        EXPECT_FALSE(client.failed);
        EXPECT_EQ(client.CrcKey(0), 3) << "no key for an unread library";
        EXPECT_FALSE(client.SilExists(0));
        EXPECT_EQ(client.CrcKey(46), client.FileCrc(46)) << "the others go on";
        EXPECT_TRUE(client.SilExists(46));
        EXPECT_NE(client.LogText().find("cannot read Data\\Tilesc.wil for its CRC"), std::string::npos);
    }
}

TEST(LibraryCheck, ALibraryWithoutImagesGivesAPairWithOneEntry)
{
    Client client(false);
    client.WriteLibrary(0, {});
    client.WriteSettings("SIL", true);
    RecordingView view;
    EXPECT_TRUE(client.Run(view));
    EXPECT_EQ(client.converted, 0);
    EXPECT_EQ(view.Infos, std::vector<std::string>{DoneText(0)});
    ExpectSilMatchesWil(client, 0, 1);
}

TEST(LibraryCheck, IndexesOutsideTheTableHaveNoFileName)
{
    const std::pair<int32_t, const char*> rows[] = {
        {-1, ""}, {0, "Data\\Tilesc.wil"}, {46, "Data\\Snow\\Tiles30c.wil"},
        {74, "Data\\Forest\\CustFiles.wil"}, {75, ""}};
    for (auto [index, name] : rows) EXPECT_EQ(CheckedLibraryFileName(index), name) << index;
}

}  // namespace
