// Decodes every image of an arbitrary library pair: no input may read outside either file (each in an allocation of
// its own), allocate a giant canvas or leave pixels outside the canvas, and every decoded canvas equals the plain
// reference decoding byte for byte (through one scratch canvas, as the reader decodes, so stale pixels of an
// earlier image would show).
#include "gamedata/core/WilDecoder.h"
#include "tests/gamedata/core/WilReference.h"
#include "tests/gamedata/fuzz/WilFuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const WilFuzzInput input = SplitWilFuzzInput(bytes, size);
    const TWilDataHeader header = ReadWilDataHeader(input.Data);
    const uint32_t images = CountWilImages(input.Data, input.Index);
    if (images > header.Count) std::abort();
    TRgbaCanvas canvas;
    // Beyond N every index must be refused; one past the end and one far out are enough to show it.
    const int64_t last = header.Count < 64 ? header.Count : 64;
    for (int64_t i = -1; i <= last; ++i) {
        TWilImageHeader image;
        const TImageDecodeStatus status = DecodeWilImage(input.Data, input.Index, i, image, canvas);
        const std::optional<TRgbaCanvas> expected = testsupport::ReferenceDecode(input.Data, input.Index, i);
        if (status != TImageDecodeStatus::Decoded) {
            if ((i < 0 || i >= header.Count) && status != TImageDecodeStatus::Damaged) std::abort();
            if (expected) std::abort();
            continue;
        }
        if (canvas.Width < image.Width || canvas.Height < image.Height || canvas.Width > 4096 ||
            canvas.Height > 4096 || canvas.Pixels.size() != size_t{canvas.Width} * canvas.Height)
            std::abort();
        if (!expected || expected->Pixels != canvas.Pixels) std::abort();
    }
    return 0;
}
