// Fuzzes PNG decoding: any input either loads within the limits or fails cleanly, and a failed load keeps the
// previous image.
#include "classlib/core/PngImage.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    TPngImage image;
    if (!image.CreateBlank(1, 1, TRgba{1, 2, 3, 4})) std::abort();
    const TPngLimits limits{.MaxWidth = 512, .MaxHeight = 512};
    if (image.LoadFromMemory({bytes, size}, limits)) {
        if (image.Width() > 512 || image.Height() > 512 || image.Pixels().size() != size_t(image.Width()) * image.Height())
            std::abort();
    } else if (image.Width() != 1 || image.Pixel(0, 0) != TRgba{1, 2, 3, 4}) {
        std::abort();
    }
    return 0;
}
