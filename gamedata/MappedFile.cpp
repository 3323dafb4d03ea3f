#include "gamedata/MappedFile.h"

#include "classlib/WinHandle.h"
#include "classlib/core/SysUtils.h"

#include <windows.h>

#include <cstdint>
#include <utility>

namespace {

std::string ReplaceLastFour(const std::string& path, std::string_view ext)
{
    return path.substr(0, path.size() >= 4 ? path.size() - 4 : 0) + std::string(ext);
}

} // namespace

TMappedFile::~TMappedFile() { Unmap(); }

TMappedFile::TMappedFile(TMappedFile&& other) noexcept
    : view_(std::exchange(other.view_, nullptr)), size_(std::exchange(other.size_, 0)),
      path_(std::move(other.path_)), mode_(other.mode_)
{
}

TMappedFile& TMappedFile::operator=(TMappedFile&& other) noexcept
{
    if (this != &other) {
        Unmap();
        view_ = std::exchange(other.view_, nullptr);
        size_ = std::exchange(other.size_, 0);
        path_ = std::move(other.path_);
        mode_ = other.mode_;
    }
    return *this;
}

TMapError TMappedFile::Map(const std::string& path, TMapMode mode)
{
    Unmap();
    path_ = path;
    mode_ = mode;
    const bool readOnly = mode == TMapMode::ReadOnly;

    const TWinHandle file(CreateFileA(path.c_str(), readOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return TMapError::OpenFile;

    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0) return TMapError::CreateMapping;
    if (static_cast<uint64_t>(size.QuadPart) > SIZE_MAX) return TMapError::CreateMapping;

    // The mapping and the view are made exactly as large as the size just read: a file that changes size in
    // between then either fails to map (shorter) or is seen only up to that size (longer), never read past.
    const auto bytes = static_cast<uint64_t>(size.QuadPart);
    const TWinHandle mapping(CreateFileMappingA(file.Get(), nullptr, readOnly ? PAGE_READONLY : PAGE_READWRITE,
                                                static_cast<DWORD>(bytes >> 32), static_cast<DWORD>(bytes), nullptr));
    if (!mapping) return TMapError::CreateMapping;

    void* view = MapViewOfFile(mapping.Get(), readOnly ? FILE_MAP_READ : FILE_MAP_ALL_ACCESS, 0, 0,
                               static_cast<SIZE_T>(bytes));
    if (!view) return TMapError::MapView;
    view_ = static_cast<uint8_t*>(view);
    size_ = static_cast<size_t>(size.QuadPart);
    return TMapError::None;
}

TMapError TMappedFile::Reload()
{
    const std::string path = path_;
    return Map(path, mode_);
}

void TMappedFile::Unmap()
{
    if (view_) UnmapViewOfFile(view_);
    view_ = nullptr;
    size_ = 0;
}

TLibraryFiles PairLibraryFiles(const std::string& path, std::string_view dataExt, std::string_view indexExt)
{
    if (SameText(ExtractFileExt(path), dataExt)) return {path, ReplaceLastFour(path, indexExt)};
    return {ReplaceLastFour(path, dataExt), path};
}

bool MapLibraryPair(const TLibraryFiles& files, TMappedFile& data, TMappedFile& index)
{
    index.Unmap();
    if (data.Map(files.DataPath, TMapMode::ReadOnly) == TMapError::None &&
        index.Map(files.IndexPath, TMapMode::ReadOnly) == TMapError::None)
        return true;
    data.Unmap();
    index.Unmap();
    return false;
}
