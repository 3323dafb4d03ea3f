#include "Common/core/SystemInfoTexts.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(SystemInfoTexts, OperatingSystemNames)
{
    // Record size, major, minor, build, platform (1 Windows 9x, 2 NT), service pack, suite mask, product type.
    const std::uint32_t full = kOSVersionInfoExSize;
    const std::tuple<TOSVersion, const char*, const char*> rows[] = {
        {{full, 4, 0, 2600, 1, " C", 0, 0}, "Microsoft Windows 95 OSR2", ""},
        {{full, 5, 0, 2600, 1, "", 0, 0}, "", ""},
        {{full, 5, 1, 2600, 2, "Service Pack 2", 0x200, 1}, "Microsoft Windows XP Home Edition",
         "Service Pack 2 (Build 2600)"},
        {{148, 5, 1, 2600, 2, "", 0x200, 1}, "Microsoft Windows XP", " (Build 2600)"}, // short record: no edition
        {{full, 6, 1, 2600, 2, "", 0, 1}, "Microsoft later version of Vista Professional", " (Build 2600)"},
        {{full, 4, 0, 2600, 2, "service pack 6", 0, 1}, "Microsoft Windows NT Workstation 4.0",
         "Service Pack 6a (Build 2600)"},
        {{full, 5, 2, 2600, 2, "", 0x400, 3}, "Microsoft Windows Server 2003 Web Edition", " (Build 2600)"},
        {{full, 5, 0, 2600, 2, "", 0x2, 3}, "Microsoft Windows 2000 Advanced Server", " (Build 2600)"},
    };
    for (const auto& [version, name, servicePack] : rows) {
        std::string gotName = "stale";
        std::string gotServicePack = "stale";
        OSNameFromVersion(version, [] { return true; }, gotName, gotServicePack); // the NT 4 hot fix is there
        EXPECT_EQ(gotName, name);
        EXPECT_EQ(gotServicePack, servicePack) << name;
    }
}

TEST(SystemInfoTexts, ReportTexts)
{
    EXPECT_EQ(CPUFeatureText((1u << 8) | (1u << 15) | (1u << 23) | (1u << 25) | (1u << 26)), "CX8 CMOV MMX SSE SSE-2");
    EXPECT_EQ(CPUFeatureText(0), " -");
    EXPECT_EQ(CPUExtendedFeatureText((1u << 22) | (1u << 30) | (1u << 31)), "MMX-2 3DNow 3DNow-2");
    const std::pair<std::uint64_t, const char*> memory[] = {
        {1023, " KB (1023 Bytes)"}, // below 1 KB the formatted part is empty
        {1536, "2 KB (1536 Bytes)"},
        {8ull << 40, "8,589,934,592 KB (8796093022208 Bytes)"},
    };
    for (const auto& [bytes, text] : memory) EXPECT_EQ(MemoryText(bytes), text);
    EXPECT_EQ(MemoryText(1024ull * 1000, '.'), "1.000 KB (1024000 Bytes)");
    EXPECT_EQ(DriverVersionNumber(0x00060014, 0x000A1234), 0x00141234u);
}

TEST(SystemInfoTexts, DirectXVersionFromFilesAndLetters)
{
    const std::tuple<std::map<std::string, std::uint64_t>, std::uint32_t, const char*> rows[] = {
        {{}, 0, "0.0"},
        {{{"ddraw.dll", MakeFileVersion(4, 4, 0, 68)}, {"d3drg8x.dll", MakeFileVersion(4, 4, 0, 70)}}, 0x30001, "3.0a"},
        // Later rows of the file table override earlier ones, even with a lower version.
        {{{"ddraw.dll", MakeFileVersion(4, 7, 0, 700)}, {"dinput.dll", MakeFileVersion(4, 7, 0, 716)}}, 0x70001,
         "7.0a"},
        {{{"d3d9.dll", MakeFileVersion(0, 0, 0, 1)}}, 0x90000, "9.0"},
    };
    for (const auto& [files, number, text] : rows) {
        const TDXVersion v = DirectXVersionFromFiles([&table = files](const char* file) {
            const auto found = table.find(file);
            return found == table.end() ? std::nullopt : std::optional(found->second);
        });
        EXPECT_EQ(DXVersionNumber(v), number) << text;
        EXPECT_EQ(DXVersionText(v), text);
    }
    // DxDiag's letters: either case, and a blank for none.
    EXPECT_EQ(DXVersionNumber({9, 0, 'C'}), 0x90003u);
    EXPECT_EQ(DXVersionText({9, 0, ' '}), "9.0");
}

} // namespace
