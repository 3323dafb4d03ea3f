#include "editor/core/uCRC32.h"

#include <zlib.h>

#include <climits>
#include <cstdio>
#include <memory>
#include <vector>

void CRC32Update(const void* Buffer, size_t Count, uint32_t& Crc)
{
    // zlib's crc32 complements on the way in and out; undo both so the register is advanced as it stands.
    auto* bytes = static_cast<const Bytef*>(Buffer);
    uLong crc = ~Crc & 0xFFFFFFFFu;
    while (Count > 0) {
        const uInt n = Count > UINT_MAX ? UINT_MAX : static_cast<uInt>(Count);
        crc = crc32(crc, bytes, n);
        bytes += n;
        Count -= n;
    }
    Crc = ~static_cast<uint32_t>(crc);
}

uint32_t FileCRC32(const std::string& FileName, uint16_t& Error)
{
    Error = FileCRC32Ok;
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(FileName.c_str(), "rb"));
    if (!file) {
        Error = FileCRC32ReadError;
        return 0;
    }
    // 256 KiB keeps the buffer off the stack and the read calls few; libraries run to tens of megabytes.
    std::vector<unsigned char> chunk(256 * 1024);
    uint32_t crc = 0xFFFFFFFFu;
    for (;;) {
        const size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (got > 0) CRC32Update(chunk.data(), got, crc);
        if (got < chunk.size()) break;
    }
    if (std::ferror(file.get())) {
        Error = FileCRC32ReadError;
        return 0;
    }
    return ~crc;
}
