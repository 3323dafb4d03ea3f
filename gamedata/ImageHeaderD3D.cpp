#include "gamedata/ImageHeaderD3D.h"

#include "classlib/Graphics.h"
#include "classlib/PngImageBitmap.h"

TImageBitmapRecord::TImageBitmapRecord() = default;
TImageBitmapRecord::~TImageBitmapRecord() = default;

bool CopyPngToRecordBitmap(const TPngImage& Image, TImageBitmapRecord& Record)
{
    auto bitmap = std::make_unique<TBitmap>();
    if (!CopyPngToBitmap16(Image, Record.Width, Record.Height, *bitmap)) {
        Record.Bitmap.reset();
        return false;
    }
    Record.Bitmap = std::move(bitmap);
    return true;
}
