#pragma once
// TImageLibraryFile: what the two image-library readers (TWILFile, TSILFile) share. A library is a pair of files,
// a data file and an index file, held as read-only mapped views; the reader keeps the path it opened, the device
// its textures are made on, and an optional log for its error lines. GUI thread only.
#include "classlib/ComPtr.h"
#include "classlib/core/Objects.h"
#include "gamedata/MappedFile.h"
#include "gamedata/core/ImageRecord.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

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
    // header copies and counts stay as Open read them. Maps nothing when no library is open. False when an open
    // library could not be mapped again (the reader then holds no views).
    bool Reload(uint32_t PauseMs = LibraryRemapPauseMs);

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
    // is missing or cannot be mapped; the caller has cleared itself before.
    bool OpenViews(const std::string& FilePath, std::span<uint8_t> DataHeader, std::span<uint8_t> IndexHeader);
    // Unmaps both views and forgets the path and the last image header.
    void CloseViews();
    bool ViewsMapped() const { return DataView.Mapped() && IndexView.Mapped(); }
    // "<ClassName>::<Routine>::UNKNOW_FILE_ERROR-Index:<Index>-File:<path>" through Log.
    void LogFailure(const char* Routine, int32_t Index);

    std::string Path;
    TMappedFile DataView;
    TMappedFile IndexView;
    ComPtr<IDirect3DDevice9> Device;
    TWilImageHeader LastHeader;

private:
    const char* ClassName;
    std::string_view DataExt;
    std::string_view IndexExt;
    TLogEngine* LogEngine = nullptr;  // not owned
};
