#include "editor/uImageLibraryCheck.h"

#include "Common/Dev_LogEngineClass.h"
#include "classlib/WinHandle.h"
#include "classlib/core/IniFiles.h"
#include "classlib/core/SysUtils.h"
#include "editor/core/uCRC32.h"
#include "gamedata/core/ImageLibraries.h"
#include "gamedata/uBase_SIL_File.h"
#include "gamedata/uBase_WIL_File.h"

#include <windows.h>

#include <cstdio>
#include <exception>

// Sections: helpers; the folder's lock; run and common end; CRC pass; conversions; first start.

namespace {

constexpr int32_t LibraryCount = ImageLibraryCount;  // 75
constexpr int32_t ProbeLibrary = 46;                 // "Data\Snow\Tiles30c.wil": missing means a fresh client
constexpr uint8_t ConversionPngLevel = 4;
constexpr int PanelHeightOneBar = 19;
constexpr int PanelHeightTwoBars = 36;

const char* const SectionConvert = "ConvertImage";
const char* const KeyConvert = "Convert";
const char* const SectionUseLib = "UseImageLib";
const char* const KeyUsingLib = "UsingLib";
const char* const SectionCrc = "CRC_Check";
const char* const SectionDirectX = "DirectX";
const char* const KeyNoVSync = "NoVSync";
// How often the screen repaints while another check holds the folder's lock, in milliseconds.
constexpr DWORD LockWaitSliceMs = 50;

void RemoveFile(const std::string& Path)
{
    if (FileExists(Path)) DeleteFileA(Path.c_str());
}

void RemoveSilPair(const std::string& Base)
{
    RemoveFile(Base + ".sil");
    RemoveFile(Base + ".six");
}

// The folder's lock as this thread holds it: released and closed when the owner dies.
struct TFolderLock {
    TWinHandle Mutex;
    bool Held = false;
    ~TFolderLock()
    {
        if (Held) ReleaseMutex(Mutex.Get());
    }
};

// The folder's path as the lock's name sees it: full, in its long form where the folder exists, in one case. A call
// that fails (a path past the platform's limit, which holds no library anyway) keeps what it was given.
std::string FolderPathKey(const std::string& Folder)
{
    std::string path = Folder;
    char out[MAX_PATH * 2];  // a path of MAX_PATH characters in a double-byte code page
    DWORD n = GetFullPathNameA(path.c_str(), sizeof out, out, nullptr);
    if (n > 0 && n < sizeof out) path.assign(out, n);
    n = GetLongPathNameA(path.c_str(), out, sizeof out);
    if (n > 0 && n < sizeof out) path.assign(out, n);
    CharUpperBuffA(path.data(), DWORD(path.size()));
    return path;
}

// Takes the folder's lock for this thread. While another check holds it, the progress bar says why and the screen
// repaints every slice; a lock whose holder ended without releasing it is ours at once. When the platform gives no
// lock the check runs without it, logged.
void LockFolder(TFolderLock& Lock, const std::string& Folder, TLibraryCheckView& View, TLogEngine* Log)
{
    Lock.Mutex.Reset(CreateMutexA(nullptr, FALSE, LibraryCheckLockName(Folder).c_str()));
    DWORD result = Lock.Mutex ? WaitForSingleObject(Lock.Mutex.Get(), 0) : WAIT_FAILED;
    if (result == WAIT_TIMEOUT) {
        if (Log) Log->LogInfo("Image library check: another editor is checking the image libraries of this folder; "
                              "waiting until it has finished");
        View.SetTextOption(TCheckBar::Progress, TCheckText::Caption);
        View.SetCaption(TCheckBar::Progress, LibraryCheckWaitingCaption);
        do {
            View.ProcessMessages();
            result = WaitForSingleObject(Lock.Mutex.Get(), LockWaitSliceMs);
        } while (result == WAIT_TIMEOUT);
        View.SetTextOption(TCheckBar::Progress, TCheckText::Percent);
    }
    Lock.Held = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    if (result == WAIT_ABANDONED && Log)
        Log->LogWarning("Image library check: an editor that checked this folder before ended without finishing; "
                        "checking as usual");
    if (!Lock.Held && Log)
        Log->LogWarning("Image library check: cannot lock this folder for the check (error " +
                        IntToStr(int32_t(GetLastError())) + "); it is checked without the lock");
}

}  // namespace

// ---- helpers -----------------------------------------------------------------------------------------------------

std::string CheckedLibraryFileName(int32_t Index)
{
    return IsCachedLibrary(Index) ? GetLibraryFileName(Index) : std::string();
}

TImageLibraryCheck::TImageLibraryCheck(std::string ClientFolder, TLibraryCheckView& AView, TLogEngine* ALog)
    : Folder(std::move(ClientFolder)), View(AView), Log(ALog)
{
}

TImageLibraryCheck::~TImageLibraryCheck() = default;

bool TImageLibraryCheck::LibraryExists(int32_t Index) const
{
    return FileExists(Folder + CheckedLibraryFileName(Index));
}

