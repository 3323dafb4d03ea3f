// The map view through the real main window: a map opened with the open action is drawn, the option boxes switch
// its grid, the mouse in select mode labels the object under it, and the screenshot button saves the view.
#include "tests/editor/FramePixels.h"
#include "tests/editor/MainWindowScene.h"

#include "classlib/core/PngImage.h"
#include "editor/uMapCallbacks.h"
#include "sddcontrols/unSDDButton.h"
#include "sddcontrols/unSDDPageControl.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDRadChk.h"

namespace {

using namespace mainwin_test;
using rendertest::Near;
using rendertest::OverBlack;
using rendertest::Rgb;

// The colour of image Index of the scene's libraries.
uint16_t FixtureColour(int Index)
{
    return uint16_t(0x1000 * (Index + 1) + 0x1F);
}

TEST(MainWindowRender, TheViewDrawsTheOpenMapItsGridOverlayAndScreenshot)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    // 20 x 16 cells: tile (1, 1) shows tile image 2, step cell (5, 6) a back object (48 x 100) of image 1.
    fixtures::MapFileBuilder file(20, 16);
    file.Put(file.TileOffset(1, 1), TileLibrary).Put(file.TileOffset(1, 1) + 1, 2, 2);
    file.Put(file.CellOffset(5, 6) + fixtures::kCellBackLib, ObjectLibrary);
    file.Put(file.CellOffset(5, 6) + fixtures::kCellBackImage, 1, 2);
    ASSERT_TRUE(fixtures::WriteBytesToFile(s.client.MapPath("Render.map"), file.Bytes()));
    s.Open(s.client.MapPath("Render.map"));
    ASSERT_NE(w.Map, nullptr);

    const ComPtr<IDirect3DDevice9> device = DXUTGetD3DDevice();
    ASSERT_TRUE(device);
    rendertest::TFramePixels shown;
    const auto frame = [&] {
        OnFrameRender(device.Get(), 0.0, 0.0f, nullptr);
        ASSERT_TRUE(shown.Read(device.Get()));
    };
    frame();
    EXPECT_EQ(shown.Pixel(140, 100), Rgb(FixtureColour(2))) << "the tile";
    EXPECT_EQ(shown.Pixel(260, 200), Rgb(FixtureColour(1))) << "the back object, standing on its cell";
    EXPECT_EQ(shown.Pixel(260, 100), 0u) << "above the object";

    s.Click(*w.chkTileLines);
    frame();
    EXPECT_TRUE(Near(shown.Pixel(96, 300), OverBlack(w.TileGridColor))) << std::hex << shown.Pixel(96, 300);

    // Front-object mode chosen last, then select mode; the mouse over the object's cell.
    s.Click(*w.btnFrontObjectMode);
    s.Click(*w.btnSelectMode);
    s.MoveTo(*w.plDrawEnvir, 5 * 48 + 10, 6 * 32 + 10);
    frame();
    EXPECT_EQ(shown.Pixel(250, 124), 0xFF0000u) << "the box's inner top-left bracket, at the image's corner";

    auto* info = dynamic_cast<TSDDPageControl*>(w.FindComponent("pcInfo"));
    ASSERT_NE(info, nullptr);
    const TRect tab = info->TabRect(1);
    s.ClickAt(*info, (tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2);
    s.Click(*w.SDDButton2);
    frame();
    std::vector<std::filesystem::path> shots;
    for (const auto& entry : std::filesystem::directory_iterator(s.client.dir.path()))
        if (entry.path().filename().string().rfind("Map_0_Render_", 0) == 0) shots.push_back(entry.path());
    ASSERT_EQ(shots.size(), 1u);
    TPngImage png;
    ASSERT_TRUE(png.LoadFromMemory(fixtures::ReadFileBytes(shots[0].string())));
    const TRgba tile = png.Pixel(140, 100);
    EXPECT_EQ(uint32_t(tile.R) << 16 | uint32_t(tile.G) << 8 | tile.B, Rgb(FixtureColour(2)));
}

}  // namespace
