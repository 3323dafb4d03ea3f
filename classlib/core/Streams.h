#pragma once
// Byte streams: the abstract TStream, a growable TMemoryStream and a stdio-backed TFileStream. Positions and sizes
// are 64-bit byte counts. Read and Write move as many bytes as they can and return the count; ReadBuffer and
// WriteBuffer move all or throw.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "classlib/core/Objects.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    // Returns the new position. A position past the end is allowed (a later write fills the gap with zeros);
    // one before the start throws EStreamError and leaves the position unchanged.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size();
    // Throws EStreamError where the stream cannot change its size.
    virtual void SetSize(int64_t newSize);

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }

    // Throws EReadError "Stream read error" when fewer than `count` bytes are left.
    void ReadBuffer(void* buffer, size_t count);
    // Throws EWriteError "Stream write error" when not every byte could be written.
    void WriteBuffer(const void* buffer, size_t count);
    // Copies `count` bytes from the source's position; a count of 0 or less copies the whole source from its
    // start. Returns the number of bytes copied; throws like ReadBuffer/WriteBuffer.
    int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
public:
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }
    // Keeps the first bytes, zero-fills growth; the position is left as it is, even past the new end.
    void SetSize(int64_t newSize) override;

    uint8_t* Memory() { return data_.data(); }
    const uint8_t* Memory() const { return data_.data(); }
    void Clear();

    // Replace the whole content; the position becomes 0. On failure the stream keeps its old content.
    void LoadFromStream(TStream& source);
    // Throws EFOpenError when the file cannot be opened and EReadError when it cannot be read whole.
    void LoadFromFile(const std::string& fileName);
    // Write the whole content, whatever the position.
    void SaveToStream(TStream& dest) const;
    // Replaces the file safely (WriteFileReplacing): on failure the old file is intact.
    void SaveToFile(const std::string& fileName) const;

private:
    std::vector<uint8_t> data_;  // grows geometrically; its size is the stream's size
    int64_t position_ = 0;
};

// Open modes: one access mode, or fmCreate (create or truncate, then read and write). The share flags state the
// caller's intent only: stdio gives no share control, so files are always opened sharing read and write.
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyNone = 0x0040;
constexpr uint16_t fmCreate = 0xFF00;

class TFileStream : public TStream {
public:
    // Throws EFCreateError (fmCreate) or EFOpenError: "Cannot create file \"name\". reason".
    TFileStream(const std::string& fileName, uint16_t mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;
    void SetSize(int64_t newSize) override;

    const std::string& FileName() const { return fileName_; }

private:
    // stdio needs a positioning call between a read and a following write (and back).
    enum class LastOp { None, Read, Write };
    void Switch(LastOp next);

    std::string fileName_;
    std::FILE* file_ = nullptr;
    LastOp lastOp_ = LastOp::None;
};
