#pragma once
// The start-up check of the game's 75 image libraries: decides from the settings file and the libraries' CRC-32
// whether they have to be converted into SIL pairs, converts them, and records the outcome in the settings.
// The start-up screen drives it and shows its progress; tests drive it with a view of their own.
//
// Sections: the view; the check.
//
// One check at a time per client folder: Run holds a named lock of the folder (LibraryCheckLockName) from before it
// looks for the settings file until after its common end. A check started meanwhile waits, its progress bar saying
// why, and then checks what the other one left; a holder that ended without releasing the lock holds nobody up.
//
// Failures (a library that cannot be opened or read whole, "x.tmp" or a SIL file that cannot be written, the
// settings file) end the check at once with a log line and no message: what was converted and written before
// stays, the library being converted loses the incomplete SIL pair this check began writing (a pair it never
// began stays), and its CRC key is not written, so the next start tries again; a first start answered Yes keeps
// the forced-conversion key set until its full conversion finishes, so a failed one runs again at the next start.
// With the SIL libraries in use, a library whose pair is missing or incomplete (SilPairComplete) is converted again
// like a changed one. The check always frees what it made, hides the progress panel and removes "x.tmp".
#include <cstdint>
#include <memory>
#include <string>

class TIniFile;
class TLogEngine;
class TSILFile;
class TWILFile;

// ---- the view ----------------------------------------------------------------------------------------------------
enum class TCheckBar { Progress, Convert };  // the overall bar and the per-library bar
enum class TCheckText { NoText, Percent, Caption };

// What the check shows while it runs. Every call has a do-nothing default.
class TLibraryCheckView {
public:
    virtual ~TLibraryCheckView() = default;
    virtual void SetMaximum(TCheckBar, int64_t) {}
    virtual void SetPosition(TCheckBar, int64_t) {}
    virtual void SetTextOption(TCheckBar, TCheckText) {}
    virtual void SetCaption(TCheckBar, const std::string&) {}
    // 36 while a library is converted (both bars show), 19 otherwise.
    virtual void SetPanelHeight(int) {}
    virtual void HidePanel() {}
    // Lets the screen repaint between steps.
    virtual void ProcessMessages() {}
    // The first-start Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& /*Text*/, const std::string& /*Caption*/) { return false; }
    // An OK box.
    virtual void ShowInfo(const std::string&) {}
};

// ---- the check ---------------------------------------------------------------------------------------------------
// Settings file, sections and keys.
inline constexpr const char* SettingsFileName = "SorvantaMapEditor6.ini";
inline constexpr const char* FirstStartCaption = "Sorvanta Map Editor";
inline constexpr const char* FirstStartQuestion =
    "           ::: First start detected :::                \r\n"
    "Will you convert orginal image lib to faster image lib?";

// The library's path relative to the client folder for 0 to 74 ("Data\Tilesc.wil" ...), "" otherwise.
std::string CheckedLibraryFileName(int32_t Index);

// The progress bar's caption while another editor's check of the same folder holds the lock.
inline constexpr const char* LibraryCheckWaitingCaption =
    "Waiting for another Sorvanta Map Editor to finish checking the image libraries of this folder...";
// The name of the folder's lock: a named mutex of the session, one for every spelling of the folder's path (its
// full, long form in one case, hashed with CRC-32).
std::string LibraryCheckLockName(const std::string& ClientFolder);

class TImageLibraryCheck {
public:
    // ClientFolder ends with a path delimiter: the executable's folder in the program. Log may be null.
    TImageLibraryCheck(std::string ClientFolder, TLibraryCheckView& View, TLogEngine* Log);
    ~TImageLibraryCheck();
    TImageLibraryCheck(const TImageLibraryCheck&) = delete;
    TImageLibraryCheck& operator=(const TImageLibraryCheck&) = delete;

    // True after a full conversion or a first start that ran to its end; false otherwise. Never throws.
    bool Run();

    int32_t ImagesConverted() const { return Converted; }
    // True when the last Run ended early on a failure (see the header).
    bool Failed() const { return Failure; }

private:
    bool RunChecks();
    bool FirstStart();
    bool FullConversion(TIniFile& Ini);
    // True when the CRC differs from the stored key, or when the SIL pair is missing or incomplete (logged).
    bool NeedsConversion(const TIniFile& Ini, int32_t Index, uint32_t Crc);
    bool ConvertChangedLibrary(TIniFile& Ini, int32_t Index, uint32_t Crc);
    bool ConvertLibraryImages(int32_t Index);
    void CommonEnd();
    bool LibraryExists(int32_t Index) const;
    std::string BasePath(int32_t Index) const;
    // The CRC of an existing library; false (logged) when it cannot be read.
    bool LibraryCRC(int32_t Index, uint32_t& Crc);
    void Fail(const std::string& Message);

    std::string Folder;
    TLibraryCheckView& View;
    TLogEngine* Log;
    std::unique_ptr<TWILFile> Reader;  // of the library being converted
    std::unique_ptr<TSILFile> Writer;
    int32_t Converted = 0;
    bool Failure = false;
};
