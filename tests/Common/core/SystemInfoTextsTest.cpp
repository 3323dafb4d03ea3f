#include "Common/core/SystemInfoTexts.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TOSVersion Version(std::uint32_t platform, std::uint32_t major, std::uint32_t minor, std::uint8_t product = 1,
                   std::uint16_t suite = 0, const char* csd = "", std::uint32_t size = kOSVersionInfoExSize)
{
    TOSVersion v;
    v.Size = size;
    v.Platform = platform;
    v.Major = major;
    v.Minor = minor;
    v.Build = 2600;
    v.ProductType = product;
    v.SuiteMask = suite;
    v.CSDVersion = csd;
    return v;
}

TEST(SystemInfoTexts, OperatingSystemNames)
{
    struct TRow {
        TOSVersion V;
        bool HotFix;
        const char* Name;
        const char* ServicePack;
    };
    const TRow rows[] = {
        {Version(0, 3, 1), false, "Microsoft Win32s", ""},
        {Version(1, 4, 0, 0, 0, " C"), false, "Microsoft Windows 95 OSR2", ""},
        {Version(1, 4, 0, 0, 0, " A"), false, "Microsoft Windows 95", ""},
        {Version(1, 4, 10, 0, 0, " A"), false, "Microsoft Windows 98 SE", ""},
        {Version(1, 4, 90), false, "Microsoft Windows Millennium Edition", ""},
        {Version(1, 5, 0), false, "", ""},
        {Version(2, 5, 1, 1, 0x200, "Service Pack 2"), false, "Microsoft Windows XP Home Edition",
         "Service Pack 2 (Build 2600)"},
        {Version(2, 5, 1, 1, 0), false, "Microsoft Windows XP Professional", " (Build 2600)"},
        {Version(2, 6, 1, 1, 0, "Service Pack 1"), false, "Microsoft later version of Vista Professional",
         "Service Pack 1 (Build 2600)"},
        {Version(2, 6, 0, 1), false, "Microsoft Vista Professional", " (Build 2600)"},
        {Version(2, 7, 0, 1), false, "Microsoft Windows 7 Professional", " (Build 2600)"},
        {Version(2, 4, 0, 1, 0, "service pack 6"), true, "Microsoft Windows NT Workstation 4.0",
         "Service Pack 6a (Build 2600)"},
        {Version(2, 4, 0, 1, 0, "Service Pack 6"), false, "Microsoft Windows NT Workstation 4.0",
         "Service Pack 6 (Build 2600)"},
        // Server 2003 is a Web edition only for exactly that suite mask.
        {Version(2, 5, 2, 3, 0x400), false, "Microsoft Windows Server 2003 Web Edition", " (Build 2600)"},
        {Version(2, 5, 2, 3, 0x410), false, "Microsoft Windows Server 2003 Standard Edition", " (Build 2600)"},
        {Version(2, 5, 2, 3, 0x82), false, "Microsoft Windows Server 2003 Datacenter Edition", " (Build 2600)"},
        {Version(2, 5, 2, 3, 0x2), false, "Microsoft Windows Server 2003 Enterprise Edition", " (Build 2600)"},
        {Version(2, 5, 0, 3, 0x2), false, "Microsoft Windows 2000 Advanced Server", " (Build 2600)"},
        {Version(2, 5, 0, 3, 0), false, "Microsoft Windows 2000 Server", " (Build 2600)"},
        {Version(2, 6, 1, 3, 0x2), false, "Microsoft later version of Vista Server 6.1, Enterprise Edition",
         " (Build 2600)"},
        // The short record carries no product type: no edition.
        {Version(2, 5, 1, 1, 0x200, "", 148), false, "Microsoft Windows XP", " (Build 2600)"},
    };
    for (const TRow& row : rows) {
        std::string name = "stale", servicePack = "stale";
        OSNameFromVersion(row.V, [&] { return row.HotFix; }, name, servicePack);
        EXPECT_EQ(name, row.Name);
        EXPECT_EQ(servicePack, row.ServicePack) << row.Name;
    }
}

TEST(SystemInfoTexts, ProcessorFeatures)
{
    const std::pair<std::uint32_t, const char*> standard[] = {
        {0, " -"},
        {1u << 8, "CX8"},
        {(1u << 8) | (1u << 15) | (1u << 23) | (1u << 25) | (1u << 26), "CX8 CMOV MMX SSE SSE-2"},
        {~((1u << 8) | (1u << 15) | (1u << 23) | (1u << 25) | (1u << 26)), " -"},
    };
    for (const auto& [edx, text] : standard) EXPECT_EQ(CPUFeatureText(edx), text) << std::hex << edx;
    const std::pair<std::uint32_t, const char*> extended[] = {
        {0, " -"},
        {1u << 22, "MMX-2"},
        {(1u << 30) | (1u << 31), "3DNow 3DNow-2"},
        {(1u << 22) | (1u << 30) | (1u << 31), "MMX-2 3DNow 3DNow-2"},
    };
    for (const auto& [edx, text] : extended) EXPECT_EQ(CPUExtendedFeatureText(edx), text) << std::hex << edx;
    EXPECT_EQ(TrimmedOrDash("   "), " -");
    EXPECT_EQ(TrimmedOrDash(" SSE "), "SSE");
}

