#pragma once
// A client folder for the start-up check's tests: a log, libraries 0, 46 and 74 with images and 5 without, written
// with the WIL fixture, the rest of the 75 missing. "x.tmp" is removed before and after.
#include "Common/Dev_LogEngineClass.h"
#include "classlib/core/IniFiles.h"
#include "editor/core/uCRC32.h"
#include "editor/uImageLibraryCheck.h"
#include "gamedata/uBase_WIL_File.h"
#include "tests/fixtures/core/WilFixture.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace startup_test {

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class Client {
public:
    Client()
    {
        std::filesystem::remove_all(TWILFile::TempPngPath());
        // Half-transparent pixels after an opaque one, and header fields of its own.
        const auto image = [](uint16_t w, uint16_t h, uint16_t seed) {
            fixtures::WilImage picture = fixtures::MakeWilImage(w, h, fixtures::Semi(uint16_t(seed * 0x0841)));
            picture.Pixels[0] = fixtures::Opaque(seed);
            picture.OffsetX = static_cast<int16_t>(-seed);
            picture.Word9 = static_cast<uint16_t>(seed * 3);
            return picture;
        };
        WriteLibrary(0, {image(4, 3, 1), std::nullopt, image(7, 2, 2)});
        WriteLibrary(5, {});
        WriteLibrary(46, {image(5, 5, 3), image(1, 1, 4), std::nullopt, std::nullopt});
        WriteLibrary(74, {std::nullopt, image(9, 4, 5)});
    }
    ~Client() { std::filesystem::remove_all(TWILFile::TempPngPath()); }

    std::string Folder() const { return dir.path().string() + "\\"; }
    std::string Base(int32_t index) const  // the library's path without its extension
    {
        return (dir.path() / CheckedLibraryFileName(index)).replace_extension().string();
    }
    std::string Ini() const { return Folder() + SettingsFileName; }
    void WriteLibrary(int32_t index, const std::vector<std::optional<fixtures::WilImage>>& images)
    {
        std::filesystem::create_directories(std::filesystem::path(Base(index)).parent_path());
        ASSERT_TRUE(fixtures::WriteWilLibrary(fixtures::BuildWilLibrary(17, images), Base(index)));
    }

    bool Run(TLibraryCheckView& view)
    {
        TImageLibraryCheck check(Folder(), view, &log);
        const bool result = check.Run();
        converted = check.ImagesConverted();
        failed = check.Failed();
        return result;
    }
    // Every present library converted and its key stored, as a finished full conversion leaves them.
    bool ConvertAll()
    {
        WriteSettings("WIL", true, {});
        TLibraryCheckView quiet;
        return Run(quiet);
    }
    std::string Setting(const char* sect, const char* key) const { return TIniFile(Ini()).ReadString(sect, key, "?"); }
    int CrcKey(int32_t index) const { return TIniFile(Ini()).ReadInteger("CRC_Check", std::to_string(index), 12345); }
    int32_t FileCrc(int32_t index) const
    {
        uint16_t error = 0;
        return CRC32AsSetting(FileCRC32(Base(index) + ".wil", error));
    }
    void WriteSettings(const std::string& usingLib, bool convert, const std::map<int, int>& crcs)
    {
        TIniFile ini(Ini());
        ini.WriteBool("ConvertImage", "Convert", convert);
        ini.WriteString("UseImageLib", "UsingLib", usingLib);
        for (auto [i, v] : crcs)
            ini.WriteInteger("CRC_Check", std::to_string(i), v);
    }

    testsupport::TempDir dir;
    TLogEngine log{"LibraryCheckTest", "1", dir.file("check.log")};
    int32_t converted = 0;
    bool failed = false;
};

}  // namespace startup_test
