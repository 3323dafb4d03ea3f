// A first start in a client folder as deep as its files allow: every file the conversion and the settings write
// has a path of up to MAX_PATH - 1 characters, and its temporary file must make none longer. At 233 characters the
// last library's SIL pair has 259; a temporary name longer than its target's passes MAX_PATH at both depths.
#include "editor/uImageLibraryCheck.h"

#include "Common/Dev_LogEngineClass.h"
#include "classlib/core/IniFiles.h"
#include "editor/core/uCRC32.h"
#include "gamedata/core/SilFormat.h"
#include "tests/editor/ClientFolder.h"
#include "tests/support/DeepFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using startup_test::ReadFile;

struct YesView : TLibraryCheckView {
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
};

TEST(FirstStartDeep, ConvertsAndWritesTheSettingsInAFolderAsDeepAsItsFilesAllow)
{
    const std::map<int32_t, int32_t> silCounts = {{0, 2}, {74, 3}};  // the last image + 1
    struct Row {
        size_t Folder;
        size_t Longest;  // the path of library 74's ".six", the longest the check writes
    };
    for (const Row& r : {Row{228, 254}, Row{233, 259}}) {
        SCOPED_TRACE(r.Folder);
        testsupport::TempDir dir;
        const std::string folder = testsupport::DeepFolder(dir.path(), r.Folder) + "\\";
        const auto base = [&](int32_t library) {
            return (std::filesystem::path(folder) / CheckedLibraryFileName(library)).replace_extension().string();
        };
        for (const auto& [library, count] : silCounts) {
            std::vector<std::optional<fixtures::WilImage>> images(size_t(count - 1), std::nullopt);
            images.push_back(fixtures::MakeWilImage(3, 2, fixtures::Opaque(uint16_t(library + 1))));
            std::filesystem::create_directories(std::filesystem::path(base(library)).parent_path());
            ASSERT_TRUE(fixtures::WriteWilLibrary(fixtures::BuildWilLibrary(17, images), base(library)));
        }
        ASSERT_EQ((base(74) + ".six").size(), r.Longest);

        TLogEngine log("FirstStartDeep", "1", dir.file("check.log"));
        YesView view;
        TImageLibraryCheck check(folder, view, &log);
        EXPECT_TRUE(check.Run());
        EXPECT_FALSE(check.Failed()) << ReadFile(dir.file("check.log"));
        const TIniFile ini(folder + SettingsFileName);
        EXPECT_EQ(ini.ReadString("UseImageLib", "UsingLib", "?"), "SIL");
        for (const auto& [library, count] : silCounts) {
            SCOPED_TRACE(library);
            const std::string sil = ReadFile(base(library) + ".sil");
            EXPECT_EQ(ReadSilCount(TByteSpan(reinterpret_cast<const uint8_t*>(sil.data()), sil.size())), count);
            EXPECT_TRUE(std::filesystem::exists(base(library) + ".six"));
            uint16_t error = 0;
            EXPECT_EQ(ini.ReadInteger("CRC_Check", std::to_string(library), 0),
                      CRC32AsSetting(FileCRC32(base(library) + ".wil", error)));
        }
    }
}

}  // namespace
