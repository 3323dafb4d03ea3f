#pragma once
// uCache_Manager: the decoded images of the 75 game libraries as Direct3D textures.
//
// Sections: settings; the cache of one library; the manager. The loader thread (TImageCacheLoadThread) is
// private to the .cpp: it only sleeps and hands one cache construction at a time to the GUI thread.
//
// Every cache, reader, texture and log line is created and used in the GUI thread; the loader's steps run there
// through TThread::Synchronize, so nothing here takes a lock. Lookups never fail: what cannot be served is the
// empty entry (zero sizes, no texture), and callers test the texture before drawing. An error on the way (a cache
// that cannot be built, a failed lookup, sweep or reload, a library that cannot be mapped again) is an error line
// in the log with its reason.
#include "classlib/ComPtr.h"
#include "classlib/core/Objects.h"
#include "gamedata/ImageHeaderD3D.h"
#include "gamedata/ImageLibraryFile.h"
#include "gamedata/core/CacheRules.h"
#include "gamedata/core/ImageLibraries.h"
#include "gamedata/core/WilDecoder.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TLogEngine;
class TSILFile;
class TWILFile;
class TImageCacheLoadThread;
struct IDirect3DDevice9;

// ---- settings --------------------------------------------------------------------------------------------------
// The 32-bit millisecond tick the sweeps measure against (it wraps every 49.7 days).
using TTickSource = std::function<uint32_t()>;

struct TImageCacheSettings {
    std::string Folder;  // the client folder, with its trailing delimiter; empty: the executable's folder
    TTickSource Tick;    // empty: the system's tick count
    uint32_t RemapPauseMs = LibraryRemapPauseMs;  // a re-map's pause between releasing and mapping a library
};

// Levels of TImageCacheManager::Log.
constexpr int32_t CacheLogInfo = 0;
constexpr int32_t CacheLogWarning = 1;
constexpr int32_t CacheLogError = 2;
constexpr int32_t CacheLogDebug = 3;

// Writes Message at the level (0 information, 1 warning, 2 error, 3 debug) after clearing the log's Option;
// nothing without a log. The manager's Log and the caches write through it.
void WriteCacheLog(TLogEngine* Log, const std::string& Message, int32_t Level);

// ---- the cache of one library ----------------------------------------------------------------------------------
// One entry per image index 0 .. N - 1 (N: the reader's count when the cache was built or last reloaded), filled
// on first request and emptied again by the idle sweep. The reader (WIL or SIL by ImageLibKind, none for any
// other kind) is opened without a log, so its decoding errors pass silently; the cache's own failures (a sweep,
// a library that cannot be mapped again) are error lines in Log, and so is a library whose file faulted while it
// was read (cut short by another program while mapped): one line when its reader's views fail, none for the reads
// that find them failed; the images not yet decoded are missing (empty entries, NoImage bitmaps) until the
// sweep's re-map or Reload maps the library again.
class TImageCache : public TObject {
public:
    // Opens Folder + the library's name; a missing or unreadable pair gives a cache of no entries. Both ticks
    // start at Now. Every re-map pauses RemapPauseMs.
    TImageCache(int32_t Library, const std::string& Folder, TLogEngine* Log, IDirect3DDevice9* Device,
                uint32_t Now, uint32_t RemapPauseMs = LibraryRemapPauseMs);
    ~TImageCache() override;
    TImageCache(const TImageCache&) = delete;
    TImageCache& operator=(const TImageCache&) = delete;

    // Entry Index after a sweep at Now, decoded when it holds no texture, stamped with Now as its last use. The
    // empty entry, without a sweep, for an index outside 0 .. Count() - 1.
    TImageHeaderD3D GetImage(int32_t Index, uint32_t Now);
    // Decodes entry Index into a texture (nothing without a device: there would be no texture to keep).
    void LoadEntry(int32_t Index);
    // Drops the entries unused for more than 300 s and re-maps the library, when the rules say so at Now.
    void Sweep(uint32_t Now);
    // Releases every entry, sizes the array again from the reader and re-maps the library; does nothing for a
    // cache of no entries.
    void Reload();
    // Textures are made on Device from now on (null: none are made); every entry lets go of its texture, which
    // belongs to the device before.
    void SetDevice(IDirect3DDevice9* Device);
    // Decodes image Index afresh into Record; Damaged for an index outside the library.
    TImageDecodeStatus DecodeBitmap(int32_t Index, TImageBitmapRecord& Record);

