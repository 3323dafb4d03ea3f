#pragma once
// Shared helpers of the map document tests: a comparable snapshot of everything a map holds, and a byte
// comparison that names the first difference instead of printing megabytes.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "gamedata/core/uVesk3MapEngine.h"

namespace maptest {

struct MapState {
    std::string MapName, FilePath;
    int32_t Width = 0, Height = 0, MaxTileX = 0, MaxTileY = 0, MapType = 0;
    std::vector<uint8_t> Header, Tiles, Cells;

    bool operator==(const MapState&) const = default;
};

template <class T>
std::vector<uint8_t> RawBytes(const T* data, size_t count)
{
    const auto* p = reinterpret_cast<const uint8_t*>(data);
    return {p, p + count * sizeof(T)};
}

inline MapState Snapshot(const TVesk3Map& map)
{
    return {map.MapName, map.FilePath, map.Width, map.Height, map.MaxTileX, map.MaxTileY, map.MapType,
            RawBytes(&map.Header, 1), RawBytes(map.Tiles.data(), map.Tiles.size()),
            RawBytes(map.Cells.data(), map.Cells.size())};
}

// The state after a failed load of a file named `name`: empty, with no path to save back to.
inline MapState EmptyAfterFailedLoad(const std::string& name)
{
    return {name, "", 0, 0, -1, -1, 0, std::vector<uint8_t>(sizeof(TVesk3MapHeader), 0), {}, {}};
}

// Parts of test names, which allow letters, digits and underscores only: "Type7", "WMinus1".
inline std::string NumberName(const char* prefix, int64_t value)
{
    std::string name = prefix;
    return value < 0 ? name.append("Minus").append(std::to_string(-value)) : name.append(std::to_string(value));
}

inline std::string SizeName(int64_t width, int64_t height)
{
    return NumberName("W", width) + NumberName("xH", height);
}

// Empty when equal; otherwise where and how the two images first differ.
inline std::string FirstDifference(const std::vector<uint8_t>& actual, const std::vector<uint8_t>& expected)
{
    const size_t common = std::min(actual.size(), expected.size());
    for (size_t i = 0; i < common; ++i)
        if (actual[i] != expected[i])
            return "byte " + std::to_string(i) + ": " + std::to_string(actual[i]) + " instead of " +
                   std::to_string(expected[i]);
    if (actual.size() != expected.size())
        return "length " + std::to_string(actual.size()) + " instead of " + std::to_string(expected.size());
    return {};
}

} // namespace maptest
