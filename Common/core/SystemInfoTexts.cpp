#include "Common/core/SystemInfoTexts.h"

#include <cctype>
#include <cmath>

// Sections: operating system; processor; DirectX version; report texts.

// --- operating system -----------------------------------------------------------------------------------------

namespace {

bool EqualsIgnoringAsciiCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

std::string NTEdition(const TOSVersion& v)
{
    if (v.ProductType == 1) {
        if (v.Major == 4) return " Workstation 4.0";
        return (v.SuiteMask & 0x200) ? " Home Edition" : " Professional";
    }
    if (v.ProductType != 3) return {};
    if (v.Major == 5 && v.Minor == 2) {
        if (v.SuiteMask & 0x80) return " Datacenter Edition";
        if (v.SuiteMask & 0x2) return " Enterprise Edition";
        if (v.SuiteMask == 0x400) return " Web Edition";
        return " Standard Edition";
    }
    if (v.Major == 5 && v.Minor == 0) {
        if (v.SuiteMask & 0x80) return " Datacenter Server";
        if (v.SuiteMask & 0x2) return " Advanced Server";
        return " Server";
    }
    std::string text = " Server " + std::to_string(v.Major) + "." + std::to_string(v.Minor);
    if (v.SuiteMask & 0x2) text += ", Enterprise Edition";
    return text;
}

std::string NTName(const TOSVersion& v)
{
    if (v.Major == 5 && v.Minor == 2) return "Microsoft Windows Server 2003";
    if (v.Major == 5 && v.Minor == 1) return "Microsoft Windows XP";
    if (v.Major == 5 && v.Minor == 0) return "Microsoft Windows 2000";
    if (v.Major == 6) return v.Minor == 0 ? "Microsoft Vista" : "Microsoft later version of Vista";
    if (v.Major == 7) return "Microsoft Windows 7";
    return "Microsoft Windows NT";
}

} // namespace

void OSNameFromVersion(const TOSVersion& Version, const std::function<bool()>& HasQ246009, std::string& Name,
                       std::string& ServicePack)
{
    Name.clear();
    ServicePack.clear();
    const TOSVersion& v = Version;
    const char csd1 = v.CSDVersion.size() > 1 ? v.CSDVersion[1] : '\0';
    switch (v.Platform) {
    case 0: Name = "Microsoft Win32s"; return;
    case 1:
        if (v.Major == 4 && v.Minor == 0) {
            Name = "Microsoft Windows 95";
            if (csd1 == 'B' || csd1 == 'C') Name += " OSR2";
        } else if (v.Major == 4 && v.Minor == 10) {
            Name = "Microsoft Windows 98";
            if (csd1 == 'A') Name += " SE";
        } else if (v.Major == 4 && v.Minor == 90) {
            Name = "Microsoft Windows Millennium Edition";
        }
        return;
    case 2:
        Name = NTName(v);
        if (v.Size == kOSVersionInfoExSize) Name += NTEdition(v);
        if (v.Major == 4 && EqualsIgnoringAsciiCase(v.CSDVersion, "Service Pack 6") && HasQ246009 && HasQ246009())
            ServicePack = "Service Pack 6a";
        else
            ServicePack = v.CSDVersion;
        ServicePack += " (Build " + std::to_string(v.Build) + ")";
        return;
    default: return;
    }
}

// --- processor ------------------------------------------------------------------------------------------------

namespace {

struct TFeatureBit {
    unsigned Bit;
    const char* Text;
};

std::string FeatureList(std::uint32_t Edx, std::initializer_list<TFeatureBit> Bits)
{
    std::string text;
    for (const TFeatureBit& f : Bits)
        if (Edx & (1u << f.Bit)) text += f.Text;
    return TrimmedOrDash(text);
}

} // namespace

std::string TrimmedOrDash(const std::string& Features)
{
    const std::size_t first = Features.find_first_not_of(' ');
    if (first == std::string::npos) return " -";
    return Features.substr(first, Features.find_last_not_of(' ') - first + 1);
}

std::string CPUFeatureText(std::uint32_t Leaf1Edx)
{
    return FeatureList(Leaf1Edx, {{8, " CX8"}, {15, " CMOV"}, {23, " MMX"}, {25, " SSE"}, {26, " SSE-2"}});
}

std::string CPUExtendedFeatureText(std::uint32_t Leaf80000001Edx)
{
    return FeatureList(Leaf80000001Edx, {{22, " MMX-2"}, {31, " 3DNow"}, {30, " 3DNow-2"}});
}

// --- DirectX version ------------------------------------------------------------------------------------------

