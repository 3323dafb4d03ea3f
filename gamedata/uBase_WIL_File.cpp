#include "gamedata/uBase_WIL_File.h"

#include "classlib/Application.h"
#include "classlib/Graphics.h"
#include "classlib/core/SafeFile.h"
#include "gamedata/ImageTexture.h"

#include <windows.h>
#include <d3d9.h>

#include <cstring>
#include <exception>
#include <new>

TWILFile::TWILFile() : TImageLibraryFile("TWILFile", ".wil", ".wix") {}

TWILFile::~TWILFile() = default;

bool TWILFile::Open(const std::string& FilePath)
{
    Clear();
    if (!OpenViews(FilePath, DataHeaderCopy, IndexHeaderCopy)) return false;
    if (!ReadViews([&] { ImageCount = CountWilImages(DataView.Bytes(), IndexView.Bytes()); })) {
        Clear();
        return false;
    }
    return true;
}

void TWILFile::Clear()
{
    CloseViews();
    std::memset(DataHeaderCopy, 0, sizeof DataHeaderCopy);
    std::memset(IndexHeaderCopy, 0, sizeof IndexHeaderCopy);
    ImageCount = 0;
}

int32_t TWILFile::GetCount() const
{
    return DataView.Mapped() ? ReadWilDataHeader({DataHeaderCopy, sizeof DataHeaderCopy}).Count : 0;
}

int32_t TWILFile::CountImages() const { return static_cast<int32_t>(ImageCount); }

int32_t TWILFile::PickerCount() const
{
    if (!ViewsMapped()) return 0;
    int32_t count = GetCount();
    ReadViews([&] { count = WilPickerCount(DataView.Bytes(), IndexView.Bytes()); });
    return count;
}

std::string TWILFile::TempPngPath() { return Application->ExeFolder() + "x.tmp"; }

// The decoding every output shares: image Index onto the scratch canvas, its header into LastHeader. The canvas
// is sized between the two reads of the views: neither allocates.
TImageDecodeStatus TWILFile::DecodeImage(int32_t Index)
{
    if (!ViewsMapped()) return TImageDecodeStatus::NoImage;
    try {
        TImageDecodeStatus status = TImageDecodeStatus::NoImage;
        TWilImageHeader image;
        TByteCursor rows(DataView.Bytes());
        if (!ReadViews([&] { status = FindWilImage(DataView.Bytes(), IndexView.Bytes(), Index, image, rows); }))
            return TImageDecodeStatus::NoImage;
        if (status != TImageDecodeStatus::Decoded) return status;
        SizeWilCanvas(image, Canvas);
        bool decoded = false;
        if (!ReadViews([&] { decoded = DecodeWilRows(rows, image.Height, Canvas); }))
            return TImageDecodeStatus::NoImage;
        if (!decoded) return TImageDecodeStatus::Damaged;
        LastHeader = image;
        return TImageDecodeStatus::Decoded;
    } catch (const std::bad_alloc&) {
        return TImageDecodeStatus::Damaged;
    }
}

// The scratch canvas as the PNG image; both are RGBA bytes, row after row.
bool TWILFile::CanvasToPng()
{
    if (!Png.CreateBlank(Canvas.Width, Canvas.Height)) return false;
    std::memcpy(static_cast<void*>(Png.Row(0)), Canvas.Pixels.data(), Canvas.Pixels.size() * sizeof(uint32_t));
    return true;
}

bool TWILFile::EncodeCanvas(std::vector<uint8_t>& Out, uint8_t CompressionLevel)
{
    Out.clear();
    return CanvasToPng() && Png.SaveToMemory(Out, CompressionLevel);
}

