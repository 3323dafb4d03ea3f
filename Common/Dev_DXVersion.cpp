#include "Common/Dev_DXVersion.h"

#include "Common/core/SystemInfoTexts.h"
#include "classlib/ComPtr.h"

// The DxDiag GUIDs are missing from the import libraries: this file defines them for the whole program.
#include <initguid.h>
#include <dxdiag.h>

#include <oleauto.h>

#include <vector>

// Sections: DxDiag; file versions; the version.

// --- DxDiag ---------------------------------------------------------------------------------------------------

namespace {

// A VARIANT cleared on every exit.
struct TVariant {
    TVariant() { VariantInit(&Value); }
    ~TVariant() { VariantClear(&Value); }
    TVariant(const TVariant&) = delete;
    TVariant& operator=(const TVariant&) = delete;
    VARIANT Value;
};

// Balances a successful CoInitialize.
struct TComScope {
    TComScope() : Initialised(SUCCEEDED(CoInitialize(nullptr))) {}
    ~TComScope()
    {
        if (Initialised) CoUninitialize();
    }
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;
    bool Initialised;
};

bool ReadDword(IDxDiagContainer* Container, const wchar_t* Name, DWORD& Value)
{
    TVariant v;
    if (FAILED(Container->GetProp(Name, &v.Value)) || v.Value.vt != VT_UI4) return false;
    Value = v.Value.ulVal;
    return true;
}

} // namespace

HRESULT GetDirectXVersionViaDxDiag(DWORD& Major, DWORD& Minor, char& Letter)
{
    const TComScope com;
    ComPtr<IDxDiagProvider> provider;
    if (FAILED(CoCreateInstance(CLSID_DxDiagProvider, nullptr, CLSCTX_INPROC_SERVER, IID_IDxDiagProvider,
                                reinterpret_cast<void**>(provider.Out()))))
        return E_FAIL;
    DXDIAG_INIT_PARAMS params{};
    params.dwSize = sizeof params; // 24 in a 64-bit program: a fixed 16 is refused
    params.dwDxDiagHeaderVersion = DXDIAG_DX9_SDK_VERSION;
    params.bAllowWHQLChecks = FALSE;
    ComPtr<IDxDiagContainer> root, system;
    if (FAILED(provider->Initialize(&params)) || FAILED(provider->GetRootContainer(root.Out())) ||
        FAILED(root->GetChildContainer(L"DxDiag_SystemInfo", system.Out())))
        return E_FAIL;
    DWORD major = 0, minor = 0;
    if (!ReadDword(system.Get(), L"dwDirectXVersionMajor", major) ||
        !ReadDword(system.Get(), L"dwDirectXVersionMinor", minor))
        return E_FAIL;
    TVariant letter;
    if (FAILED(system->GetProp(L"szDirectXVersionLetter", &letter.Value)) || letter.Value.vt != VT_BSTR ||
        letter.Value.bstrVal == nullptr)
        return E_FAIL;
    char converted[4] = {};
    WideCharToMultiByte(CP_ACP, 0, letter.Value.bstrVal, 1, converted, sizeof converted, nullptr, nullptr);
    Major = major;
    Minor = minor;
    Letter = converted[0];
    return S_OK;
}

// --- file versions --------------------------------------------------------------------------------------------

HRESULT GetFileVersion(const char* Path, std::uint64_t& Version)
{
    if (Path == nullptr || *Path == '\0') return E_INVALIDARG;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(Path, &handle);
    if (size == 0) return E_FAIL;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(Path, 0, size, block.data())) return E_FAIL;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || info == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
        return E_FAIL;
    Version = (std::uint64_t(info->dwFileVersionMS) << 32) | info->dwFileVersionLS;
    return S_OK;
}

HRESULT GetDirectXVersionViaFileVersions(DWORD& Major, DWORD& Minor, char& Letter)
{
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    const std::string system = length > 0 && length < MAX_PATH ? std::string(folder, length) + "\\" : std::string();
    const TDXVersion version = DirectXVersionFromFiles([&system](const char* file) -> std::optional<std::uint64_t> {
        const std::string path = system + file;
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
        std::uint64_t fileVersion = 0;
        if (FAILED(GetFileVersion(path.c_str(), fileVersion))) return std::nullopt;
        return fileVersion;
    });
    Major = version.Major;
    Minor = version.Minor;
    Letter = version.Letter;
    return S_OK;
}

// --- the version ----------------------------------------------------------------------------------------------

HRESULT GetDXVersion(DWORD& Version, std::string& Text)
{
    DWORD major = 0, minor = 0;
    char letter = 0;
    if (FAILED(GetDirectXVersionViaDxDiag(major, minor, letter)) &&
        FAILED(GetDirectXVersionViaFileVersions(major, minor, letter))) {
        Version = 0;
        Text.clear();
        return E_FAIL;
    }
    const TDXVersion version{major, minor, letter};
    Version = DXVersionNumber(version);
    Text = DXVersionText(version);
    return S_OK;
}
