// The tile picker and the side panels of the main window: choosing a library, laying out and drawing its images,
// picking one to draw with, the view options, the screenshot request, the inactive merchant page, and the switch
// to the full view. The picker's rules are in core/uTilePickerRules.
#include "Common/Dev_Gui.h"
#include "classlib/Dialogs.h"
#include "classlib/StdCtrls.h"
#include "classlib/core/SysUtils.h"
#include "controls/pngextra.h"
#include "editor/uMainEngine.h"
#include "gamedata/ImageHeaderD3D.h"
#include "gamedata/uCache_Manager.h"
#include "sddcontrols/unSDDCmboBx.h"
#include "sddcontrols/unSDDGrids.h"
#include "sddcontrols/unSDDRadChk.h"
#include "sddcontrols/unSDDSplit.h"
#include "sddcontrols/unSDDStatus.h"

namespace {

constexpr TColor CellBackground = 0xD5CECA;
constexpr TColor MissingText = 0x00FFFF;  // yellow
constexpr TColor FrameColor = 0x0000FF;   // red

bool IsChecked(TObject* Sender)
{
    auto* box = dynamic_cast<TSDDCheckBox*>(Sender);
    return box && box->Checked();
}

void WriteIndex(TCanvas& Canvas, const TRect& R, int32_t Index)
{
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(CellBackground);
    Canvas.Font().SetColor(clBlack);
    std::string text = " ";
    text += IntToStr(Index);
    text += ' ';
    Canvas.TextOut(R.Left + 2, R.Top + 2, text);
}

void WriteMissing(TCanvas& Canvas, int X, int Y, const std::string& Text)
{
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(clBlack);
    Canvas.Font().SetColor(MissingText);
    Canvas.TextOut(X, Y, Text);
}

void FillCell(TCanvas& Canvas, const TRect& R)
{
    Canvas.Pen().SetColor(CellBackground);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(CellBackground);
    Canvas.FillRect(R);
}

// An object library's missing image: "NO IMAGE" down a black strip.
void WriteMissingDown(TCanvas& Canvas, const TRect& R)
{
    Canvas.Brush().SetColor(clBlack);
    Canvas.FillRect({R.Left + 12, R.Top + 18, R.Left + 30, R.Top + 135});
    static constexpr struct {
        int X, Y;
        const char* Letter;
    } letters[] = {{14, 30, " N "}, {14, 42, " O "}, {16, 64, " I "}, {14, 76, " M "},
                   {14, 88, " A "}, {14, 100, " G "}, {15, 112, " E "}};
    for (const auto& l : letters) WriteMissing(Canvas, R.Left + l.X, R.Top + l.Y, l.Letter);
}

}  // namespace

// ---- library and layout ------------------------------------------------------------------------------------------

int32_t TfrmSorvantaMain::PickerImageCount() const
{
    return CacheManager && PickerLibrary >= 0 ? CacheManager->GetImageCount(PickerLibrary) : 0;
}

void TfrmSorvantaMain::cbImageLibSetChange(TObject*)
{
    TileGrid->Invalidate();
    const int32_t item = cbImageLibSet->ItemIndex();
    PickerLibrary = LibraryIndexFromItem(item);
    PickerGridKind = SelectModeForLibrary(item);
    SelectedImage = -1;
    SelectedLibrary = -1;
    WorkMode = WorkModeNone;  // the work-mode buttons and pane stay as they are
    FormResize(this);
}

int32_t TfrmSorvantaMain::SelectModeForLibrary(int32_t Library)
{
    const int32_t kind = PickerGridKindOf(Library);
    switch (kind) {
    case PickerKindTiles: btnTileObjectModeClick(this); break;
    case PickerKindObjects:
        if (ObjectMode == ObjectModeFront) btnFrontObjectModeClick(this);
        else btnBackObjectModeClick(this);
        break;
    case PickerKindSmallTiles:
        if (ObjectMode == ObjectModeNone || ObjectMode == ObjectModeTile) btnBackObjectModeClick(this);
        break;
    }
    return kind;
}

void TfrmSorvantaMain::FormResize(TObject*)
{
    if (!TileGrid) return;  // the layout is still being read
    if (PickerLibrary == -1) {
        TileGrid->SetRowCount(PickerRowsWithoutLibrary);
        return;
    }
    if (!CacheManager) return;
    const TPickerGridShape shape = PickerGridShape(PickerGridKind, TileGrid->Width(), PickerImageCount());
    TileGrid->SetDefaultColWidth(shape.ColWidth);
    TileGrid->SetDefaultRowHeight(shape.RowHeight);
    TileGrid->SetColCount(shape.Cols);
    TileGrid->SetRowCount(shape.Rows);
    TileGrid->Invalidate();
}

// ---- drawing and picking -----------------------------------------------------------------------------------------

