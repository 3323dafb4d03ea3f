// Fuzzes the SIL reader's lookup as the program makes it, then the PNG decoding it hands a found image to, with
// the decoder's default limits. Every index from -1 to N + 1 gives found, none or damaged exactly as the two files
// say; a found record's PNG lies inside the data file; a pair called complete holds N >= 1 index entries; nothing
// reads outside the two files (each in an allocation of its own).
#include "classlib/core/PngImage.h"
#include "gamedata/core/SilFormat.h"
#include "tests/gamedata/fuzz/WilFuzzInput.h"

#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const WilFuzzInput input = SplitWilFuzzInput(bytes, size);
    const int64_t count = ReadSilCount(input.Data);
    Check(!SilPairComplete(input.Data, input.Index) ||
          (count >= 1 && input.Index.size() >= SilIndexHeaderSize + size_t(4 * count)));
    for (int64_t i = -1; i <= count + 1 && i < 64; ++i) {
        TSilRecord record;
        record.PngLength = 0xDEAD;
        const TImageDecodeStatus status = LookupSilImage(input.Data, input.Index, i, record);
        if (i < 0 || i >= count) {
            Check(status == TImageDecodeStatus::Damaged && record.PngLength == 0xDEAD);
            continue;
        }
        const bool entryEmpty = ReadSilIndexEntry(input.Index, static_cast<uint32_t>(i)) == 0;
        Check((status == TImageDecodeStatus::NoImage) == entryEmpty);
        if (status != TImageDecodeStatus::Decoded) continue;
        Check(record.Png.size() == record.PngLength && record.Png.data() >= input.Data.data() &&
              record.Png.data() + record.Png.size() <= input.Data.data() + input.Data.size());
        if (record.Header.Width == 0 || record.Header.Height == 0) continue;
        uint32_t width = 0, height = 0;
        Check(TPngImage::ReadPngSize(record.Png, width, height) && width >= 1 && height >= 1 && width <= 4096 &&
              height <= 4096);
        TPngImage image;
        if (image.LoadFromMemory(record.Png)) Check(image.Width() == width && image.Height() == height);
    }
    return 0;
}
