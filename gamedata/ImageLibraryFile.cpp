#include "gamedata/ImageLibraryFile.h"

#include "Common/Dev_LogEngineClass.h"

#include <windows.h>
#include <d3d9.h>

TImageLibraryFile::TImageLibraryFile(const char* AClassName, std::string_view ADataExt, std::string_view AIndexExt)
    : ClassName(AClassName), DataExt(ADataExt), IndexExt(AIndexExt)
{
}

TImageLibraryFile::~TImageLibraryFile()
{
    try {
        CloseViews();
    } catch (...) {
        Log("Destroy::UNKNOW_FILE_ERROR");
    }
}

bool TImageLibraryFile::OpenViews(const std::string& FilePath, std::span<uint8_t> DataHeader,
                                  std::span<uint8_t> IndexHeader)
{
    if (!MapLibraryPair(PairLibraryFiles(FilePath, DataExt, IndexExt), DataView, IndexView)) return false;
    const bool read = ReadViews([&] {
        CopyHeaderBytes(DataView.Bytes(), DataHeader.data(), DataHeader.size());
        CopyHeaderBytes(IndexView.Bytes(), IndexHeader.data(), IndexHeader.size());
    });
    if (!read) {
        CloseViews();
        return false;
    }
    Path = FilePath;
    return true;
}

void TImageLibraryFile::CloseViews()
{
    DataView.Unmap();
    IndexView.Unmap();
    Path.clear();
    LastHeader = {};
    Failed = false;
}

bool TImageLibraryFile::Reload(uint32_t PauseMs)
{
    DataView.Unmap();
    IndexView.Unmap();
    Failed = false;
    if (PauseMs != 0) Sleep(PauseMs);
    return Path.empty() || MapLibraryPair(PairLibraryFiles(Path, DataExt, IndexExt), DataView, IndexView);
}

bool TImageLibraryFile::ClaimsViewFault(const EXCEPTION_RECORD& Record, const void* Reader) noexcept
{
    const auto* self = static_cast<const TImageLibraryFile*>(Reader);
    const auto at = reinterpret_cast<uintptr_t>(FaultDataAddress(Record));
    const auto inside = [at](const TMappedFile& view) {
        const auto start = reinterpret_cast<uintptr_t>(view.Data());
        return view.Mapped() && at >= start && at - start < view.Size();
    };
    return inside(self->DataView) || inside(self->IndexView);
}

void TImageLibraryFile::SetDevice(IDirect3DDevice9* NewDevice)
{
    if (NewDevice == Device.Get()) return;
    if (NewDevice) NewDevice->AddRef();
    Device = ComPtr<IDirect3DDevice9>::Attach(NewDevice);
}

void TImageLibraryFile::Log(const std::string& Message)
{
    if (LogEngine) LogEngine->LogErrorPlain(Message);
}

void TImageLibraryFile::LogFailure(const char* Routine, int32_t Index)
{
    Log(std::string(ClassName) + "::" + Routine + "::UNKNOW_FILE_ERROR-Index:" + std::to_string(Index) +
        "-File:" + Path);
}
