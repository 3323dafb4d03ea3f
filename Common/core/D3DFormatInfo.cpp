#include "Common/core/D3DFormatInfo.h"

namespace {

constexpr std::uint32_t FourCC(char a, char b, char c, char d)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}

struct TFormatName {
    std::uint32_t Format;
    const wchar_t* Name;
};

constexpr TFormatName kNames[] = {
    {0, L"D3DFMT_UNKNOWN"},
    {20, L"D3DFMT_R8G8B8"},
    {21, L"D3DFMT_A8R8G8B8"},
    {22, L"D3DFMT_X8R8G8B8"},
    {23, L"D3DFMT_R5G6B5"},
    {24, L"D3DFMT_X1R5G5B5"},
    {25, L"D3DFMT_A1R5G5B5"},
    {26, L"D3DFMT_A4R4G4B4"},
    {27, L"D3DFMT_R3G3B2"},
    {28, L"D3DFMT_A8"},
    {29, L"D3DFMT_A8R3G3B2"},
    {30, L"D3DFMT_X4R4G4B4"},
    {31, L"D3DFMT_A2B10G10R10"},
    {32, L"D3DFMT_A8B8G8R8"},
    {33, L"D3DFMT_X8B8G8R8"},
    {34, L"D3DFMT_G16R16"},
    {35, L"D3DFMT_A2R10G10B10"},
    {36, L"D3DFMT_A16B16G16R16"},
    {40, L"D3DFMT_A8P8"},
    {41, L"D3DFMT_P8"},
    {50, L"D3DFMT_L8"},
    {51, L"D3DFMT_A8L8"},
    {52, L"D3DFMT_A4L4"},
    {60, L"D3DFMT_V8U8"},
    {61, L"D3DFMT_L6V5U5"},
    {62, L"D3DFMT_X8L8V8U8"},
    {63, L"D3DFMT_Q8W8V8U8"},
    {64, L"D3DFMT_V16U16"},
    {67, L"D3DFMT_A2W10V10U10"},
    {FourCC('U', 'Y', 'V', 'Y'), L"D3DFMT_UYVY"},
    {FourCC('Y', 'U', 'Y', '2'), L"D3DFMT_YUY2"},
    {FourCC('D', 'X', 'T', '1'), L"D3DFMT_DXT1"},
    {FourCC('D', 'X', 'T', '2'), L"D3DFMT_DXT2"},
    {FourCC('D', 'X', 'T', '3'), L"D3DFMT_DXT3"},
    {FourCC('D', 'X', 'T', '4'), L"D3DFMT_DXT4"},
    {FourCC('D', 'X', 'T', '5'), L"D3DFMT_DXT5"},
    {70, L"D3DFMT_D16_LOCKABLE"},
    {71, L"D3DFMT_D32"},
    {73, L"D3DFMT_D15S1"},
    {75, L"D3DFMT_D24S8"},
    {77, L"D3DFMT_D24X8"},
    {79, L"D3DFMT_D24X4S4"},
    {80, L"D3DFMT_D16"},
    {81, L"D3DFMT_L16"},
    {100, L"D3DFMT_VERTEXDATA"},
    {101, L"D3DFMT_INDEX16"},
    {102, L"D3DFMT_INDEX32"},
    {110, L"D3DFMT_Q16W16V16U16"},
    {FourCC('M', 'E', 'T', '1'), L"D3DFMT_MULTI2_ARGB8"},
    {111, L"D3DFMT_R16F"},
    {112, L"D3DFMT_G16R16F"},
    {113, L"D3DFMT_A16B16G16R16F"},
    {114, L"D3DFMT_R32F"},
    {115, L"D3DFMT_G32R32F"},
    {116, L"D3DFMT_A32B32G32R32F"},
    {117, L"D3DFMT_CxV8U8"},
};
static_assert(sizeof kNames / sizeof kNames[0] == 56);

struct TBits {
    std::uint32_t Format;
    unsigned Bits;
};

template <std::size_t N>
unsigned Lookup(const TBits (&table)[N], std::uint32_t format)
{
    for (const TBits& row : table)
        if (row.Format == format) return row.Bits;
    return 0;
}

constexpr TBits kColorBits[] = {
    {20, 8}, {21, 8}, {22, 8}, {32, 8}, {23, 5},  {24, 5},  {25, 5},
    {26, 4}, {30, 4}, {27, 2}, {29, 2}, {31, 10}, {35, 10}, {36, 16},
};

constexpr TBits kDepthBits[] = {
    {80, 16}, {70, 16}, {71, 32}, {82, 32}, {73, 15}, {75, 24}, {77, 24}, {79, 24}, {83, 24},
};

constexpr TBits kStencilBits[] = {{73, 1}, {75, 8}, {83, 8}, {79, 4}};

} // namespace

std::wstring D3DFormatToString(std::uint32_t Format, bool WithPrefix)
{
    static constexpr std::size_t kPrefixLength = 7; // "D3DFMT_"
    for (const TFormatName& row : kNames)
        if (row.Format == Format) return WithPrefix ? row.Name : row.Name + kPrefixLength;
    return L"Unknown format";
}

unsigned ColorChannelBits(std::uint32_t Format) { return Lookup(kColorBits, Format); }
unsigned DepthBits(std::uint32_t Format) { return Lookup(kDepthBits, Format); }
unsigned StencilBits(std::uint32_t Format) { return Lookup(kStencilBits, Format); }
