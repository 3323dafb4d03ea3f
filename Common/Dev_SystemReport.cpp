#include "Common/Dev_SystemReport.h"

#include "Common/Dev_DXVersion.h"
#include "Common/Dev_Gui.h"
#include "Common/Dev_LogEngineClass.h"
#include "Common/Dev_SystemProbes.h"
#include "Common/core/SystemInfoTexts.h"

#include <string>

// Sections: texts; the report.

namespace {

// --- texts ----------------------------------------------------------------------------------------------------

// Every label is padded to 28 characters before the colon.
std::string Label(const char* Name)
{
    std::string label = Name;
    if (label.size() < 28) label.resize(28, ' ');
    return label + ": ";
}

std::string Narrow(const wchar_t* Text)
{
    char buffer[512];
    const int length = WideCharToMultiByte(CP_ACP, 0, Text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return length > 0 ? std::string(buffer) : std::string();
}

std::string ExecutableFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, length < MAX_PATH ? length : 0);
    const size_t slash = full.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
}

char ThousandSeparator()
{
    char separator[4] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) > 1 ? separator[0] : ',';
}

// "major.minor" of a shader version token.
std::string ShaderVersion(DWORD Version)
{
    return std::to_string(D3DSHADER_VERSION_MAJOR(Version)) + "." + std::to_string(D3DSHADER_VERSION_MINOR(Version));
}

// --- the report -----------------------------------------------------------------------------------------------

class TReport {
public:
    explicit TReport(TLogEngine* Log) : log_(Log) {}
    void Line(const char* Name, const std::string& Value)
    {
        if (log_) log_->LogInfo(Label(Name) + Value);
    }
    void Error(const std::string& Text)
    {
        if (log_) log_->LogError(Text);
    }

private:
    TLogEngine* log_;
};

void ReportDevice(TReport& Report, const D3DADAPTER_IDENTIFIER9& Identifier)
{
    const ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
    const D3DCAPS9 caps = *DXUTGetDeviceCaps();
    Report.Line("Graphic 3D Version", std::to_string(DriverVersionNumber(
                                          static_cast<std::uint32_t>(Identifier.DriverVersion.HighPart),
                                          Identifier.DriverVersion.LowPart)));
    Report.Line("Device supports", std::to_string(device->GetAvailableTextureMem() >> 20) + " MB Texture Memory.");
    const std::pair<unsigned long, const char*> limits[] = {
        {caps.MaxTextureHeight, " pix Texture Height"},    {caps.MaxTextureWidth, " pix Texture Width"},
        {caps.MaxTextureBlendStages, " Texture Blend Stages"}, {caps.MaxActiveLights, " Active Lights"},
        {caps.MaxPrimitiveCount, " Primitive Count"},      {caps.MaxVertexIndex, " Vertex Index"},
        {caps.MaxStreams, " Streams"},                     {caps.MaxStreamStride, " Stream Stride"},
    };
    for (const auto& [value, what] : limits) Report.Line("Device supports Max", std::to_string(value) + what);
    Report.Line("Device supports", "Pixel Shader Version " + ShaderVersion(caps.PixelShaderVersion));
    Report.Line("Device supports", "Vertex Shader Version " + ShaderVersion(caps.VertexShaderVersion));
    // Non-power-of-two sizes are fully usable without the POW2 bit and conditionally usable with both bits.
    const bool pow2Only = (caps.TextureCaps & D3DPTEXTURECAPS_POW2) != 0;
    const bool conditional = (caps.TextureCaps & D3DPTEXTURECAPS_NONPOW2CONDITIONAL) != 0;
    const bool nonPow2 = !pow2Only || conditional;
    Report.Line("Device supports", nonPow2 ? "Yes can use non Power Of Two Texture" : "Can't use non Power Of Two Texture");
    Report.Line("Device use", Narrow(DXUTGetDeviceTypeText()));
    Report.Line("Device use", Narrow(DXUTGetVertexProcessingText()));
    Report.Line("Device use", GetDXUTState().Get(&TDX9State_STATE::ConstantFrameTime) ? "Constant Frame Time Yes"
                                                                                      : "Constant Frame Time No");
}

void ReportPresentation(TReport& Report, bool WithDevice)
{
    const D3DPRESENT_PARAMETERS pp = DXUTGetPresentParameters();
    if (WithDevice) Report.Line("Game Info Window", pp.Windowed ? "Window Mode" : "Fullscreen Mode");
    Report.Line("Game Info Size", std::to_string(pp.BackBufferWidth) + " x " + std::to_string(pp.BackBufferHeight));
    if (!WithDevice) return;
    Report.Line("Game Info Interval", pp.PresentationInterval ? "Immediate Mode active" : "VSync Mode active");
    Report.Line("Game Info RR in Hz",
                pp.FullScreen_RefreshRateInHz ? std::to_string(pp.FullScreen_RefreshRateInHz) : "Monitor Default");
}

} // namespace

bool LogSystemInformation(TLogEngine* Log)
{
    TReport report(Log);
    DWORD dxNumber = 0;
    std::string dxText;
    if (FAILED(GetDXVersion(dxNumber, dxText)))
        dxText = "Unknown version of DirectX installed";
    else if (dxNumber == 0)
        dxText = "DirectX not installed";

    MEMORYSTATUS memory{};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatus(&memory);
    std::string osName, servicePack;
    GetOSName(osName, servicePack);
    InitCPUInfo();
    D3DADAPTER_IDENTIFIER9 identifier{};
    const ComPtr<IDirect3D9> d3d = DXUTGetD3DObject();
    const bool haveAdapter = d3d && SUCCEEDED(d3d->GetAdapterIdentifier(0, 0, &identifier));

    report.Line("Detected", osName + " " + servicePack);
    report.Line("DirectX Version", dxText);
    report.Line("CPU Detected", GetCPUVendor());
    report.Line("CPU Model", GetCPUModel());
    report.Line("CPU Family", GetCPUFamily());
    report.Line("CPU Count", GetCPUCount());
    report.Line("CPU Features", GetCPUFeatures());
    report.Line("CPU Features", GetCPUExtendedFeatures());
    report.Line("Base directory", ExecutableFolder());
    report.Line("Memory in Use", std::to_string(memory.dwMemoryLoad) + "%");
    const char separator = ThousandSeparator();
    const std::pair<const char*, SIZE_T> amounts[] = {
        {"Total Paging memory", memory.dwTotalPageFile},   {"Total Virtual memory", memory.dwTotalVirtual},
        {"Total Physical memory", memory.dwTotalPhys},     {"Available Paging memory", memory.dwAvailPageFile},
        {"Available Virtual memory", memory.dwAvailVirtual}, {"Available Physical memory", memory.dwAvailPhys},
    };
    for (const auto& [name, bytes] : amounts) report.Line(name, MemoryText(bytes, separator));
    // Without a Direct3D object there is no adapter to describe.
    if (haveAdapter) {
        report.Line("Graphic 3D Adapter", identifier.Description);
        report.Line("Graphic 3D Device", identifier.DeviceName);
        report.Line("Graphic 3D Driver", identifier.Driver);
    }
    const bool withDevice = bool(DXUTGetD3DDevice());
    if (withDevice) ReportDevice(report, identifier);
    ReportPresentation(report, withDevice);
    if (!withDevice) report.Error("No good graphic system available on this PC..");
    if (dxText == "DirectX not installed") {
        report.Error("No Graphic System Available..");
        report.Error("Exit Game after DX Error..");
        return false;
    }
    return true;
}
