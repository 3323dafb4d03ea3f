#pragma once
// TWILFile: one of the game's WIL image libraries (".wil" data file, ".wix" index file), read through read-only
// mapped views and never changed. Any image decodes into a cache texture, into the conversion's PNG file "x.tmp"
// beside the executable, or into a 16-bit bitmap. The decoding itself is platform-free (core/WilDecoder.h).
//
// The views, path, device, log and Reload are the shared TImageLibraryFile's, and so is the answer to a fault while
// the views are read (a file cut short while mapped): every decoder answers NoImage from then on (the conversion's
// DecodeFrame32MakePNG ReadFailed), the counts stay as Open read them, until the library is mapped again. Errors
// are values: a decoder reports what happened and, when the reader holds a log, writes its error text through
// LogErrorPlain. Only the GUI thread uses a reader.
#include "classlib/core/PngImage.h"
#include "gamedata/ImageHeaderD3D.h"
#include "gamedata/ImageLibraryFile.h"
#include "gamedata/core/WilDecoder.h"

#include <cstdint>
#include <string>
#include <vector>

// What DecodeFrame32MakePNG did. The conversion adds an image for Written and an empty entry for NoImage; a
// failed write or read must not pass for either.
enum class TMakePngResult {
    Written,
    NoImage,      // no image at the index, no views, or a damaged image or one that cannot be encoded
    WriteFailed,  // decoded, but "x.tmp" could not be written
    ReadFailed,   // the views have failed: the library cannot be read whole until it is mapped again
};

class TWILFile : public TImageLibraryFile {
public:
    TWILFile();
    ~TWILFile() override;

    // Maps the pair named by Path (".wil" or ".wix", either case); false, reader cleared, when either file is
    // missing or cannot be mapped.
    bool Open(const std::string& Path);
    void Clear();

    int32_t GetCount() const;     // N of the data-file header while the data file is mapped, else 0
    int32_t CountImages() const;  // non-empty index entries among 0..N-1, counted by Open
    // The highest non-empty index entry + 1 among 0..N-1 of the mapped views (0 when none or nothing mapped): the
    // images the tile picker offers. N while the views have failed: the picker keeps the library's cells, each
    // without its image, until the library is mapped again.
    int32_t PickerCount() const;

    // Into a cache texture: the entry's sizes and offsets, then a new texture in place of the old one. A side of
    // 0 gives the 1 x 1 transparent texture.
    TImageDecodeStatus DecodeFrame32Draw(int32_t Index, TImageHeaderD3D& Entry);
    // Into "x.tmp" beside the executable at the given zlib level, after filling the record's first 13 bytes. The
    // file is scratch (the SIL writer maps and deletes it at once): it is written plainly, not flushed to the disk.
    TMakePngResult DecodeFrame32MakePNG(int32_t Index, TSILImageRecord& Record, uint8_t CompressionLevel);
    // Into a new 16-bit bitmap of the image's size (none for a side of 0), replacing the record's old one.
    TImageDecodeStatus DecodeFrameBitmap(int32_t Index, TImageBitmapRecord& Record);

    // The conversion's staging file: "x.tmp" in the executable's folder.
    static std::string TempPngPath();
    // Why the last WriteFailed happened (the file system's text); empty before any.
    const std::string& WriteError() const { return LastWriteError; }

    const uint8_t* DataHeader() const { return DataHeaderCopy; }
    const uint8_t* IndexHeader() const { return IndexHeaderCopy; }

protected:
    // The scratch canvas as PNG bytes in Out (replaced); false when encoding fails. Virtual so that a test can
    // make the encoder fail.
    virtual bool EncodeCanvas(std::vector<uint8_t>& Out, uint8_t CompressionLevel);

private:
    TImageDecodeStatus DecodeImage(int32_t Index);
    bool CanvasToPng();

    uint8_t DataHeaderCopy[WilDataHeaderSize] = {};
    uint8_t IndexHeaderCopy[WilIndexHeaderCopy] = {};
    uint32_t ImageCount = 0;

    // Scratch kept between decodes so that decoding allocates only when an image outgrows them.
    TRgbaCanvas Canvas;
    TPngImage Png;
    std::vector<uint8_t> PngBytes;
    std::string LastWriteError;
};
