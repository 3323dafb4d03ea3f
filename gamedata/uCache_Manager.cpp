// Sections: the loader thread; the cache of one library; the manager.
#include "gamedata/uCache_Manager.h"

#include "Common/Dev_LogEngineClass.h"
#include "classlib/Application.h"
#include "classlib/Thread.h"
#include "gamedata/uBase_SIL_File.h"
#include "gamedata/uBase_WIL_File.h"

#include <windows.h>
#include <d3d9.h>

#include <algorithm>

namespace {

ComPtr<IDirect3DDevice9> KeepDevice(IDirect3DDevice9* Device)
{
    if (Device) Device->AddRef();
    return ComPtr<IDirect3DDevice9>::Attach(Device);
}

// The text of the exception being handled; only inside a catch block.
std::string CurrentReason()
{
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown error";
    }
}

}  // namespace

// ---- the loader thread -----------------------------------------------------------------------------------------
// Builds the caches Next .. Last one per synchronised step, 10 ms apart, and ends by itself after the step that
// finds none left. It touches the manager only inside those steps, in the GUI thread; a step writes its own
// failure to the log there. Only a failure to reach the GUI thread ends the loader early: the log is the GUI
// thread's, so the reason waits in Failure for the manager, which writes it when it stops the loader.
class TImageCacheLoadThread final : public TThread {
public:
    TImageCacheLoadThread(TImageCacheManager* Manager, int32_t First, int32_t Last)
        : Manager(Manager), Next(First), Last(Last)
    {
    }
    ~TImageCacheLoadThread() override
    {
        // Execute uses this object's members: stop it before they die.
        if (Started() && GetCurrentThreadId() != ThreadID()) {
            Terminate();
            WaitFor();
        }
    }
    // Read only after the thread has ended.
    const std::string& Failure() const { return FailureText; }

protected:
    void Execute() override
    {
        try {
            while (!Terminated()) {
                Synchronize([this] { LoadStep(); });
                if (!Terminated()) Sleep(LoaderStepPauseMs);
            }
        } catch (...) {
            FailureText = CurrentReason();
        }
    }

private:
    // Runs in the GUI thread.
    void LoadStep()
    {
        const TLoaderStep step = PlanLoaderStep(Next, Last);
        Next = step.Next;  // advanced first: a library that fails to build is not tried forever
        if (step.Build == LoaderNoLibrary) {
            Terminate();
            return;
        }
        try {
            Manager->BuildCache(step.Build);
        } catch (...) {
            Manager->Log("Image cache loader: library " + std::to_string(step.Build) + " could not be built: " +
                             CurrentReason(),
                         "", CacheLogError);
        }
    }

    TImageCacheManager* Manager;  // not owned
    int32_t Next;
    int32_t Last;
    std::string FailureText;
};

// ---- the cache of one library ----------------------------------------------------------------------------------

TImageCache::TImageCache(int32_t ALibrary, const std::string& Folder, TLogEngine* ALog, IDirect3DDevice9* ADevice,
                         uint32_t Now, uint32_t ARemapPauseMs)
    : LogEngine(ALog), Library(ALibrary), Device(KeepDevice(ADevice)), CacheTicks{Now, Now}, RemapPauseMs(ARemapPauseMs)
{
    const std::string path = LibraryFilePath(Folder, ALibrary, ImageLibKind);
    if (ImageLibKind == ImageLibKindWIL) {
        Wil = std::make_unique<TWILFile>();
        if (Wil->Open(path)) {
            Wil->SetDevice(ADevice);
            PickerCount = Wil->PickerCount();
        }
    } else if (ImageLibKind == ImageLibKindSIL) {
        Sil = std::make_unique<TSILFile>();
        if (Sil->Open(path)) {
            Sil->SetDevice(ADevice);
            PickerCount = Sil->ImageCount();
        }
    }
    Entries.resize(static_cast<size_t>(ReaderCount()));
    NoteFailedViews();
}

TImageCache::~TImageCache() = default;

