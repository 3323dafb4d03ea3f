#include "Common/core/Dev_ResultCodes.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultCodes, ExitCodesAndTexts)
{
    // The nine framework codes propose exit codes 2 to 10; everything else, success included, 1.
    for (std::uint32_t code = 0x80040900; code <= 0x8004090A; ++code) {
        const bool framework = code >= 0x80040901 && code <= 0x80040909;
        EXPECT_EQ(DXUTErrorExitCode(ResultCode(code)), framework ? int(code - 0x80040901 + 2) : 1) << std::hex << code;
        EXPECT_EQ(DXUTErrorMessageText(ResultCode(code), false).empty(), !framework) << std::hex << code;
    }
    EXPECT_EQ(DXUTErrorExitCode(kResultOk), 1);
    EXPECT_EQ(DXUTErrorExitCode(kResultFail), 1);

    // Only "no compatible devices" has a second text, for remote sessions.
    EXPECT_EQ(DXUTErrorMessageText(kDXUTErrNoCompatibleDevices, false),
              L"Could not find any compatible Direct3D devices.");
    EXPECT_EQ(DXUTErrorMessageText(kDXUTErrNoCompatibleDevices, true),
              L"Direct3D does not work over a remote session.");
    EXPECT_EQ(DXUTErrorMessageText(kDXUTErrCreatingDevice, true), L"Failed creating the Direct3D device.");
}

} // namespace
