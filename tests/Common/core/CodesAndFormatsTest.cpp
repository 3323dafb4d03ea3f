#include "Common/core/D3DFormatInfo.h"
#include "Common/core/Dev_ResultCodes.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultCodes, ExitCodesAndTexts)
{
    // The nine framework codes 0x80040901..09 propose exit codes 2 to 10; everything else, success included, 1.
    for (std::uint32_t code = 0x80040900; code <= 0x8004090A; ++code) {
        const bool framework = code >= 0x80040901 && code <= 0x80040909;
        EXPECT_EQ(DXUTErrorExitCode(ResultCode(code)), framework ? int(code - 0x80040901 + 2) : 1) << std::hex << code;
        EXPECT_EQ(DXUTErrorMessageText(ResultCode(code), false).empty(), !framework) << std::hex << code;
    }
    EXPECT_EQ(DXUTErrorExitCode(0), 1);
    // Only "no compatible devices" has a second text, for remote sessions.
    EXPECT_EQ(DXUTErrorMessageText(ResultCode(0x80040902), false), L"Could not find any compatible Direct3D devices.");
    EXPECT_EQ(DXUTErrorMessageText(ResultCode(0x80040902), true), L"Direct3D does not work over a remote session.");
    EXPECT_EQ(DXUTErrorMessageText(ResultCode(0x80040905), true), L"Failed creating the Direct3D device.");
}

// Format numbers are Direct3D 9's (A8R8G8B8 21, D15S1 73, four-character codes for DXT1 and UYVY).
TEST(D3DFormatInfo, BitsAndNames)
{
    struct TRow {
        std::uint32_t Format;
        unsigned Color, Depth, Stencil;
    };
    const TRow rows[] = {
        {20, 8, 0, 0},  {21, 8, 0, 0},  {33, 0, 0, 0},  {23, 5, 0, 0},  {26, 4, 0, 0},  {27, 2, 0, 0},  {35, 10, 0, 0},
        {36, 16, 0, 0}, {70, 0, 16, 0}, {82, 0, 32, 0}, {73, 0, 15, 1}, {79, 0, 24, 4}, {83, 0, 24, 8}, {28, 0, 0, 0},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(ColorChannelBits(row.Format), row.Color) << row.Format;
        EXPECT_EQ(DepthBits(row.Format), row.Depth) << row.Format;
        EXPECT_EQ(StencilBits(row.Format), row.Stencil) << row.Format;
    }
    // Names, with and without the prefix; numbers Direct3D 9 gives no name here (D32F_LOCKABLE 82, A1 118...).
    const std::pair<std::uint32_t, const wchar_t*> names[] = {
        {0, L"UNKNOWN"}, {21, L"A8R8G8B8"}, {35, L"A2R10G10B10"}, {77, L"D24X8"}, {0x31545844, L"DXT1"},
        {0x59565955, L"UYVY"}, {117, L"CxV8U8"}, {1, nullptr}, {72, nullptr}, {82, nullptr}, {118, nullptr},
    };
    for (const auto& [format, name] : names) {
        EXPECT_EQ(D3DFormatToString(format, true), name ? L"D3DFMT_" + std::wstring(name) : L"Unknown format");
        EXPECT_EQ(D3DFormatToString(format, false), name ? name : L"Unknown format");
    }
}

} // namespace
