#pragma once
// A client folder for the start-up check's tests: a private folder with the libraries' sub-folders, a log, and
// libraries of a few images written with the WIL fixture; the other libraries of the 75 are missing.
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
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace startup_test {

using fixtures::WilImage;


inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline WilImage Gradient(uint16_t w, uint16_t h, uint16_t seed)
{
    WilImage image = fixtures::MakeWilImage(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint16_t colour = static_cast<uint16_t>(seed + x * 0x0841 + y * 0x1F);
            image.At(x, y) = (x + y) % 5 == 0   ? fixtures::Transparent()
                             : (x + y) % 5 == 1 ? fixtures::Semi(colour)
                                                : fixtures::Opaque(colour);
        }
    image.OffsetX = static_cast<int16_t>(-seed % 7);
    image.OffsetY = static_cast<int16_t>(seed % 11);
    image.Byte8 = static_cast<uint8_t>(seed);
    image.Word9 = static_cast<uint16_t>(seed * 3);
    image.Word11 = static_cast<uint16_t>(seed * 5);
    return image;
}

class Client {
public:
    // With the three standard libraries unless told otherwise.
    explicit Client(bool standardLibraries = true)
    {
        for (const char* sub : {"Data", "Data\\Snow", "Data\\Forest"})
            std::filesystem::create_directories(dir.path() / sub);
        log = std::make_unique<TLogEngine>("LibraryCheckTest", "1", dir.file("check.log"));
        std::filesystem::remove_all(TWILFile::TempPngPath());
        if (standardLibraries) WriteStandardLibraries();
    }
    ~Client() { std::filesystem::remove_all(TWILFile::TempPngPath()); }

    std::string Folder() const { return dir.path().string() + "\\"; }
    std::string Base(int32_t index) const
    {
        const std::string name = CheckedLibraryFileName(index);
        return Folder() + name.substr(0, name.size() - 4);
    }
    std::string Ini() const { return Folder() + SettingsFileName; }

    void WriteLibrary(int32_t index, const std::vector<std::optional<WilImage>>& images)
    {
        ASSERT_TRUE(fixtures::WriteWilLibrary(fixtures::BuildWilLibrary(17, images), Base(index)));
    }
    // Three libraries with images, empty entries and trailing empty entries; the rest of the 75 are missing.
    void WriteStandardLibraries()
    {
        WriteLibrary(0, {Gradient(4, 3, 1), std::nullopt, Gradient(7, 2, 2)});
        WriteLibrary(46, {Gradient(5, 5, 3), Gradient(1, 1, 4), std::nullopt, std::nullopt});
        WriteLibrary(74, {std::nullopt, Gradient(9, 4, 5)});
    }

    bool Run(TLibraryCheckView& view)
    {
        TImageLibraryCheck check(Folder(), view, log.get());
        const bool result = check.Run();
        converted = check.ImagesConverted();
        failed = check.Failed();
        return result;
    }
    // A first start answered Yes: every library converted, the settings on SIL.
    void ConvertAtFirstStart()
    {
        struct Yes : TLibraryCheckView {
            bool AskYesNo(const std::string&, const std::string&) override { return true; }
        } yes;
        ASSERT_TRUE(Run(yes));
    }
    std::string LogText()
    {
        log.reset();
        const std::string text = ReadFile(dir.file("check.log"));
        log = std::make_unique<TLogEngine>("LibraryCheckTest", "1", dir.file("check.log"));
        return text;
    }
    int CrcKey(int32_t index) const { return TIniFile(Ini()).ReadInteger("CRC_Check", std::to_string(index), 12345); }
    int32_t FileCrc(int32_t index) const
    {
        uint16_t error = 0;
        return CRC32AsSetting(FileCRC32(Base(index) + ".wil", error));
    }
    void WriteSettings(const std::string& usingLib, bool convert, const std::map<int, int>& crcs = {})
    {
        TIniFile ini(Ini());
        ini.WriteBool("ConvertImage", "Convert", convert);
        ini.WriteString("UseImageLib", "UsingLib", usingLib);
        for (auto [i, v] : crcs) ini.WriteInteger("CRC_Check", std::to_string(i), v);
    }
    bool SilExists(int32_t index) const
    {
        return std::filesystem::exists(Base(index) + ".sil") || std::filesystem::exists(Base(index) + ".six");
    }

    testsupport::TempDir dir;
    std::unique_ptr<TLogEngine> log;
    int32_t converted = 0;
    bool failed = false;
};

}  // namespace startup_test