TEST(SystemInfoTexts, DirectXVersionFromFiles)
{
    using TFiles = std::map<std::string, std::uint64_t>;
    struct TRow {
        TFiles Files;
        std::uint32_t Number;
        const char* Text;
    };
    const TRow rows[] = {
        {{}, 0, "0.0"},
        {{{"ddraw.dll", MakeFileVersion(4, 2, 0, 95)}}, 0x10000, "1.0"},
        {{{"ddraw.dll", MakeFileVersion(4, 2, 0, 94)}}, 0, "0.0"},
        {{{"ddraw.dll", MakeFileVersion(4, 4, 0, 68)}, {"d3drg8x.dll", MakeFileVersion(4, 4, 0, 70)}}, 0x30001, "3.0a"},
        {{{"ddraw.dll", MakeFileVersion(4, 6, 0, 436)}}, 0x60100, "6.1"},
        // Later rows override earlier ones, even with a lower version.
        {{{"ddraw.dll", MakeFileVersion(4, 7, 0, 700)}, {"dinput.dll", MakeFileVersion(4, 7, 0, 716)}},
         0x70001,
         "7.0a"},
        {{{"ddraw.dll", MakeFileVersion(5, 1, 2258, 400)}}, 0x80000, "8.0"},
        {{{"ddraw.dll", MakeFileVersion(5, 1, 2258, 399)}}, 0x70000, "7.0"},
        {{{"d3d8.dll", MakeFileVersion(5, 1, 2600, 901)}}, 0x80101, "8.1a"},
        {{{"mpg2splt.dll", MakeFileVersion(6, 3, 1, 885)}}, 0x80102, "8.1b"},
        {{{"dpnet.dll", MakeFileVersion(5, 2, 3677, 134)}}, 0x80200, "8.2"},
        {{{"d3d9.dll", MakeFileVersion(0, 0, 0, 1)}}, 0x90000, "9.0"},
        {{{"ddraw.dll", MakeFileVersion(6, 1, 7600, 16385)}, {"d3d9.dll", MakeFileVersion(6, 1, 7600, 16385)}},
         0x90000, "9.0"},
    };
    for (const TRow& row : rows) {
        const TDXVersion v = DirectXVersionFromFiles([&](const char* file) -> std::optional<std::uint64_t> {
            const auto found = row.Files.find(file);
            if (found == row.Files.end()) return std::nullopt;
            return found->second;
        });
        EXPECT_EQ(DXVersionNumber(v), row.Number) << row.Text;
        EXPECT_EQ(DXVersionText(v), row.Text);
    }
}

TEST(SystemInfoTexts, VersionLettersAndNumbers)
{
    const std::tuple<TDXVersion, std::uint32_t, const char*> rows[] = {
        {{9, 0, 'c'}, 0x90003, "9.0c"},
        {{9, 0, 'C'}, 0x90003, "9.0c"},
        {{9, 0, ' '}, 0x90000, "9.0"}, // DxDiag's blank for "no letter"
        {{9, 0, 0}, 0x90000, "9.0"},
        {{8, 1, 'b'}, 0x80102, "8.1b"},
    };
    for (const auto& [version, number, text] : rows) {
        EXPECT_EQ(DXVersionNumber(version), number) << text;
        EXPECT_EQ(DXVersionText(version), text);
    }
}

TEST(SystemInfoTexts, MemoryTexts)
{
    const std::pair<std::uint64_t, const char*> rows[] = {
        {0, " KB (0 Bytes)"},
        {1023, " KB (1023 Bytes)"}, // below 1 KB the formatted part is empty
        {1024, "1 KB (1024 Bytes)"},
        {1535, "1 KB (1535 Bytes)"},
        {1536, "2 KB (1536 Bytes)"},
        {1024ull * 999, "999 KB (1022976 Bytes)"},
        {1024ull * 1000, "1,000 KB (1024000 Bytes)"},
        {1024ull * 1234567, "1,234,567 KB (1264196608 Bytes)"},
        {8ull << 40, "8,589,934,592 KB (8796093022208 Bytes)"},
    };
    for (const auto& [bytes, text] : rows) EXPECT_EQ(MemoryText(bytes), text);
    EXPECT_EQ(MemoryText(1024ull * 1000, '.'), "1.000 KB (1024000 Bytes)");
}

TEST(SystemInfoTexts, DriverVersionNumber)
{
    EXPECT_EQ(DriverVersionNumber(0x00060014, 0x000A1234), 0x00141234u);
    EXPECT_EQ(DriverVersionNumber(0xFFFF0001, 0xFFFF0002), 0x00010002u);
}

} // namespace
