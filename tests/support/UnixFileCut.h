#pragma once
// Cutting a file short while this program maps it, as another program on Linux can: Windows and Wine's own file
// calls refuse (SetEndOfFile fails with ERROR_USER_MAPPED_FILE), so the system's truncate program is started on
// the file's Unix path. Reading a mapped page past the new end then faults, as it would in the running editor.
// Wine only.
#include <windows.h>

#include "classlib/WinHandle.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// The file's size as Windows sees it, or -1.
inline int64_t FileSizeOf(const std::string& Path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(Path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return int64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// Cuts the file to Size bytes from the Unix side and waits (at most 5 s) until Windows sees the new size: Wine
// starts a Unix program without a handle to wait on. False when that is not seen.
inline bool CutFileShortFromUnix(const std::string& Path, uint64_t Size)
{
    using TUnixName = char*(CDECL*)(LPCWSTR);
    using TDosName = WCHAR*(CDECL*)(const char*);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto unixName =
        reinterpret_cast<TUnixName>(reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
    const auto dosName =
        reinterpret_cast<TDosName>(reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_dos_file_name")));
    if (!unixName || !dosName) return false;
    std::wstring wide(MAX_PATH, L'\0');
    wide.resize(GetFullPathNameW(std::wstring(Path.begin(), Path.end()).c_str(), MAX_PATH, wide.data(), nullptr));
    char* file = unixName(wide.c_str());
    WCHAR* program = dosName("/usr/bin/truncate");
    if (!file || !program) return false;
    const std::string unixFile = file;
    const std::wstring dosProgram = program;
    HeapFree(GetProcessHeap(), 0, file);
    HeapFree(GetProcessHeap(), 0, program);
    std::wstring command = L"truncate -s " + std::to_wstring(Size) + L" \"" +
                           std::wstring(unixFile.begin(), unixFile.end()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(dosProgram.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    const TWinHandle started(process.hProcess), thread(process.hThread);
    for (int waited = 0; waited < 5000; waited += 5) {
        if (FileSizeOf(Path) == int64_t(Size)) return true;
        Sleep(5);
    }
    return false;
}

// Writes Bytes over the file from its start without cutting it first (a mapped file cannot be cut from here),
// which makes a file that was cut short whole again.
inline bool WriteOverFile(const std::string& Path, const std::vector<uint8_t>& Bytes)
{
    const TWinHandle file(CreateFileA(Path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), Bytes.data(), DWORD(Bytes.size()), &written, nullptr) &&
           written == Bytes.size();
}

}  // namespace testsupport
