#pragma once
// TSILFile: one of the system's own SIL image libraries (".sil" data file of PNG records, ".six" index file).
// Reading goes through read-only mapped views held by the shared TImageLibraryFile, as in the WIL reader; writing
// (the start-up conversion) builds both files in memory and saves them whole. The byte layout is platform-free
// (core/SilFormat.h).
//
// A fault while the views are read (a file cut short while mapped) is answered by TImageLibraryFile: both decoders
// answer NoImage from then on, until the library is mapped again. Errors are values: a decoder reports what
// happened and, when the object holds a log, writes its error text through LogErrorPlain. The writer's file errors
// (EFCreateError, EWriteError) reach the caller. GUI thread only.
//
// Sections: reading; writing.
#include "gamedata/ImageHeaderD3D.h"
#include "gamedata/ImageLibraryFile.h"
#include "gamedata/core/SilFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// AddImage's result codes.
constexpr uint32_t SilAddImageOk = 0;
constexpr uint32_t SilAddImageFailed = 0x80004005;

class TSILFile : public TImageLibraryFile {
public:
    // MaxDataOffset bounds the data-file offsets the writer stores (u32 in the index file); tests pass a small one.
    explicit TSILFile(uint64_t MaxDataOffset = UINT32_MAX);
    ~TSILFile() override;

    // ---- reading ----
    // Maps the pair named by Path (".sil" or ".six", either case); false, object cleared, when either file is
    // missing or cannot be mapped. Keeps the path and the count N.
    bool Open(const std::string& Path);
    // Unmaps both views, zeroes the header copies, forgets the path and drops the write buffers.
    void Clear();

    // N while the data file is mapped, else 0; N as Open read it while the views have failed.
    int32_t GetCount() const;
    int32_t ImageCount() const { return OpenedCount; }  // N as Open read it

    // Into a cache texture: the entry's sizes and offsets, then a new texture from the record's PNG (decoded with
    // libpng) in place of the old one; a PNG that cannot be decoded leaves the entry without texture. A side of 0
    // gives the 1 x 1 transparent texture.
    TImageDecodeStatus DecodeFrame32D3D(int32_t Index, TImageHeaderD3D& Entry);
    // Into a new 16-bit bitmap of the image's size (none for a side of 0), replacing the record's old one; the
    // canvas sizes are 0 (a PNG record has no canvas of its own).
    TImageDecodeStatus DecodeFrameBitmap(int32_t Index, TImageBitmapRecord& Record);

    const uint8_t* DataHeader() const { return DataHeaderCopy; }
    const uint8_t* IndexHeader() const { return IndexHeaderCopy; }

    // True when the mapped pair is whole by SilPairComplete; false without views, or when they fail.
    bool IsComplete() const;

    // ---- writing ----
    // Fresh headers with Count, written at once (plainly: Finish replaces them durably) as BasePath + ".sil" and
    // BasePath + ".six".
    void CreateNew(const std::string& BasePath, int32_t Count);
    // Appends the PNG file the WIL reader staged (see SetStagingFile) as the next image, with the record's first
    // 13 bytes; sets Record.PngLength and deletes the staged file. SilAddImageFailed, nothing appended, when the
    // file cannot be mapped, CreateNew was not called, or the record would start beyond the offset limit.
    uint32_t AddImage(TSILImageRecord& Record);
    // Appends an index entry 0 (no image).
    void AddEmptyEntry();
    // Sets the count in both headers to LastIndex + 1 and saves both files again, each replacing its file only
    // once its bytes are on the disk. AddEmptyEntry and Finish do nothing before CreateNew.
    void Finish(const std::string& BasePath, int32_t LastIndex);

    // The staged PNG file AddImage consumes: "x.tmp" beside the executable unless set otherwise.
    void SetStagingFile(const std::string& FilePath) { StagingFile = FilePath; }

private:
    TImageDecodeStatus Lookup(int32_t Index, TSilRecord& Record);

    uint8_t DataHeaderCopy[SilDataHeaderSize] = {};
    uint8_t IndexHeaderCopy[SilIndexHeaderSize] = {};
    int32_t OpenedCount = 0;

    std::vector<uint8_t> PngCopy;  // the last decoded record's PNG, kept to be reused by the next

    uint64_t MaxDataOffset;
    std::optional<TSilWriter> Writer;  // present from CreateNew to Clear
    std::string StagingFile;
};
