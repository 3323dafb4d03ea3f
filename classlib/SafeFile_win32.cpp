#include "classlib/core/SafeFile.h"

#include <windows.h>

#include <atomic>
#include <string>

#include "classlib/core/SysUtils.h"

namespace {

// The system's text for an error code, without the trailing line break.
std::string Reason(DWORD error)
{
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string r = n ? std::string(text, n) : "System error " + std::to_string(error);
    if (text)
        LocalFree(text);
    return TrimRight(r);
}

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    bool Close()
    {
        const bool ok = !Valid() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

// Creates a fresh file beside `path`, named by TemporaryFileName for the process and a counter of its own.
HANDLE CreateTemporary(const std::string& path, std::string& tempName)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = TemporaryFileName(path, GetCurrentProcessId(), counter++);
        const HANDLE h = CreateFileA(tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                     nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return h;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE h, const void* data, size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(h, p, chunk, &written, nullptr) || written == 0)
            return false;
        p += written;
        size -= written;
    }
    return true;
}

// Closes a file that `written` says was written whole; on a failure of either, removes the file at `name` and
// throws EWriteError naming `path`.
void CloseWritten(FileHandle& file, bool written, const std::string& name, const std::string& path)
{
    DWORD error = written ? 0 : GetLastError();
    if (!file.Close() && written) {
        written = false;
        error = GetLastError();
    }
    if (!written) {
        DeleteFileA(name.c_str());
        throw EWriteError("Cannot write file \"" + path + "\". " + Reason(error));
    }
}

} // namespace

void WriteFileReplacing(const std::string& path, std::initializer_list<TFileBytes> pieces)
{
    std::string temp;
    FileHandle file(CreateTemporary(path, temp));
    if (!file.Valid())
        throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(GetLastError()));

    bool ok = true;
    for (const TFileBytes& piece : pieces)
        ok = ok && WriteAll(file.Get(), piece.Data, piece.Size);
    CloseWritten(file, ok && FlushFileBuffers(file.Get()), temp, path);
    // Windows refuses to replace a read-only file; Wine replaces it, read-only mark and all. The refusal is ours.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    DWORD error = readOnly ? ERROR_ACCESS_DENIED : 0;
    if (!error && !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error) {
        DeleteFileA(temp.c_str());
        throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(error));
    }
}

void WriteFilePlain(const std::string& path, const void* data, size_t size)
{
    FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(GetLastError()));
    CloseWritten(file, WriteAll(file.Get(), data, size), path, path);
}
