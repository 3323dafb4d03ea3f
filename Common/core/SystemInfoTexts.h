#pragma once
// The platform-free half of the system report: operating-system names from version numbers, processor feature
// texts from CPUID registers, the DirectX version from system file versions, and the memory and driver-version
// texts. The Windows probes (Dev_SystemProbes, Dev_DXVersion) feed these with what they read.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// --- operating system -----------------------------------------------------------------------------------------

// The fields of Windows' extended version record the names depend on. Size is the record size the system
// filled: 156 for the extended record, anything else for the short one (no suite or product type).
struct TOSVersion {
    std::uint32_t Size = 0;
    std::uint32_t Major = 0, Minor = 0, Build = 0;
    std::uint32_t Platform = 0; // 0 Win32s, 1 Windows 9x, 2 NT
    std::string CSDVersion;     // service-pack text
    std::uint16_t SuiteMask = 0;
    std::uint8_t ProductType = 0; // 1 workstation, 2 domain controller, 3 server
};
inline constexpr std::uint32_t kOSVersionInfoExSize = 156;

// Name and service-pack text; both empty for an unknown platform. HasQ246009 tells whether the hot-fix key that
// turns NT 4's "Service Pack 6" into "Service Pack 6a" exists (asked only when it matters).
void OSNameFromVersion(const TOSVersion& Version, const std::function<bool()>& HasQ246009, std::string& Name,
                       std::string& ServicePack);

// --- processor ------------------------------------------------------------------------------------------------

// The feature text of CPUID leaf 1's EDX and the extended text of leaf 0x80000001's EDX: " CX8 CMOV MMX SSE SSE-2"
// and " MMX-2 3DNow 3DNow-2" style lists, trimmed, " -" when empty.
std::string CPUFeatureText(std::uint32_t Leaf1Edx);
std::string CPUExtendedFeatureText(std::uint32_t Leaf80000001Edx);
// The text of an empty feature list.
std::string TrimmedOrDash(const std::string& Features);

// --- DirectX version ------------------------------------------------------------------------------------------

struct TDXVersion {
    std::uint32_t Major = 0, Minor = 0;
    char Letter = 0; // 'a', 'b'... or 0
};

// File version a.b.c.d as (a << 48) | (b << 32) | (c << 16) | d.
constexpr std::uint64_t MakeFileVersion(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d)
{
    return (std::uint64_t(a) << 48) | (std::uint64_t(b) << 32) | (std::uint64_t(c) << 16) | d;
}

// The version the system files tell: FileVersion gives a file's version in the system folder, or nothing when the
// file is missing or has none. No hit gives 0.0 without a letter.
TDXVersion DirectXVersionFromFiles(const std::function<std::optional<std::uint64_t>(const char* File)>& FileVersion);

// (major << 16) | (minor << 8) | letter number (1 for 'a'; the letter is taken case-insensitively).
std::uint32_t DXVersionNumber(const TDXVersion& Version);
// "9.0c", or "9.0" without a letter.
std::string DXVersionText(const TDXVersion& Version);

// --- report texts ---------------------------------------------------------------------------------------------

// FormatFloat("###,###") of Bytes / 1024 + " KB (" + Bytes + " Bytes)": the KB part rounded half up, grouped by
// Separator, empty below 1 KB.
std::string MemoryText(std::uint64_t Bytes, char Separator = ',');
// The driver version as the report shows it: (low word of the high part) << 16 | low word of the low part.
std::uint32_t DriverVersionNumber(std::uint32_t HighPart, std::uint32_t LowPart);
