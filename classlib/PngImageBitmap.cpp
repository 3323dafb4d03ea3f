#include "classlib/PngImageBitmap.h"

#include "classlib/Graphics.h"
#include "classlib/core/PngImage.h"

#include <algorithm>

bool CopyPngToBitmap16(const TPngImage& image, int width, int height, TBitmap& bitmap)
{
    // Emptied first: SetSize keeps the old pixels (and handle) when the size does not change.
    bitmap.SetSize(0, 0);
    if (width <= 0 || height <= 0) return false;
    bitmap.SetPixelFormat(pf16bit);
    bitmap.SetSize(width, height);
    if (bitmap.Empty()) return false;

    const int w = std::min<int>(width, static_cast<int>(image.Width()));
    const int h = std::min<int>(height, static_cast<int>(image.Height()));
    for (int y = 0; y < height; ++y) {
        uint16_t* dst = reinterpret_cast<uint16_t*>(bitmap.ScanLine(y));
        int x = 0;
        if (y < h) {
            const TRgba* src = image.Row(static_cast<uint32_t>(y));
            for (; x < w; ++x) dst[x] = PackRgb565(src[x].R, src[x].G, src[x].B);
        }
        std::fill(dst + x, dst + width, uint16_t{0});
    }
    return true;
}
