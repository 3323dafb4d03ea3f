// The map view's geometry in the real window: the cells under the mouse and their labels at every zoom level, the
// scroll maxima and even positions, the thumb, the wheel and the jump fields.
#include "tests/editor/MainWindowScene.h"

#include <array>

#include "classlib/ScrollBars.h"
#include "classlib/StdCtrls.h"
#include "editor/core/uZoomTable.h"
#include "sddcontrols/unSDDButton.h"
#include "sddcontrols/unSDDEdit.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDSpnEdt.h"
#include "tests/classlib/ControlsTestSupport.h"

namespace mainwin_test {
namespace {

// The zoom level Index reached by the spin buttons: the lower half zooms in, the upper half out.
void ZoomTo(TMainScene& s, int Index)
{
    TfrmSorvantaMain& w = s.W();
    while (w.ZoomIndex < Index) s.ClickAt(*w.sbtnZoom, 8, 20);
    while (w.ZoomIndex > Index) s.ClickAt(*w.sbtnZoom, 8, 4);
}

void Jump(TMainScene& s, int X, int Y)
{
    s.W().maJumpX->SetText(std::to_string(X));
    s.W().maJumpY->SetText(std::to_string(Y));
    s.Click(*s.W().SDDButton1);
}

std::array<std::string, 4> CellLabels(TfrmSorvantaMain& w)
{
    return {w.laTileXInfo->Caption(), w.laTileYInfo->Caption(), w.laObjectXInfo->Caption(),
            w.laObjectYInfo->Caption()};
}

TEST(MainView, EveryZoomLevelTurnsTheMouseIntoItsCells)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.Open(s.client.MapPath());
    struct Row {
        int Level;
        const char* Text;
        int HorzPos, VertPos, X, Y;
        std::array<std::string, 4> Cells;  // tile x, tile y, step x, step y
        int ViewTileX, ViewStepY;
    };
    const Row rows[] = {
        {0, "3,12%", 0, 0, 10, 7, {"3", "3", "10", "7"}, 3, 7},  // the step cell of 3 % is 1 x 1
        {1, "6,25%", 2, 4, 13, 9, {"3", "4", "6", "8"}, 2, 4},
        {2, "12,5%", 2, 2, 25, 17, {"3", "3", "6", "6"}, 2, 4},
        {3, "25%", 6, 2, 49, 33, {"5", "3", "10", "6"}, 2, 4},
        {4, "50%", 0, 2, 47, 31, {"0", "1", "1", "3"}, 0, 1},
        {5, "75%", 0, 0, 72, 48, {"1", "1", "2", "2"}, 1, 2},
        {6, "100%", 0, 0, 95, 63, {"0", "0", "1", "1"}, 0, 1},
        {7, "125%", 4, 6, 130, 90, {"3", "4", "6", "8"}, 1, 2},
        {8, "150%", 8, 8, 144, 96, {"5", "5", "10", "10"}, 1, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Text);
        ZoomTo(s, r.Level);
        Jump(s, r.HorzPos + 8, r.VertPos + 8);
        ASSERT_EQ((std::array{w.scbaHorizontal->Position(), w.scbaVertical->Position()}),
                  (std::array{r.HorzPos, r.VertPos}));
        s.MoveTo(*w.plDrawEnvir, r.X, r.Y);
        EXPECT_EQ(w.laZoomMode->Caption(), r.Text);
        EXPECT_EQ(w.ZoomPercent, ZoomTable[size_t(r.Level)].Percent);
        EXPECT_EQ(CellLabels(w), r.Cells);
        EXPECT_EQ((std::array{w.ViewTileCellX, w.ViewStepCellY}), (std::array{r.ViewTileX, r.ViewStepY}));
    }
    s.Click(*w.btnResetZoom);
    EXPECT_EQ((std::array{w.ZoomIndex, w.ZoomPercent}), (std::array{6, 100}));
    EXPECT_EQ(w.laZoomMode->Caption(), "100%");
    EXPECT_EQ(w.scbaHorizontal->Position(), 8) << "the scroll positions stay";
    // Leaving the panel shows no cell; the cells keep their values.
    PostMessageA(w.plDrawEnvir->Handle(), WM_MOUSELEAVE, 0, 0);
    PumpFor(30);
    EXPECT_EQ(CellLabels(w), (std::array<std::string, 4>{" - ", " - ", " - ", " - "}));
    EXPECT_EQ(w.StepCellX, 10);
}

TEST(MainView, TheInfoLabelsShowTheMapUnderTheMouse)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.MoveTo(*w.plDrawEnvir, 10, 10);
    EXPECT_EQ(w.laTileInfoImage->Caption(), " - ") << "no map";
    EXPECT_EQ(CellLabels(w)[0], " - ");