TImageLibraryFile* TImageCache::Reader() const
{
    return Wil ? static_cast<TImageLibraryFile*>(Wil.get()) : Sil.get();
}

int32_t TImageCache::ReaderCount() const
{
    const int32_t count = Wil ? Wil->GetCount() : Sil ? Sil->GetCount() : 0;
    return std::max(count, 0);
}

TImageHeaderD3D TImageCache::GetImage(int32_t Index, uint32_t Now)
{
    if (Index < 0 || Index >= Count()) return {};
    Sweep(Now);
    TImageHeaderD3D& entry = Entries[static_cast<size_t>(Index)];
    if (!entry.Loaded()) LoadEntry(Index);
    entry.Stamp = Now;
    return entry;
}

void TImageCache::LoadEntry(int32_t Index)
{
    if (!Device || Index < 0 || Index >= Count()) return;
    TImageHeaderD3D& entry = Entries[static_cast<size_t>(Index)];
    if (Wil)
        Wil->DecodeFrame32Draw(Index, entry);
    else if (Sil)
        Sil->DecodeFrame32D3D(Index, entry);
    NoteFailedViews();
}

void TImageCache::Sweep(uint32_t Now)
{
    try {
        const TSweepPlan plan = PlanSweep(CacheTicks, Now);
        if (!plan.Sweep) return;
        for (TImageHeaderD3D& entry : Entries)
            if (EntryExpired(CacheTicks.LastSweep, entry.Stamp)) entry = {};
        if (plan.Remap) Remap();
    } catch (...) {
        // A failed sweep leaves entries in place; the next lookups serve them as before.
        LogError("the sweep failed: " + CurrentReason());
    }
}

void TImageCache::Remap()
{
    TImageLibraryFile* reader = Reader();
    // Without its views the library serves empty entries until a later re-map finds the files again.
    if (reader && !reader->Reload(RemapPauseMs)) LogError("cannot map " + reader->FileName() + " again");
    NoteFailedViews();
}

void TImageCache::NoteFailedViews()
{
    const TImageLibraryFile* reader = Reader();
    const bool failed = reader && reader->ViewsFailed();
    if (failed && !FailureLogged)
        LogError("cannot read " + reader->FileName() +
                 " any more (cut short or changed on the disk?): its images are missing until it is mapped again");
    FailureLogged = failed;
}

void TImageCache::LogError(const std::string& What) const
{
    WriteCacheLog(LogEngine, "Image cache of library " + std::to_string(Library) + ": " + What, CacheLogError);
}

void TImageCache::Reload()
{
    if (Entries.empty()) return;
    Entries.clear();
    Entries.resize(static_cast<size_t>(ReaderCount()));
    Remap();
}

void TImageCache::SetDevice(IDirect3DDevice9* ADevice)
{
    Device = KeepDevice(ADevice);
    if (Wil) Wil->SetDevice(ADevice);
    if (Sil) Sil->SetDevice(ADevice);
    for (TImageHeaderD3D& entry : Entries) entry = {};
}

TImageDecodeStatus TImageCache::DecodeBitmap(int32_t Index, TImageBitmapRecord& Record)
{
    if (Index < 0 || Index >= Count()) return TImageDecodeStatus::Damaged;
    const TImageDecodeStatus status = Wil   ? Wil->DecodeFrameBitmap(Index, Record)
                                      : Sil ? Sil->DecodeFrameBitmap(Index, Record)
                                            : TImageDecodeStatus::Damaged;
    NoteFailedViews();
    return status;
}

// ---- the manager -----------------------------------------------------------------------------------------------

TImageCacheManager::TImageCacheManager(TLogEngine* ALog, IDirect3DDevice9* ADevice, TImageCacheSettings ASettings)
    : Device(KeepDevice(ADevice)), LogEngine(ALog), Settings(std::move(ASettings))
{
    if (Settings.Folder.empty()) Settings.Folder = Application->ExeFolder();
    if (!Settings.Tick) Settings.Tick = [] { return static_cast<uint32_t>(GetTickCount()); };
    Log("Inite Image Cache Manager done..", "", CacheLogInfo);
}