void TfrmSorvantaMain::TileGridDrawCell(TObject*, int ACol, int ARow, TRect Rect, TGridDrawState)
{
    const int32_t count = PickerImageCount();
    if (PickerLibrary == -1 || !CacheManager || count == 0) {
        FillCell(TileGrid->Canvas(), Rect);
        return;
    }
    const int32_t index = PickerImageAt(TileGrid->ColCount(), ACol, ARow, count);
    if (index < 0) {
        // No image here. The grid paints no cell backgrounds of its own: left alone, the cell would keep whatever
        // was on the screen before, e.g. after a relayout.
        FillCell(TileGrid->Canvas(), Rect);
        return;
    }

    // Drawn off screen first, so that a cell never shows half painted.
    TBitmap buffer;
    buffer.SetPixelFormat(pf24bit);
    buffer.SetSize(Rect.Right, Rect.Bottom);
    TCanvas& c = buffer.Canvas();
    FillCell(c, Rect);
    TImageBitmapRecord image;
    if (CacheManager->GetImageBitmap(PickerLibrary, index, image) && image.Bitmap) {
        c.StretchDraw({Rect.Left, Rect.Top, Rect.Left + image.Width, Rect.Top + image.Height - 2}, image.Bitmap.get());
        if (ShowIndexNumbers) WriteIndex(c, Rect, index);
    } else if (PickerGridKind == PickerKindTiles) {
        WriteMissing(c, Rect.Left + 14, Rect.Top + 24, "  NO IMAGE");
        WriteIndex(c, Rect, index);
    } else {
        WriteMissingDown(c, Rect);
        if (ShowIndexNumbers) WriteIndex(c, Rect, index);
    }
    if (PickerFrame.Frames(ACol, ARow)) {
        c.Pen().SetColor(FrameColor);
        c.Pen().SetWidth(2);
        c.Brush().SetStyle(bsClear);
        c.Rectangle(Rect);
    }
    TileGrid->Canvas().CopyRect(Rect, c, Rect);
}

void TfrmSorvantaMain::TileGridMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    int col = -1, row = -1;
    TileGrid->MouseToCell(X, Y, col, row);
    PickerFrame.Click(col, row);
    TileGrid->Invalidate();
}

void TfrmSorvantaMain::TileGridSelectCell(TObject*, int ACol, int ARow, bool& CanSelect)
{
    if (DXUTIsRenderingPaused()) return;
    // Cells past the library's last image (the grid's spare rows) pick nothing.
    const int32_t index = PickerImageAt(TileGrid->ColCount(), ACol, ARow, PickerImageCount());
    if (index < 0) {
        CanSelect = false;
        return;
    }
    constexpr int32_t LastLibrary = 74;  // picking from it leaves the work mode as it is
    if (PickerLibrary != LastLibrary) WorkMode = WorkModeDraw;
    SelectedLibrary = PickerLibrary;
    SelectedImage = index;
    CheckWorkButton(btnEditMode);
    SetWorkPane("E");
}

// ---- options -----------------------------------------------------------------------------------------------------

void TfrmSorvantaMain::cbShowIndexNrClick(TObject* Sender)
{
    ShowIndexNumbers = IsChecked(Sender);
    TileGrid->Invalidate();
}

void TfrmSorvantaMain::cbGridViewClick(TObject* Sender) { TileGrid->SetGridLineWidth(IsChecked(Sender) ? 1 : 0); }

void TfrmSorvantaMain::chkTileLinesClick(TObject* Sender) { ShowTileGrid = IsChecked(Sender); }

void TfrmSorvantaMain::chkStepLinesClick(TObject* Sender) { ShowStepGrid = IsChecked(Sender); }

void TfrmSorvantaMain::chkShowTilesClick(TObject* Sender) { ShowTiles = IsChecked(Sender); }

void TfrmSorvantaMain::chkShowFrontObjectClick(TObject* Sender) { ShowFrontObjects = IsChecked(Sender); }

void TfrmSorvantaMain::chkShowBackObjectClick(TObject* Sender) { ShowBackObjects = IsChecked(Sender); }

void TfrmSorvantaMain::chkShowBarrierClick(TObject* Sender) { ShowBlockers = IsChecked(Sender); }

void TfrmSorvantaMain::chkShowLightClick(TObject* Sender) { ShowLights = IsChecked(Sender); }

void TfrmSorvantaMain::chkShowAnimationClick(TObject* Sender) { ShowAnimation = IsChecked(Sender); }

void TfrmSorvantaMain::SDDButton2Click(TObject*) { ScreenshotPending = true; }

void TfrmSorvantaMain::PNGButton1Click(TObject*)
{
    if (!oeOpenMerchant->Execute()) return;
    laMerchantfile->SetCaption(ExtractFileName(oeOpenMerchant->FileName()));
    MerchantFileName = oeOpenMerchant->FileName();
}

// ---- full view ---------------------------------------------------------------------------------------------------
// The outer splitter's state decides; the inner one follows it.

void TfrmSorvantaMain::PNGButton5Click(TObject*)
{
    if (!SDDSplitter1->HotSpotClosed()) {
        SDDSplitter1->CollapseByHotSpotDirection();
        SDDSplitter2->CollapseByHotSpotDirection();
    } else {
        SDDSplitter1->RestoreSplitter();
        SDDSplitter2->RestoreSplitter();
    }
}
