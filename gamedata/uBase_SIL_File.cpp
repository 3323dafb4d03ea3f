// TSILFile: life cycle, reading (lookup, texture, bitmap), writing (CreateNew, AddImage, AddEmptyEntry, Finish).
#include "gamedata/uBase_SIL_File.h"

#include "classlib/Graphics.h"
#include "classlib/core/PngImage.h"
#include "classlib/core/SafeFile.h"
#include "gamedata/ImageTexture.h"
#include "gamedata/uBase_WIL_File.h"

#include <d3d9.h>
#include <windows.h>

#include <cstring>

// ---- life cycle -----------------------------------------------------------------------------------------------

TSILFile::TSILFile(uint64_t MaxDataOffset)
    : TImageLibraryFile("TSILFile", ".sil", ".six"), MaxDataOffset(MaxDataOffset),
      StagingFile(TWILFile::TempPngPath())
{
}

TSILFile::~TSILFile() = default;

bool TSILFile::Open(const std::string& FilePath)
{
    Clear();
    if (!OpenViews(FilePath, DataHeaderCopy, IndexHeaderCopy)) return false;
    if (!ReadViews([&] { OpenedCount = ReadSilCount(DataView.Bytes()); })) {
        Clear();
        return false;
    }
    return true;
}

void TSILFile::Clear()
{
    CloseViews();
    std::memset(DataHeaderCopy, 0, sizeof DataHeaderCopy);
    std::memset(IndexHeaderCopy, 0, sizeof IndexHeaderCopy);
    OpenedCount = 0;
    Writer.reset();
}

int32_t TSILFile::GetCount() const
{
    if (!DataView.Mapped()) return 0;
    int32_t count = OpenedCount;
    ReadViews([&] { count = ReadSilCount(DataView.Bytes()); });
    return count;
}

// ---- reading --------------------------------------------------------------------------------------------------

bool TSILFile::IsComplete() const
{
    bool complete = false;
    return ViewsMapped() && ReadViews([&] { complete = SilPairComplete(DataView.Bytes(), IndexView.Bytes()); }) &&
           complete;
}

// The record of image Index, its header in LastHeader (zeroed first). A decoded record's PNG bytes are copied out
// of the view (Record.Png is then the copy): a fault on the view strikes here, never inside the PNG decoder.
// Damaged also covers a PNG whose header names a canvas beyond 4096 x 4096, which no decoder gets to see.
TImageDecodeStatus TSILFile::Lookup(int32_t Index, TSilRecord& Record)
{
    if (!ViewsMapped()) return TImageDecodeStatus::NoImage;
    Record = TSilRecord{};
    TImageDecodeStatus status = TImageDecodeStatus::NoImage;
    bool read = ReadViews([&] { status = LookupSilImage(DataView.Bytes(), IndexView.Bytes(), Index, Record); });
    if (read && status == TImageDecodeStatus::Decoded && !Record.Png.empty()) {
        PngCopy.resize(Record.Png.size());
        read = ReadViews([&] { std::memcpy(PngCopy.data(), Record.Png.data(), PngCopy.size()); });
        Record.Png = PngCopy;
    }
    if (!read) {
        Record = TSilRecord{};
        status = TImageDecodeStatus::NoImage;
    }
    LastHeader = Record.Header;  // zero unless a record was found
    return status;
}

TImageDecodeStatus TSILFile::DecodeFrame32D3D(int32_t Index, TImageHeaderD3D& Entry)
{
    try {
        TSilRecord record;
        const TImageDecodeStatus status = Lookup(Index, record);
        if (status == TImageDecodeStatus::Damaged) LogFailure("DecodeFrame32D3D", Index);
        if (status != TImageDecodeStatus::Decoded) return status;
        Entry.Width = record.Header.Width;
        Entry.Height = record.Header.Height;
        Entry.OffsetX = record.Header.OffsetX;
        Entry.OffsetY = record.Header.OffsetY;
        Entry.Texture.Reset();
        // Neither the decoding's nor the creation's result is checked: without a texture the entry is decoded
        // again on the next request.
        TPngImage png;
        if (record.Header.Width == 0 || record.Header.Height == 0)
            Entry.Texture = CreateEmptyCacheTexture(Device.Get());
        else if (png.LoadFromMemory(record.Png))
            Entry.Texture = CreateCacheTexture(Device.Get(), {reinterpret_cast<const uint8_t*>(png.Row(0)),
                                                              png.Width(), png.Height(), size_t{4} * png.Width()},
                                               record.Header.Width, record.Header.Height);
        return status;
    } catch (const std::exception&) {
        LogFailure("DecodeFrame32D3D", Index);
        return TImageDecodeStatus::Damaged;
    }
}

TImageDecodeStatus TSILFile::DecodeFrameBitmap(int32_t Index, TImageBitmapRecord& Record)
{
    try {
        TSilRecord record;
        const TImageDecodeStatus status = Lookup(Index, record);
        if (status != TImageDecodeStatus::Decoded) return status;
        const uint16_t width = record.Header.Width;
        const uint16_t height = record.Header.Height;
        TPngImage png;
        if (width != 0 && height != 0 && !png.LoadFromMemory(record.Png)) return TImageDecodeStatus::Damaged;
        Record.Bitmap.reset();
        Record.Width = width;
        Record.Height = height;
        Record.CanvasWidth = 0;
        Record.CanvasHeight = 0;
        Record.OffsetX = record.Header.OffsetX;
        Record.OffsetY = record.Header.OffsetY;
        Record.Info1 = record.Header.Word9;
        Record.Info2 = record.Header.Word11;
        if (width == 0 || height == 0) return status;
        return CopyPngToRecordBitmap(png, Record) ? status : TImageDecodeStatus::Damaged;
    } catch (const std::exception&) {
        return TImageDecodeStatus::Damaged;
    }
}

// ---- writing --------------------------------------------------------------------------------------------------

void TSILFile::CreateNew(const std::string& BasePath, int32_t Count)
{
    if (!Writer) Writer.emplace(MaxDataOffset);
    Writer->Start(static_cast<uint16_t>(Count));
    // The header-only pair marks a library being converted; Finish replaces both files durably, and a pair left
    // unfinished is converted again, so these need no flush to the disk.
    WriteFilePlain(BasePath + ".sil", Writer->Data().data(), Writer->Data().size());
    WriteFilePlain(BasePath + ".six", Writer->Index().data(), Writer->Index().size());
}

uint32_t TSILFile::AddImage(TSILImageRecord& Record)
{
    try {
        if (!Writer) return SilAddImageFailed;
        TMappedFile staged;
        if (staged.Map(StagingFile, TMapMode::ReadWrite) != TMapError::None) return SilAddImageFailed;
        if (!Writer->AddImage(Record, staged.Bytes())) return SilAddImageFailed;
        Record.PngLength = static_cast<uint32_t>(staged.Size());
        staged.Unmap();
        DeleteFileA(StagingFile.c_str());
        return SilAddImageOk;
    } catch (const std::exception&) {
        return SilAddImageFailed;
    }
}

void TSILFile::AddEmptyEntry()
{
    if (Writer) Writer->AddEmptyEntry();
}

void TSILFile::Finish(const std::string& BasePath, int32_t LastIndex)
{
    if (!Writer) return;
    Writer->SetCount(static_cast<uint16_t>(LastIndex + 1));
    WriteFileReplacing(BasePath + ".sil", Writer->Data().data(), Writer->Data().size());
    WriteFileReplacing(BasePath + ".six", Writer->Index().data(), Writer->Index().size());
}