namespace {

// One row of the file table: the file, up to two thresholds (the second for file versions with major 5) and
// the version a hit gives. A zero threshold is unused; "any" rows accept every readable version.
struct TFileRow {
    const char* File;
    std::uint64_t AtLeast;
    std::uint64_t AtLeastMajor5;
    TDXVersion Gives;
    bool Any = false;
};

constexpr std::uint64_t V(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d)
{
    return MakeFileVersion(a, b, c, d);
}

const TFileRow kFileRows[] = {
    {"ddraw.dll", V(4, 2, 0, 95), 0, {1, 0, 0}},
    {"ddraw.dll", V(4, 3, 0, 1096), 0, {2, 0, 0}},
    {"ddraw.dll", V(4, 4, 0, 68), 0, {3, 0, 0}},
    {"d3drg8x.dll", V(4, 4, 0, 70), 0, {3, 0, 'a'}},
    {"ddraw.dll", V(4, 5, 0, 155), 0, {5, 0, 0}},
    {"ddraw.dll", V(4, 6, 0, 318), 0, {6, 0, 0}},
    {"ddraw.dll", V(4, 6, 0, 436), 0, {6, 1, 0}},
    {"dplayx.dll", V(4, 6, 3, 518), 0, {6, 1, 'a'}},
    {"ddraw.dll", V(4, 7, 0, 700), 0, {7, 0, 0}},
    {"dinput.dll", V(4, 7, 0, 716), 0, {7, 0, 'a'}},
    {"ddraw.dll", V(4, 8, 0, 400), V(5, 1, 2258, 400), {8, 0, 0}},
    {"d3d8.dll", V(4, 8, 1, 881), V(5, 1, 2600, 881), {8, 1, 0}},
    {"d3d8.dll", V(4, 8, 1, 901), V(5, 1, 2600, 901), {8, 1, 'a'}},
    {"mpg2splt.dll", V(6, 3, 1, 885), 0, {8, 1, 'b'}},
    {"dpnet.dll", V(4, 9, 0, 134), V(5, 2, 3677, 134), {8, 2, 0}},
    {"d3d9.dll", 0, 0, {9, 0, 0}, true},
};

bool Reaches(const TFileRow& row, std::uint64_t version)
{
    if (row.Any) return true;
    // Rows with a second threshold compare within the file's own major version line.
    if (row.AtLeastMajor5 != 0 && (version >> 48) == 5) return version >= row.AtLeastMajor5;
    if (row.AtLeastMajor5 != 0 && (version >> 48) != 4) return false;
    return version >= row.AtLeast;
}

} // namespace

TDXVersion DirectXVersionFromFiles(const std::function<std::optional<std::uint64_t>(const char* File)>& FileVersion)
{
    TDXVersion result;
    for (const TFileRow& row : kFileRows) {
        const std::optional<std::uint64_t> version = FileVersion(row.File);
        if (version && Reaches(row, *version)) result = row.Gives;
    }
    return result;
}

namespace {

// The letter in lower case, or 0 for anything that is not a letter (DxDiag reports a blank for none).
char VersionLetter(char Letter)
{
    const auto c = static_cast<unsigned char>(Letter);
    return std::isalpha(c) ? static_cast<char>(std::tolower(c)) : '\0';
}

} // namespace

std::uint32_t DXVersionNumber(const TDXVersion& Version)
{
    const char letter = VersionLetter(Version.Letter);
    return (Version.Major << 16) | (Version.Minor << 8) | std::uint32_t(letter ? letter - 'a' + 1 : 0);
}

std::string DXVersionText(const TDXVersion& Version)
{
    std::string text = std::to_string(Version.Major) + "." + std::to_string(Version.Minor);
    if (const char letter = VersionLetter(Version.Letter)) text += letter;
    return text;
}

// --- report texts ---------------------------------------------------------------------------------------------

std::string MemoryText(std::uint64_t Bytes, char Separator)
{
    const double kilobytes = std::floor(static_cast<double>(Bytes) / 1024.0 + 0.5);
    std::string grouped;
    if (static_cast<double>(Bytes) / 1024.0 >= 1.0) {
        const std::string digits = std::to_string(static_cast<std::uint64_t>(kilobytes));
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0) grouped += Separator;
            grouped += digits[i];
        }
    }
    return grouped + " KB (" + std::to_string(Bytes) + " Bytes)";
}

std::uint32_t DriverVersionNumber(std::uint32_t HighPart, std::uint32_t LowPart)
{
    return ((HighPart & 0xFFFF) << 16) | (LowPart & 0xFFFF);
}