    fixtures::MapFileBuilder map(40, 30);
    map.Put(map.TileOffset(1, 1), 0xFFFF07, 3);  // library 7, image 0xFFFF: shown as none
    map.Put(map.TileOffset(2, 1), 0x012C0B, 3);  // library 11, image 300
    map.Put(map.CellOffset(4, 2) + fixtures::kCellFrontLib, 9);
    map.Put(map.CellOffset(4, 2) + fixtures::kCellFrontImage, 1234, 2);
    ASSERT_TRUE(fixtures::WriteBytesToFile(s.client.MapPath("Info.map"), map.Bytes()));
    s.Open(s.client.MapPath("Info.map"));
    struct Row {
        int X, Y;
        bool ScrolledToTheEnd;
        std::array<std::string, 6> Info;  // tile image, tile library, front image, front library, back ...
    };
    const Row rows[] = {
        {100, 70, false, {" - ", " - ", " - ", " - ", " - ", " - "}},
        {200, 80, false, {"300", "11", "1234", "9", " - ", " - "}},
        // Past the map's last column, at the view's right edge: the getters' answer for a cell outside the map.
        {680, 80, true, {"-1", "-1", "0", "0", "0", "0"}},
    };
    for (const Row& r : rows) {
        if (r.ScrolledToTheEnd) Jump(s, 26 + 8, 16 + 8);
        s.MoveTo(*w.plDrawEnvir, r.X, r.Y);
        EXPECT_EQ((std::array<std::string, 6>{w.laTileInfoImage->Caption(), w.laTileInfoFile->Caption(),
                                               w.laCellFInfoImage->Caption(), w.laCellFInfoFile->Caption(),
                                               w.laCellBInfoImage->Caption(), w.laCellBInfoFile->Caption()}),
                  r.Info)
            << r.X << "," << r.Y;
    }
}

TEST(MainView, ScrollMaximaFollowTheZoomAndPositionsStayEven)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    ASSERT_EQ((std::array{w.scbaHorizontal->Width(), w.scbaVertical->Height()}), (std::array{692, 481}))
        << "the layout's view";
    s.Open(s.client.MapPath());
    struct Row {
        int Level, HorzMax, VertMax;
    };
    // 40 x 30 cells; the maxima of the zoom table's formulas, odd ones rounded up.
    const Row rows[] = {{6, 26, 16}, {7, 32, 20}, {8, 34, 24}, {2, 2, 2}, {0, 190, 210}};
    for (const Row& r : rows) {
        ZoomTo(s, r.Level);
        EXPECT_EQ((std::array{w.scbaHorizontal->Max(), w.scbaVertical->Max()}), (std::array{r.HorzMax, r.VertMax}))
            << r.Level;
    }
    // A position lands on the next even one, also at the last position a bar offers, so tiles and objects keep
    // their alignment there.
    ZoomTo(s, 7);
    Jump(s, 39, 29);
    EXPECT_EQ((std::array{w.scbaHorizontal->Position(), w.StepOriginX, w.TileOriginX}), (std::array{32, 32, 16}));
    EXPECT_EQ((std::array{w.scbaVertical->Position(), w.StepOriginY, w.TileOriginY}), (std::array{20, 20, 10}));
    ZoomTo(s, 6);
    Jump(s, 15, 15);
    EXPECT_EQ((std::array{w.scbaHorizontal->Position(), w.StepOriginX, w.TileOriginX}), (std::array{8, 8, 4}));
}

TEST(MainView, DraggingTheVerticalThumbScrollsTheViewToEvenPositions)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.Open(s.client.MapPath());
    ASSERT_EQ(w.scbaVertical->Max(), 16);
    struct Row {
        int Target;  // the position under the released thumb
        int Position, StepOriginY, TileOriginY;
    };
    // From the top each time; an odd position is rounded up to the next even one.
    const Row rows[] = {{5, 6, 6, 3}, {10, 10, 10, 5}, {16, 16, 16, 8}};
    for (const Row& r : rows) {
        w.scbaVertical->SetPosition(0);
        const int travel = controls_test::ScrollThumb(w.scbaVertical->Handle()).Travel;
        controls_test::DragScrollThumb(w.scbaVertical->Handle(), {travel / 2, (travel * r.Target + 8) / 16});
        PumpFor(20);
        EXPECT_EQ((std::array{w.scbaVertical->Position(), w.StepOriginY, w.TileOriginY}),
                  (std::array{r.Position, r.StepOriginY, r.TileOriginY}))
            << r.Target;
        EXPECT_EQ(GetScrollPos(w.scbaVertical->Handle(), SB_CTL), r.Position) << r.Target;
    }
}

TEST(MainView, TheWheelAndTheJumpFieldsScroll)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.Open(s.client.MapPath());
    const auto wheel = [&](int delta) {
        const TPoint at = w.ClientToScreen({300, 300});
        PostMessageA(w.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.X, at.Y));
        PumpFor(30);
        return w.scbaVertical->Position();
    };
    EXPECT_EQ(wheel(-120), 2) << "down one cell, rounded up to even";
    EXPECT_EQ(wheel(-120), 4);
    EXPECT_EQ(wheel(120), 2);
    EXPECT_EQ(wheel(120), 0);
    EXPECT_EQ(wheel(120), 0);

    struct Row {
        const char *X, *Y;
        int Horz, Vert;
    };
    const Row rows[] = {{"10", "5", 2, 0}, {"20", "16", 12, 8}, {"0", "9", 12, 8}, {"x", "12", 12, 8}};
    for (const Row& r : rows) {
        w.maJumpX->SetText(r.X);
        w.maJumpY->SetText(r.Y);
        s.Click(*w.SDDButton1);
        EXPECT_EQ((std::array{w.scbaHorizontal->Position(), w.scbaVertical->Position()}), (std::array{r.Horz, r.Vert}))
            << r.X << "," << r.Y;
    }
}

}  // namespace
}  // namespace mainwin_test
