#pragma once
// The installed DirectX version: asked of the DxDiag provider, or read from the versions of system files.
#include <windows.h>

#include <cstdint>
#include <string>

// Number (major << 16) | (minor << 8) | letter (1 = 'a') and text ("9.0c"); S_OK, or E_FAIL with 0 and "".
HRESULT GetDXVersion(DWORD& Version, std::string& Text);
HRESULT GetDirectXVersionViaDxDiag(DWORD& Major, DWORD& Minor, char& Letter);
HRESULT GetDirectXVersionViaFileVersions(DWORD& Major, DWORD& Minor, char& Letter);
// The fixed file version (a << 48 | b << 32 | c << 16 | d); E_INVALIDARG without a path, E_FAIL without one.
HRESULT GetFileVersion(const char* Path, std::uint64_t& Version);