    int32_t Count() const { return static_cast<int32_t>(Entries.size()); }
    // What the tile picker offers: the highest non-empty index + 1 for WIL, N for SIL.
    int32_t ImageCount() const { return PickerCount; }
    const TCacheTicks& Ticks() const { return CacheTicks; }
    // The entry as the cache holds it (tests and diagnostics); Index must be below Count().
    const TImageHeaderD3D& Entry(int32_t Index) const { return Entries[static_cast<size_t>(Index)]; }

private:
    int32_t ReaderCount() const;
    TImageLibraryFile* Reader() const;  // the WIL or SIL reader; null for neither
    void Remap();
    // Writes the error line when the reader's views have failed since the last call.
    void NoteFailedViews();
    void LogError(const std::string& What) const;

    TLogEngine* LogEngine;  // not owned
    int32_t Library;
    ComPtr<IDirect3DDevice9> Device;
    std::unique_ptr<TWILFile> Wil;
    std::unique_ptr<TSILFile> Sil;
    std::vector<TImageHeaderD3D> Entries;
    TCacheTicks CacheTicks;
    uint32_t RemapPauseMs;
    int32_t PickerCount = 0;
    bool FailureLogged = false;  // the reader's views have failed and the line is written
};

// ---- the manager -----------------------------------------------------------------------------------------------
class TImageCacheManager : public TObject {
public:
    // 75 empty cache slots; logs "Inite Image Cache Manager done.." when a log is given. Builds no cache. A null
    // device gives caches without textures (bitmaps still work).
    TImageCacheManager(TLogEngine* Log, IDirect3DDevice9* Device, TImageCacheSettings Settings = {});
    // Stops the loader first (a step it is waiting for is released, never run), then frees the caches.
    ~TImageCacheManager() override;
    TImageCacheManager(const TImageCacheManager&) = delete;
    TImageCacheManager& operator=(const TImageCacheManager&) = delete;

    // Starts the loader thread over libraries 0 to 74; it ends by itself after a 76th step. False when a loader
    // was started before or no thread could be created.
    bool StartLoader();
    bool LoaderRunning() const;
    // Builds (or builds again) the cache of Library in the calling GUI thread; false for a number outside 0..74.
    bool BuildCache(int32_t Library);

    // A copy of the entry (holding it keeps the texture alive); the empty entry for anything that cannot be
    // served: a library outside 0..74 or not built yet, an index outside the library, any error on the way.
    TImageHeaderD3D GetImage(int32_t Library, int32_t Index);
    // Images the picker offers (see TImageCache::ImageCount); 0 for a library without a cache.
    int32_t GetImageCount(int32_t Library) const;
    // Decodes the image afresh (not through the cache) into Record. True when Record now holds it; false for an
    // empty index entry, and false with the error line "ERROR::NGL::Cache::GBPI001" for a decoding error, an
    // index outside the library or a library without a cache. Record keeps what it held when nothing decoded.
    bool GetImageBitmap(int32_t Library, int32_t Index, TImageBitmapRecord& Record);
    // Every existing cache reloads (device lost or reset).
    void ReloadAll();
    // The device the caches make their textures on, the ones built later too: the framework's new device when it
    // made one instead of resetting the old, or null once the device is gone (which lets it go). Every cached
    // texture is released.
    void SetDevice(IDirect3DDevice9* Device);

    // WriteCacheLog with the manager's log (Detail is not written).
    virtual void Log(const std::string& Message, const std::string& Detail, int32_t Level);

    // The cache of Library, null when it does not exist (yet).
    TImageCache* Cache(int32_t Library) const;
    uint32_t Now() const;

private:
    void StopLoader();

    std::array<std::unique_ptr<TImageCache>, ImageLibraryCount> Caches;
    std::unique_ptr<TImageCacheLoadThread> Loader;
    ComPtr<IDirect3DDevice9> Device;
    TLogEngine* LogEngine;  // not owned
    TImageCacheSettings Settings;
};
