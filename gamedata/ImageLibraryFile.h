#pragma once
// TImageLibraryFile: what the two image-library readers (TWILFile, TSILFile) share. A library is a pair of files,
// a data file and an index file, held as read-only mapped views; the reader keeps the path it opened, the device
// its textures are made on, and an optional log for its error lines. GUI thread only.
//
// Another program may cut a mapped file short (Linux allows it, Windows does not): reading a page past the file's
// new end then raises a processor fault wherever the read happens. Every read of the views goes through ReadViews,
// where such a fault ends only the read: the views count as failed from then on (ViewsFailed), no read touches
// them any more and every image of the library is missing (NoImage) until Open or Reload maps the pair again.
#include "classlib/ComPtr.h"
#include "classlib/HandlerScope.h"
#include "classlib/core/Objects.h"
#include "gamedata/MappedFile.h"
#include "gamedata/core/ImageRecord.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

class TLogEngine;
struct IDirect3DDevice9;

// Default pause of Reload between releasing the views and mapping them again, in milliseconds.
constexpr uint32_t LibraryRemapPauseMs = 20;

class TImageLibraryFile : public TObject {
public:
    ~TImageLibraryFile() override;
    TImageLibraryFile(const TImageLibraryFile&) = delete;
    TImageLibraryFile& operator=(const TImageLibraryFile&) = delete;

    // Unmaps both views, pauses PauseMs and maps the pair again; the views take the files' present sizes, the
    // header copies and counts stay as Open read them, and views that had failed are read again. Maps nothing
    // when no library is open. False when an open library could not be mapped again (the reader then holds no
    // views).
    bool Reload(uint32_t PauseMs = LibraryRemapPauseMs);
    // True from a read of the views that faulted until the pair is mapped again.
    bool ViewsFailed() const { return Failed; }

    void SetDevice(IDirect3DDevice9* Device);
    void SetLog(TLogEngine* Log) { LogEngine = Log; }
    // Writes Message through the log's LogErrorPlain when a log is held.
    void Log(const std::string& Message);

    const std::string& FileName() const { return Path; }
    // The header of the image decoded (or looked up) last; zero after Clear.
    const TWilImageHeader& LastImageHeader() const { return LastHeader; }

protected:
    // ClassName starts the failure lines (e.g. "TWILFile"); DataExt and IndexExt pair the files (".wil", ".wix").
    TImageLibraryFile(const char* ClassName, std::string_view DataExt, std::string_view IndexExt);

    // Maps the pair named by FilePath (either file's name, extension in any case) and copies the first bytes of
    // each file into the header buffers (zero-filled past a short file). False, nothing mapped, when either file
    // is missing, cannot be mapped or faults while its header is read; the caller has cleared itself before.
    bool OpenViews(const std::string& FilePath, std::span<uint8_t> DataHeader, std::span<uint8_t> IndexHeader);
    // Unmaps both views and forgets the path and the last image header.
    void CloseViews();
    bool ViewsMapped() const { return DataView.Mapped() && IndexView.Mapped(); }
    // Runs Read, which reads the views, and tells whether it returned: false, Read not run, once the views have
    // failed; false when a read of the views faulted (an access violation or an in-page error at an address inside
    // either view), and the views have failed from then on. The fault ends Read without unwinding its frames (see
    // FaultBoundary.h), so Read holds nothing that must be destroyed or released: it reads the views into plain
    // values or into buffers sized before the call, and allocates nothing. Any other fault inside Read is no
    // failure of the files: it goes on up, to be reported as a fault of the program, and the views stay as they
    // were. Const readers use it too: a failure is what was found out about the files, not a change the caller
    // made.
    template <class TRead>
    bool ReadViews(TRead&& Read) const
    {
        if (Failed) return false;
        if (THandlerScope::CallAnsweringFaults({&ClaimsViewFault, this}, std::forward<TRead>(Read))) return true;
        Failed = true;
        return false;
    }
    // "<ClassName>::<Routine>::UNKNOW_FILE_ERROR-Index:<Index>-File:<path>" through Log.
    void LogFailure(const char* Routine, int32_t Index);

    std::string Path;
    TMappedFile DataView;
    TMappedFile IndexView;
    ComPtr<IDirect3DDevice9> Device;
    TWilImageHeader LastHeader;

private:
    // The claim of ReadViews' boundary; Reader is the TImageLibraryFile.
    static bool ClaimsViewFault(const EXCEPTION_RECORD& Record, const void* Reader) noexcept;

    const char* ClassName;
    std::string_view DataExt;
    std::string_view IndexExt;
    TLogEngine* LogEngine = nullptr;  // not owned
    mutable bool Failed = false;      // see ViewsFailed
};
