#include "classlib/core/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "classlib/core/SafeFile.h"
#include "classlib/core/SysUtils.h"

// Sections: TStream; TMemoryStream; TFileStream.

namespace {

[[noreturn]] void ThrowBadPosition()
{
    throw EStreamError("Invalid stream position");
}

// The position `offset` from `origin` leads to, given the current position and size; throws before the start.
int64_t Target(int64_t offset, TSeekOrigin origin, int64_t current, int64_t size)
{
    const int64_t base = origin == soBeginning ? 0 : (origin == soCurrent ? current : size);
    if ((offset < 0 && base + offset < 0) || (offset > 0 && base > INT64_MAX - offset))
        ThrowBadPosition();
    return base + offset;
}

} // namespace

// ---- TStream ---------------------------------------------------------------------------------------------------

int64_t TStream::Size()
{
    const int64_t pos = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t)
{
    throw EStreamError("Stream size cannot be changed");
}

void TStream::ReadBuffer(void* buffer, size_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count <= 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr size_t chunk = 64 * 1024;
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(count, chunk)));
    for (int64_t left = count; left > 0;) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(left, chunk));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= static_cast<int64_t>(n);
    }
    return count;
}

// ---- TMemoryStream ---------------------------------------------------------------------------------------------

size_t TMemoryStream::Read(void* buffer, size_t count)
{
    const int64_t size = Size();
    if (position_ >= size || count == 0)
        return 0;
    const size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), size - position_));
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += static_cast<int64_t>(n);
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count)
{
    if (count == 0 || static_cast<uint64_t>(position_) + count > data_.max_size())
        return 0;
    const int64_t end = position_ + static_cast<int64_t>(count);
    if (end > Size())
        data_.resize(static_cast<size_t>(end));
    std::memcpy(data_.data() + position_, buffer, count);
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    position_ = Target(offset, origin, position_, Size());
    return position_;
}

void TMemoryStream::SetSize(int64_t newSize)
{
    if (newSize < 0)
        throw EStreamError("Invalid stream size");
    data_.resize(static_cast<size_t>(newSize));
}

void TMemoryStream::Clear()
{
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    const int64_t size = source.Size();
    std::vector<uint8_t> loaded(static_cast<size_t>(size));
    source.ReadBuffer(loaded.data(), loaded.size());
    data_.swap(loaded);
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& dest) const
{
    dest.WriteBuffer(data_.data(), data_.size());
}

void TMemoryStream::SaveToFile(const std::string& fileName) const
{
    WriteFileReplacing(fileName, data_.data(), data_.size());
}

// ---- TFileStream -----------------------------------------------------------------------------------------------

namespace {

int SeekFile(std::FILE* f, int64_t offset, int whence)
{
#ifdef _WIN32
    return _fseeki64(f, offset, whence);
#else
    return fseeko(f, static_cast<off_t>(offset), whence);
#endif
}

int64_t TellFile(std::FILE* f)
{
#ifdef _WIN32
    return _ftelli64(f);
#else
    return static_cast<int64_t>(ftello(f));
#endif
}

std::string Reason()
{
    return std::strerror(errno);
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : fileName_(fileName)
{
    const bool create = (mode & 0xFF00) == fmCreate;
    const char* how = create ? "w+b" : ((mode & 0x3) == fmOpenRead ? "rb" : "r+b");
    file_ = std::fopen(fileName.c_str(), how);
    if (!file_) {
        const std::string text = "\"" + fileName + "\". " + Reason();
        if (create)
            throw EFCreateError("Cannot create file " + text);
        throw EFOpenError("Cannot open file " + text);
    }
}

TFileStream::~TFileStream()
{
    if (file_)
        std::fclose(file_);
}

void TFileStream::Switch(LastOp next)
{
    if (lastOp_ != LastOp::None && lastOp_ != next)
        SeekFile(file_, 0, SEEK_CUR);
    lastOp_ = next;
}

size_t TFileStream::Read(void* buffer, size_t count)
{
    if (count == 0)
        return 0;
    Switch(LastOp::Read);
    return std::fread(buffer, 1, count, file_);
}

size_t TFileStream::Write(const void* buffer, size_t count)
{
    if (count == 0)
        return 0;
    Switch(LastOp::Write);
    return std::fwrite(buffer, 1, count, file_);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    if (origin == soCurrent && offset == 0)
        return TellFile(file_);
    const int64_t current = TellFile(file_);
    const int64_t size = origin == soEnd ? Size() : 0;
    const int64_t target = Target(offset, origin, current, size);
    if (SeekFile(file_, target, SEEK_SET) != 0)
        ThrowBadPosition();
    lastOp_ = LastOp::None;
    return target;
}

int64_t TFileStream::Size()
{
    std::fflush(file_);
    lastOp_ = LastOp::None;
    const int64_t pos = TellFile(file_);
    SeekFile(file_, 0, SEEK_END);
    const int64_t size = TellFile(file_);
    SeekFile(file_, pos, SEEK_SET);
    return size;
}

void TFileStream::SetSize(int64_t newSize)
{
    if (newSize < 0)
        throw EStreamError("Invalid stream size");
    std::fflush(file_);
#ifdef _WIN32
    const bool ok = _chsize_s(_fileno(file_), newSize) == 0;
#else
    const bool ok = ftruncate(fileno(file_), static_cast<off_t>(newSize)) == 0;
#endif
    if (!ok)
        throw EStreamError("Cannot change the size of file \"" + fileName_ + "\". " + Reason());
    // Re-synchronise stdio with the descriptor; the position may now lie past the end, as in a memory stream.
    SeekFile(file_, TellFile(file_), SEEK_SET);
    lastOp_ = LastOp::None;
}