TImageDecodeStatus TWILFile::DecodeFrame32Draw(int32_t Index, TImageHeaderD3D& Entry)
{
    try {
        const TImageDecodeStatus status = DecodeImage(Index);
        if (status == TImageDecodeStatus::NoImage) return status;
        if (status == TImageDecodeStatus::Damaged) {
            LogFailure("DecodeFrame32Draw", Index);
            return status;
        }
        Entry.Width = LastHeader.Width;
        Entry.Height = LastHeader.Height;
        Entry.OffsetX = LastHeader.OffsetX;
        Entry.OffsetY = LastHeader.OffsetY;
        Entry.Texture.Reset();
        if (LastHeader.Width == 0 || LastHeader.Height == 0) {
            Entry.Texture = CreateEmptyCacheTexture(Device.Get());
            return status;
        }
        // The creation's result is not checked: without a texture the entry is decoded again on the next request.
        Entry.Texture = CreateCacheTexture(Device.Get(), {Canvas.Bytes(), Canvas.Width, Canvas.Height,
                                                          size_t{4} * Canvas.Width},
                                           LastHeader.Width, LastHeader.Height);
        return status;
    } catch (const std::exception&) {
        LogFailure("DecodeFrame32Draw", Index);
        return TImageDecodeStatus::Damaged;
    }
}

TMakePngResult TWILFile::DecodeFrame32MakePNG(int32_t Index, TSILImageRecord& Record, uint8_t CompressionLevel)
{
    // Decoding and encoding fail for this image alone: the conversion goes on with an empty entry. Failed views
    // fail this and every later image, which no empty entry may stand for.
    try {
        const TImageDecodeStatus status = DecodeImage(Index);
        if (status == TImageDecodeStatus::Damaged) LogFailure("DecodeFrame32MakePNG", Index);
        if (ViewsFailed()) return TMakePngResult::ReadFailed;
        if (status != TImageDecodeStatus::Decoded) return TMakePngResult::NoImage;
        if (!EncodeCanvas(PngBytes, CompressionLevel)) {
            LogFailure("DecodeFrame32MakePNG", Index);
            return TMakePngResult::NoImage;
        }
    } catch (const std::exception&) {
        LogFailure("DecodeFrame32MakePNG", Index);
        return TMakePngResult::NoImage;
    }
    Record.Width = LastHeader.Width;
    Record.Height = LastHeader.Height;
    Record.OffsetX = LastHeader.OffsetX;
    Record.OffsetY = LastHeader.OffsetY;
    Record.Byte8 = LastHeader.Byte8;
    Record.Word9 = LastHeader.Word9;
    Record.Word11 = LastHeader.Word11;
    // Only the file's write ends the conversion. The file is scratch, mapped and deleted at once by the SIL
    // writer: it is written plainly, with no flush and no replacing step. A failed write leaves no file behind,
    // so a stale file from an earlier image is never taken for this one.
    try {
        WriteFilePlain(TempPngPath(), PngBytes.data(), PngBytes.size());
        return TMakePngResult::Written;
    } catch (const std::exception& e) {
        LastWriteError = e.what();
    }
    LogFailure("DecodeFrame32MakePNG", Index);
    return TMakePngResult::WriteFailed;
}

TImageDecodeStatus TWILFile::DecodeFrameBitmap(int32_t Index, TImageBitmapRecord& Record)
{
    try {
        const TImageDecodeStatus status = DecodeImage(Index);
        if (status != TImageDecodeStatus::Decoded) return status;
        Record.Bitmap.reset();
        Record.Width = LastHeader.Width;
        Record.Height = LastHeader.Height;
        Record.CanvasWidth = static_cast<uint16_t>(Canvas.Width);
        Record.CanvasHeight = static_cast<uint16_t>(Canvas.Height);
        Record.OffsetX = LastHeader.OffsetX;
        Record.OffsetY = LastHeader.OffsetY;
        Record.Info1 = LastHeader.Word9;
        Record.Info2 = LastHeader.Word11;
        if (LastHeader.Width == 0 || LastHeader.Height == 0) return status;
        if (!CanvasToPng() || !CopyPngToRecordBitmap(Png, Record)) return TImageDecodeStatus::Damaged;
        return status;
    } catch (const std::exception&) {
        return TImageDecodeStatus::Damaged;
    }
}