std::string TImageLibraryCheck::BasePath(int32_t Index) const
{
    const std::string name = CheckedLibraryFileName(Index);
    return Folder + name.substr(0, name.size() - 4);
}

bool TImageLibraryCheck::LibraryCRC(int32_t Index, uint32_t& Crc)
{
    uint16_t error = FileCRC32Ok;
    Crc = FileCRC32(Folder + CheckedLibraryFileName(Index), error);
    if (error == FileCRC32Ok) return true;
    if (Log) Log->LogWarning("Image library check: cannot read " + CheckedLibraryFileName(Index) +
                             " for its CRC; the library is skipped");
    return false;
}

void TImageLibraryCheck::Fail(const std::string& Message)
{
    Failure = true;
    if (Log) Log->LogError("Image library check stopped: " + Message);
}

// ---- the folder's lock -------------------------------------------------------------------------------------------

std::string LibraryCheckLockName(const std::string& ClientFolder)
{
    const std::string key = FolderPathKey(ClientFolder);
    uint32_t crc = 0xFFFFFFFFu;
    CRC32Update(key.data(), key.size(), crc);
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", unsigned(~crc));
    return std::string("SorvantaMapEditor6.LibraryCheck.") + hex;
}

// ---- run and common end ------------------------------------------------------------------------------------------

bool TImageLibraryCheck::Run()
{
    Converted = 0;
    Failure = false;
    bool result = false;
    TFolderLock lock;  // held until after the common end
    try {
        LockFolder(lock, Folder, View, Log);
        result = FileExists(Folder + SettingsFileName) ? RunChecks() : FirstStart();
    } catch (const std::exception& e) {
        Fail(e.what());
        result = false;
    } catch (...) {
        Fail("unknown error");
        result = false;
    }
    try {
        CommonEnd();
    } catch (...) {
        // The view's repaint failing must not reach the caller; the check itself is over.
    }
    return result;
}

void TImageLibraryCheck::CommonEnd()
{
    Writer.reset();
    Reader.reset();
    View.HidePanel();
    RemoveFile(TWILFile::TempPngPath());
    View.ProcessMessages();
}

// ---- CRC pass ----------------------------------------------------------------------------------------------------

bool TImageLibraryCheck::RunChecks()
{
    View.SetMaximum(TCheckBar::Progress, LibraryCount);
    View.SetPosition(TCheckBar::Progress, 0);
    TIniFile ini(Folder + SettingsFileName);
    bool convertAll = ini.ReadBool(SectionConvert, KeyConvert, false);
    bool keepWil = false;
    if (ini.ReadString(SectionUseLib, KeyUsingLib, "WIL") == "WIL")
        keepWil = true;
    else if (!LibraryExists(ProbeLibrary))
        convertAll = true;

    if (convertAll) return FullConversion(ini);

    // With the WIL libraries kept nothing is converted, so no library is read for its CRC either.
    for (int32_t i = 0; i < LibraryCount; ++i) {
        uint32_t crc = 0;
        if (!keepWil && LibraryExists(i) && LibraryCRC(i, crc) && NeedsConversion(ini, i, crc)) {
            if (!ConvertChangedLibrary(ini, i, crc)) return false;
        }
        View.SetPosition(TCheckBar::Progress, i + 1);
    }
    return false;
}

bool TImageLibraryCheck::NeedsConversion(const TIniFile& Ini, int32_t Index, uint32_t Crc)
{
    if (CRC32AsSetting(Crc) != Ini.ReadInteger(SectionCrc, IntToStr(Index), 0)) return true;
    TSILFile pair;
    if (pair.Open(BasePath(Index) + ".sil") && pair.IsComplete()) return false;
    if (Log) Log->LogWarning("Image library check: the SIL pair of " + CheckedLibraryFileName(Index) +
                             " is missing or unreadable; it is converted again");
    return true;
}

// ---- conversions -------------------------------------------------------------------------------------------------

bool TImageLibraryCheck::ConvertChangedLibrary(TIniFile& Ini, int32_t Index, uint32_t Crc)
{
    const std::string base = BasePath(Index);
    if (FileExists(base + ".sil")) RemoveSilPair(base);
    View.SetCaption(TCheckBar::Progress, "Convert " + CheckedLibraryFileName(Index));
    View.SetPanelHeight(PanelHeightTwoBars);
    View.SetMaximum(TCheckBar::Convert, 2);
    View.SetPosition(TCheckBar::Convert, 0);
    View.SetTextOption(TCheckBar::Convert, TCheckText::NoText);
    View.SetTextOption(TCheckBar::Progress, TCheckText::Caption);
    View.ProcessMessages();

    if (!ConvertLibraryImages(Index)) return false;
    // Only a finished pair earns its key: a failed conversion is retried at the next start.
    Ini.WriteInteger(SectionCrc, IntToStr(Index), CRC32AsSetting(Crc));

    View.SetPanelHeight(PanelHeightOneBar);
    View.SetTextOption(TCheckBar::Progress, TCheckText::Percent);
    View.ProcessMessages();
    return true;
}

