#pragma once
// Fuzz input of an image library's pair (WIL/WIX or SIL/SIX): a u16 index-file length, the index file, then the
// data file. Split copies each file into an allocation of its own size, as the reader maps them apart: a read past
// either end, or before the data file's start, leaves its allocation and the address sanitizer reports it.
#include <cstddef>
#include <cstdint>
#include <vector>

struct WilFuzzInput {
    std::vector<uint8_t> Index;
    std::vector<uint8_t> Data;
};

inline WilFuzzInput SplitWilFuzzInput(const uint8_t* bytes, size_t size)
{
    if (size < 2) return {};
    size_t indexSize = static_cast<size_t>(bytes[0] | bytes[1] << 8);
    if (indexSize > size - 2) indexSize = size - 2;
    return {{bytes + 2, bytes + 2 + indexSize}, {bytes + 2 + indexSize, bytes + size}};
}

inline std::vector<uint8_t> JoinWilFuzzInput(const std::vector<uint8_t>& index, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> out{static_cast<uint8_t>(index.size()), static_cast<uint8_t>(index.size() >> 8)};
    out.insert(out.end(), index.begin(), index.end());
    out.insert(out.end(), data.begin(), data.end());
    return out;
}
