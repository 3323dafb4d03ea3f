#pragma once
// Facts about Direct3D 9 format numbers (D3DFORMAT values) that need no Direct3D: names and bit counts.
#include <cstdint>
#include <string>

// The enumerator name ("D3DFMT_A8R8G8B8") of the 56 formats from D3DFMT_UNKNOWN to D3DFMT_CxV8U8, or
// "Unknown format" for any other value. Without the prefix the name starts after "D3DFMT_" ("A8R8G8B8").
std::wstring D3DFormatToString(std::uint32_t Format, bool WithPrefix);

// Bits per colour channel of a display or back-buffer format; 0 for others.
unsigned ColorChannelBits(std::uint32_t Format);
// Depth and stencil bits of a depth-stencil format; 0 for others.
unsigned DepthBits(std::uint32_t Format);
unsigned StencilBits(std::uint32_t Format);