bool TImageLibraryCheck::ConvertLibraryImages(int32_t Index)
{
    const std::string name = CheckedLibraryFileName(Index);
    const std::string base = BasePath(Index);
    // An incomplete pair would pass for a converted library: the pair this check began writing goes unless the
    // conversion finishes. A pair it never began (the library would not open) is not its to remove.
    struct TPartialPair {
        TImageLibraryCheck& Check;
        std::string Base;
        bool Begun = false;
        bool Done = false;
        ~TPartialPair()
        {
            Check.Writer.reset();
            Check.Reader.reset();
            if (Begun && !Done) RemoveSilPair(Base);
        }
    } pair{*this, base};

    Reader = std::make_unique<TWILFile>();
    if (!Reader->Open(Folder + name)) {
        Fail("cannot open the library " + name);
        return false;
    }
    const int32_t n = Reader->GetCount();
    Writer = std::make_unique<TSILFile>();
    pair.Begun = true;
    Writer->CreateNew(base, Reader->CountImages());
    View.ProcessMessages();

    View.SetMaximum(TCheckBar::Convert, int64_t(n) + 1);
    View.SetTextOption(TCheckBar::Convert, TCheckText::Percent);
    View.SetPosition(TCheckBar::Convert, 0);
    int32_t lastAdded = 0;
    // Two indexes past the end: the reader reports no image for them, so two empty entries close the index.
    for (int32_t j = 0; j <= n + 1; ++j) {
        TSILImageRecord record{};
        switch (Reader->DecodeFrame32MakePNG(j, record, ConversionPngLevel)) {
        case TMakePngResult::Written:
            if (Writer->AddImage(record) != SilAddImageOk) {
                Fail("cannot add image " + IntToStr(j) + " of " + name + " from \"x.tmp\"");
                return false;
            }
            ++Converted;
            View.ProcessMessages();
            lastAdded = j;
            break;
        case TMakePngResult::NoImage:
            Writer->AddEmptyEntry();
            break;
        case TMakePngResult::WriteFailed:
            Fail("cannot write \"x.tmp\" for image " + IntToStr(j) + " of " + name + ": " + Reader->WriteError());
            return false;
        case TMakePngResult::ReadFailed:
            Fail("cannot read " + name + " whole: it was cut short or changed on the disk while it was converted");
            return false;
        }
        View.SetPosition(TCheckBar::Convert, int64_t(j) + 1);
    }
    Writer->Finish(base, lastAdded);
    pair.Done = true;
    return true;
}

bool TImageLibraryCheck::FullConversion(TIniFile& Ini)
{
    View.SetPanelHeight(PanelHeightTwoBars);
    View.SetMaximum(TCheckBar::Convert, 2);
    View.SetPosition(TCheckBar::Convert, 0);
    View.SetTextOption(TCheckBar::Convert, TCheckText::NoText);
    View.SetMaximum(TCheckBar::Progress, LibraryCount);
    View.SetCaption(TCheckBar::Progress, "Convert ... - (0 from 75)");
    View.SetTextOption(TCheckBar::Progress, TCheckText::Caption);
    View.SetPosition(TCheckBar::Progress, 0);
    View.ProcessMessages();

    for (int32_t i = 0; i < LibraryCount; ++i) {
        View.SetCaption(TCheckBar::Progress, "Convert " + CheckedLibraryFileName(i) + " - (" + IntToStr(i) +
                                                 " from 75) " + IntToStr(Converted) + " Image converted");
        uint32_t crc = 0;
        bool writeKey = true;
        if (LibraryExists(i)) {
            if (!LibraryCRC(i, crc)) {
                writeKey = false;
            } else if (!ConvertLibraryImages(i)) {
                return false;
            }
        }
        if (writeKey) Ini.WriteInteger(SectionCrc, IntToStr(i), CRC32AsSetting(crc));
        View.SetPosition(TCheckBar::Progress, i + 1);
    }
    Ini.WriteBool(SectionConvert, KeyConvert, false);
    Ini.WriteString(SectionUseLib, KeyUsingLib, "SIL");
    View.ShowInfo("Convert Progress Done\r\n" + IntToStr(Converted) + " Images converted..");
    return true;
}

// ---- first start -------------------------------------------------------------------------------------------------

bool TImageLibraryCheck::FirstStart()
{
    TIniFile ini(Folder + SettingsFileName);
    ini.WriteBool(SectionConvert, KeyConvert, false);
    ini.WriteBool(SectionDirectX, KeyNoVSync, true);
    if (View.AskYesNo(FirstStartQuestion, FirstStartCaption)) {
        // The forced-conversion key stays set until the full conversion finishes: a start that fails half way
        // leaves it on, and the next start converts again instead of reading the missing "UsingLib" as "WIL".
        ini.WriteBool(SectionConvert, KeyConvert, true);
        if (!FullConversion(ini)) return false;
    } else {
        ini.WriteBool(SectionConvert, KeyConvert, false);
        ini.WriteString(SectionUseLib, KeyUsingLib, "WIL");
    }
    ini.UpdateFile();
    View.SetTextOption(TCheckBar::Progress, TCheckText::NoText);
    View.SetPosition(TCheckBar::Progress, 0);
    return true;
}