TImageCacheManager::~TImageCacheManager()
{
    StopLoader();
    for (auto& cache : Caches) cache.reset();
    LogEngine = nullptr;
}

void TImageCacheManager::StopLoader()
{
    if (!Loader) return;
    Loader->Terminate();
    Loader->WaitFor();
    if (!Loader->Failure().empty()) Log("Image cache loader stopped: " + Loader->Failure(), "", CacheLogError);
    Loader.reset();
}

bool TImageCacheManager::StartLoader()
{
    if (Loader) return false;
    try {
        Loader = std::make_unique<TImageCacheLoadThread>(this, 0, ImageLibraryCount - 1);
        return Loader->Start();
    } catch (const std::exception&) {
        Loader.reset();
        return false;
    }
}

bool TImageCacheManager::LoaderRunning() const { return Loader && !Loader->Finished(); }

bool TImageCacheManager::BuildCache(int32_t Library)
{
    if (!IsCachedLibrary(Library)) return false;
    Caches[static_cast<size_t>(Library)] = std::make_unique<TImageCache>(Library, Settings.Folder, LogEngine,
                                                                         Device.Get(), Now(), Settings.RemapPauseMs);
    return true;
}

TImageCache* TImageCacheManager::Cache(int32_t Library) const
{
    return IsCachedLibrary(Library) ? Caches[static_cast<size_t>(Library)].get() : nullptr;
}

uint32_t TImageCacheManager::Now() const { return Settings.Tick(); }

TImageHeaderD3D TImageCacheManager::GetImage(int32_t Library, int32_t Index)
{
    try {
        TImageCache* cache = Cache(Library);
        return cache ? cache->GetImage(Index, Now()) : TImageHeaderD3D{};
    } catch (...) {
        Log("Image cache: image " + std::to_string(Index) + " of library " + std::to_string(Library) +
                " could not be served: " + CurrentReason(),
            "", CacheLogError);
        return {};
    }
}

int32_t TImageCacheManager::GetImageCount(int32_t Library) const
{
    const TImageCache* cache = Cache(Library);
    return cache ? cache->ImageCount() : 0;
}

bool TImageCacheManager::GetImageBitmap(int32_t Library, int32_t Index, TImageBitmapRecord& Record)
{
    TImageDecodeStatus status = TImageDecodeStatus::Damaged;
    try {
        if (TImageCache* cache = Cache(Library)) status = cache->DecodeBitmap(Index, Record);
    } catch (...) {
        status = TImageDecodeStatus::Damaged;
    }
    if (status == TImageDecodeStatus::Damaged)
        Log("ERROR::NGL::Cache::GBPI001", "Error::NGL::GetBMPPTRImage", CacheLogError);
    return status == TImageDecodeStatus::Decoded;
}

void TImageCacheManager::ReloadAll()
{
    for (auto& cache : Caches) {
        if (!cache) continue;
        try {
            cache->Reload();
        } catch (...) {
            // One library that cannot re-map must not keep the others from reloading.
            Log("Image cache of library " + std::to_string(&cache - Caches.data()) + ": the reload failed: " +
                    CurrentReason(),
                "", CacheLogError);
        }
    }
}

void TImageCacheManager::SetDevice(IDirect3DDevice9* ADevice)
{
    Device = KeepDevice(ADevice);
    for (auto& cache : Caches)
        if (cache) cache->SetDevice(ADevice);
}

void TImageCacheManager::Log(const std::string& Message, const std::string&, int32_t Level)
{
    WriteCacheLog(LogEngine, Message, Level);
}

void WriteCacheLog(TLogEngine* Log, const std::string& Message, int32_t Level)
{
    if (!Log) return;
    Log->Option = false;
    switch (Level) {
    case CacheLogInfo: return Log->LogInfo(Message);
    case CacheLogWarning: return Log->LogWarning(Message);
    case CacheLogError: return Log->LogError(Message);
    case CacheLogDebug: return Log->LogDebug(Message);
    default: return;
    }
}
