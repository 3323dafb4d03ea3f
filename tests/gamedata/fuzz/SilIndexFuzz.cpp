// Fuzzes the SIL lookup and the PNG decoding of what it finds: no read outside the two spans, no crash, and a
// found record's PNG always lies inside the data file.
#include "classlib/core/PngImage.h"
#include "gamedata/core/SilFormat.h"
#include "tests/gamedata/fuzz/WilFuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const WilFuzzInput input = SplitWilFuzzInput(bytes, size);
    const int64_t count = ReadSilCount(input.Data);
    const TPngLimits limits{.MaxWidth = 256, .MaxHeight = 256};
    for (int64_t i = -1; i <= count && i < 64; ++i) {
        TSilRecord record;
        if (FindSilImage(input.Data, input.Index, i, record) != TSilLookup::Found) continue;
        if (record.Png.data() < input.Data.data() ||
            record.Png.data() + record.Png.size() > input.Data.data() + input.Data.size())
            std::abort();
        TPngImage image;
        if (image.LoadFromMemory(record.Png, limits) && (image.Width() > 256 || image.Height() > 256)) std::abort();
    }
    return 0;
}
