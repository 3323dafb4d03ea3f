// The map view's geometry in the main window: the cells under the mouse and their labels, the zoom and the scroll
// maxima, the scroll bars, the wheel, the zoom buttons and the jump fields. The arithmetic is in
// core/uViewGeometry.
#include "classlib/ScrollBars.h"
#include "classlib/StdCtrls.h"
#include "classlib/core/SysUtils.h"
#include "editor/core/uViewGeometry.h"
#include "editor/uMainEngine.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "sddcontrols/unSDDEdit.h"
#include "sddcontrols/unSDDPanel.h"

namespace {

constexpr const char* NoValue = " - ";
constexpr uint16_t NoImage = 0xFFFF;

// Both labels of one layer: " - " for the empty image word, else the image and the library in decimal.
void ShowLayer(TLabel* Image, TLabel* Library, int32_t Lib, int32_t Img)
{
    const bool empty = Img == NoImage;
    Image->SetCaption(empty ? NoValue : IntToStr(Img));
    Library->SetCaption(empty ? NoValue : IntToStr(Lib));
}

// The scroll bar lands on an even position (it runs its change handler again for that) and the origin follows.
int32_t EvenPosition(TScrollBar& Bar)
{
    const int32_t position = Bar.Position();
    if (position != EvenScrollPosition(position)) Bar.SetPosition(EvenScrollPosition(position));
    return Bar.Position();
}

}  // namespace

void TfrmSorvantaMain::UpdateCursorCells(uint8_t Mode, int32_t X, int32_t Y)
{
    LastMouseX = X;
    LastMouseY = Y;
    TLabel* const coordinates[] = {laTileXInfo, laTileYInfo, laObjectXInfo, laObjectYInfo};
    if (Mode == 0) {
        for (TLabel* label : coordinates) label->SetCaption(NoValue);
        return;
    }
    if (ZoomIndex < 0 || ZoomIndex >= ZoomLevelCount) return;
    const TCursorCells c = CellsAtPoint(ZoomTable[static_cast<size_t>(ZoomIndex)], X, Y, scbaHorizontal->Position(),
                                        scbaVertical->Position());
    ViewTileCellX = c.ViewTileX;
    ViewTileCellY = c.ViewTileY;
    ViewStepCellX = c.ViewStepX;
    ViewStepCellY = c.ViewStepY;
    TileCellX = c.TileX;
    TileCellY = c.TileY;
    StepCellX = c.StepX;
    StepCellY = c.StepY;
    ShowCellInfo();
    ApplyZoomLevel(ZoomIndex);
}

void TfrmSorvantaMain::ShowCellInfo()
{
    if (!Map) {
        for (TLabel* label : {laTileXInfo, laTileYInfo, laObjectXInfo, laObjectYInfo, laTileInfoImage, laTileInfoFile,
                              laCellFInfoImage, laCellFInfoFile, laCellBInfoImage, laCellBInfoFile})
            label->SetCaption(NoValue);
        return;
    }
    laTileXInfo->SetCaption(IntToStr(TileCellX));
    laTileYInfo->SetCaption(IntToStr(TileCellY));
    laObjectXInfo->SetCaption(IntToStr(StepCellX));
    laObjectYInfo->SetCaption(IntToStr(StepCellY));
    int32_t lib = 0, image = 0;
    Map->GetTile(TileCellX, TileCellY, lib, image, TVesk3Map::SourceMap);
    ShowLayer(laTileInfoImage, laTileInfoFile, lib, image);
    Map->GetLayerA(StepCellX, StepCellY, lib, image, TVesk3Map::SourceMap);
    ShowLayer(laCellFInfoImage, laCellFInfoFile, lib, image);
    Map->GetLayerB(StepCellX, StepCellY, lib, image, TVesk3Map::SourceMap);
    ShowLayer(laCellBInfoImage, laCellBInfoFile, lib, image);
}

void TfrmSorvantaMain::ApplyZoomLevel(int32_t Index)
{
    ZoomIndex = Index;
    if (Index >= 0 && Index < ZoomLevelCount) {
        const TZoomLevel& level = ZoomTable[static_cast<size_t>(Index)];
        ZoomText = level.Text;
        ZoomPercent = level.Percent;
        scbaHorizontal->SetMax(ScrollMaximum(Index, MapWidth, scbaHorizontal->Width(), true));
        scbaVertical->SetMax(ScrollMaximum(Index, MapHeight, scbaVertical->Height(), false));
    }
    laZoomMode->SetCaption(ZoomText);
}

// The panel is as large as the screen; its parent shows only the view's part of it.
bool TfrmSorvantaMain::PointInView(int X, int Y) const
{
    const TPoint p{X, Y};
    const TControl* const view = plDrawEnvir->Parent();
    return plDrawEnvir->ClientRect().Contains(p) &&
           (!view || view->ClientRect().Offset(-plDrawEnvir->Left(), -plDrawEnvir->Top()).Contains(p));
}

// While a button is held the panel hears of every move, also those far outside the view: such a move has left the
// panel, although the platform says so only later.
void TfrmSorvantaMain::plDrawEnvirMouseMove(TObject* Sender, TShiftState, int X, int Y)
{
    if (!PointInView(X, Y)) return plDrawEnvirMouseLeave(Sender);
    PointerInView = true;
    UpdateCursorCells(1, X, Y);
    if (LeftButtonHeld) plDrawEnvirClick(Sender);
}

void TfrmSorvantaMain::plDrawEnvirMouseLeave(TObject*)
{
    LeftButtonHeld = false;
    PointerInView = false;
    UpdateCursorCells(0, 0, 0);
}

void TfrmSorvantaMain::scbaHorizontalChange(TObject*)
{
    const int32_t position = EvenPosition(*scbaHorizontal);
    TileOriginX = position / 2;
    StepOriginX = position;
}

void TfrmSorvantaMain::scbaVerticalChange(TObject*)
{
    const int32_t position = EvenPosition(*scbaVertical);
    TileOriginY = position / 2;
    StepOriginY = position;
}

void TfrmSorvantaMain::FormMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint, bool&)
{
    // Up two cells, or down one, which the change handler rounds up to the next even position.
    scbaVertical->SetPosition(scbaVertical->Position() + (WheelDelta > 0 ? -2 : 1));
}

void TfrmSorvantaMain::sbtnZoomDownLeftClick(TObject*)
{
    if (ZoomIndex == ZoomLevelCount - 1) return;
    ApplyZoomLevel(ZoomIndex + 1);
}

void TfrmSorvantaMain::sbtnZoomUpRightClick(TObject*)
{
    if (ZoomIndex == 0) return;
    ApplyZoomLevel(ZoomIndex - 1);
}

void TfrmSorvantaMain::btnResetZoomClick(TObject*) { ApplyZoomLevel(DefaultZoomIndex); }

void TfrmSorvantaMain::SDDButton1Click(TObject*)
{
    int32_t horizontal = 0, vertical = 0;
    if (!JumpPositions(maJumpX->Text(), maJumpY->Text(), horizontal, vertical)) return;
    scbaHorizontal->SetPosition(horizontal);
    scbaVertical->SetPosition(vertical);
}
