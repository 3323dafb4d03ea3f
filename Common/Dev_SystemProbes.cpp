#include "Common/Dev_SystemProbes.h"

#include "Common/core/SystemInfoTexts.h"

#include <cpuid.h>

#include <cstring>

// Sections: operating system; processor.

// --- operating system -----------------------------------------------------------------------------------------

bool GetOSVersionInfo(OSVERSIONINFOEXA& Info)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        Info = OSVERSIONINFOEXA{};
        Info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
        if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&Info))) return true;
    }
    Info.dwOSVersionInfoSize = 0;
    return false;
}

void GetOSName(std::string& Name, std::string& ServicePack)
{
    static_assert(sizeof(OSVERSIONINFOEXA) == kOSVersionInfoExSize);
    Name.clear();
    ServicePack.clear();
    OSVERSIONINFOEXA info;
    if (!GetOSVersionInfo(info)) return;
    TOSVersion version;
    version.Size = info.dwOSVersionInfoSize;
    version.Major = info.dwMajorVersion;
    version.Minor = info.dwMinorVersion;
    version.Build = info.dwBuildNumber;
    version.Platform = info.dwPlatformId;
    version.CSDVersion = std::string(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
    version.SuiteMask = info.wSuiteMask;
    version.ProductType = info.wProductType;
    const auto hasHotFix = [] {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009", 0,
                          KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    };
    OSNameFromVersion(version, hasHotFix, Name, ServicePack);
}

// --- processor ------------------------------------------------------------------------------------------------

namespace {

struct TCPUInfo {
    bool Read = false;
    std::string Vendor;
    unsigned Family = 0, Model = 0, Count = 0;
    std::string Features, ExtendedFeatures;
};

TCPUInfo gCPU;

} // namespace

void InitCPUInfo()
{
    if (gCPU.Read) return;
    gCPU.Read = true;
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    std::string features, extended;
    // __get_cpuid_max returns 0 where the CPUID instruction is missing (the flags' ID bit cannot be toggled).
    const unsigned highest = __get_cpuid_max(0, nullptr);
    if (highest != 0 && __get_cpuid(0, &eax, &ebx, &ecx, &edx)) {
        char vendor[12];
        std::memcpy(vendor, &ebx, 4);
        std::memcpy(vendor + 4, &edx, 4);
        std::memcpy(vendor + 8, &ecx, 4);
        gCPU.Vendor.assign(vendor, 12);
        if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
            gCPU.Family = (eax >> 8) & 0xF;
            gCPU.Model = (eax >> 4) & 0xF;
            features = CPUFeatureText(edx);
        }
        if (__get_cpuid_max(0x80000000u, nullptr) > 0x80000000u && __get_cpuid(0x80000001u, &eax, &ebx, &ecx, &edx))
            extended = CPUExtendedFeatureText(edx);
    }
    gCPU.Features = TrimmedOrDash(features);
    gCPU.ExtendedFeatures = TrimmedOrDash(extended);
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    gCPU.Count = system.dwNumberOfProcessors & 0xFF;
}

std::string GetCPUVendor() { return gCPU.Vendor; }
std::string GetCPUFeatures() { return gCPU.Features; }
std::string GetCPUExtendedFeatures() { return gCPU.ExtendedFeatures; }
std::string GetCPUFamily() { return std::to_string(gCPU.Family); }
std::string GetCPUModel() { return std::to_string(gCPU.Model); }
std::string GetCPUCount() { return std::to_string(gCPU.Count); }
