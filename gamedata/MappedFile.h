#pragma once
// Memory-mapped views of whole files, and the pairing of an image library's data file with its index file.
// The file and mapping handles are closed as soon as the view exists; the view alone keeps the file's contents
// reachable until it is unmapped. No platform header here: the handles never leave MappedFile.cpp.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Access of a view; the values are the mapping routine's mode numbers.
enum class TMapMode : int { ReadWrite = 0, ReadOnly = 1 };

// Result of mapping: 0 on success, otherwise the step that failed.
enum class TMapError : int { None = 0, CreateMapping = 2, MapView = 3, OpenFile = 4 };

class TMappedFile {
public:
    TMappedFile() = default;
    ~TMappedFile();
    TMappedFile(TMappedFile&& other) noexcept;
    TMappedFile& operator=(TMappedFile&& other) noexcept;
    TMappedFile(const TMappedFile&) = delete;
    TMappedFile& operator=(const TMappedFile&) = delete;

    // Maps the whole file, replacing any view held before. On failure no view is held. An empty file cannot be
    // mapped (CreateMapping).
    TMapError Map(const std::string& path, TMapMode mode = TMapMode::ReadOnly);
    // Maps the last mapped path again with the same mode; Size() is then the file's present size.
    TMapError Reload();
    // Releases the view (if any); the path is kept for Reload.
    void Unmap();

    bool Mapped() const { return view_ != nullptr; }
    const uint8_t* Data() const { return view_; }
    size_t Size() const { return size_; }
    std::span<const uint8_t> Bytes() const { return {view_, size_}; }
    const std::string& Path() const { return path_; }

private:
    uint8_t* view_ = nullptr;
    size_t size_ = 0;
    std::string path_;
    TMapMode mode_ = TMapMode::ReadOnly;
};

// The two files of an image library.
struct TLibraryFiles {
    std::string DataPath;
    std::string IndexPath;
};

// A path whose extension is dataExt (compared without case) names the data file, and the index file is the path
// with its last four characters replaced by indexExt; any other path names the index file, and the data file is
// the path with its last four characters replaced by dataExt. E.g. (".wil", ".wix") or (".sil", ".six").
TLibraryFiles PairLibraryFiles(const std::string& path, std::string_view dataExt, std::string_view indexExt);

// Maps the data file first and the index file only when that succeeded, both read-only. True when both are
// mapped; otherwise neither is.
bool MapLibraryPair(const TLibraryFiles& files, TMappedFile& data, TMappedFile& index);
