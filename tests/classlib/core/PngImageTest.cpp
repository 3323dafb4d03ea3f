// TPngImage: oversized input. Round trips are read back pixel for pixel by the image library conversion tests.
#include "classlib/core/PngImage.h"

#include <gtest/gtest.h>

namespace {

// Sides beyond the limits are refused before decoding, and a failed load leaves the image it replaces untouched
// (the fuzz target holds that for damaged input of every kind).
TEST(PngImage, SidesBeyondTheLimitsAreRefused)
{
    auto blank = [](uint32_t w, uint32_t h) {
        std::vector<uint8_t> bytes;
        TPngImage img;
        EXPECT_TRUE(img.CreateBlank(w, h) && img.SaveToMemory(bytes, 1));
        return bytes;
    };
    const TPngLimits small{.MaxWidth = 64, .MaxHeight = 64};
    const struct {
        uint32_t w, h;
        TPngLimits limits;
        bool loads;
    } rows[] = {{4096, 1, {}, true}, {4097, 1, {}, false}, {1, 4097, {}, false}, {64, 64, small, true},
                {65, 64, small, false}, {64, 65, small, false}};
    for (const auto& r : rows) {
        TPngImage img;
        ASSERT_TRUE(img.CreateBlank(2, 2, TRgba{7, 7, 7, 7}));
        EXPECT_EQ(img.LoadFromMemory(blank(r.w, r.h), r.limits), r.loads) << r.w << "x" << r.h;
        EXPECT_EQ(img.Width(), r.loads ? r.w : 2u);
        EXPECT_EQ(img.LastError().empty(), r.loads);
    }
    TPngImage img;
    EXPECT_FALSE(img.CreateBlank(65536, 1));
    EXPECT_FALSE(img.CreateBlank(0, 5));
    EXPECT_TRUE(img.Empty());
}

} // namespace
