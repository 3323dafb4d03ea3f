// The select-mode info overlay: for the element under the mouse, a column of text rows to the right of its image
// (offsets, cell, size, library, image and library numbers, kind) and two sets of corner brackets around it, in
// view pixels at 100 %. The image itself is not drawn again.
#include "editor/uMapRender.h"

#include "editor/core/uLibraryNames.h"
#include "editor/uMapCallbacks.h"
#include "gamedata/core/uVesk3MapEngine.h"

namespace {

constexpr int32_t Source = TVesk3Map::SourceMap;

void DrawInfoText(ID3DXFont* Font, const TTextBatch& Batch, const std::string& Text, int32_t X, int32_t Y,
                  TArgb Colour)
{
    RECT rect{X, Y, 0, 0};
    Font->DrawTextA(Batch.Get(), Text.c_str(), -1, &rect, DT_NOCLIP, Colour);
}

}  // namespace

void TMapRenderer::DrawSelectInfo(int32_t, int32_t StepX, int32_t StepY, int32_t TileX, int32_t TileY,
                                  int32_t ViewX, int32_t ViewY, float InnerWidth, float OuterWidth, int32_t Kind,
                                  bool RaiseCheck, const TOverlayColors& Colours)
{
    const TVesk3Map* map = Ctx.Map;
    if (!map || Kind < 0 || Kind > 2) return;
    const auto kind = static_cast<TInfoBoxKind>(Kind);
    const bool tile = kind == TInfoBoxKind::Tile;
    // A cell outside the map has no element: it is never read.
    if (tile ? !TileCellInMap(TileX, TileY, map->Width, map->Height)
             : !StepCellInMap(StepX, StepY, map->Width, map->Height))
        return;

    TInfoElement element;
    element.CellX = tile ? TileX : StepX;
    element.CellY = tile ? TileY : StepY;
    bool raised = false;
    if (kind == TInfoBoxKind::BackObject && RaiseCheck) {
        int32_t frontLibrary = 0, frontImage = 0;
        map->GetLayerA(StepX, StepY, frontLibrary, frontImage, Source);
        raised = !IsInfoElementEmpty(frontImage);
    }
    if (tile)
        map->GetTile(TileX, TileY, element.Library, element.Image, Source);
    else if (kind == TInfoBoxKind::BackObject)
        map->GetLayerB(StepX, StepY, element.Library, element.Image, Source);
    else
        map->GetLayerA(StepX, StepY, element.Library, element.Image, Source);
    if (IsInfoElementEmpty(element.Image) || element.Library < 0 || element.Library >= CachedLibraryCount) return;

    FetchImage(element.Library, element.Image);
    element.Width = CurrentImage.Width;
    element.Height = CurrentImage.Height;
    element.OffsetX = CurrentImage.OffsetX;
    element.OffsetY = CurrentImage.OffsetY;
    element.LibraryName = GetLibraryDisplayName(element.Library);
    const TInfoOrigin origin = InfoBoxOrigin(kind, ViewX, ViewY, element.Height);

    if (ID3DXFont* font = StatsFont.Get()) {
        const TTextBatch batch;
        for (const TInfoRow& row : InfoBoxRows(kind, element, origin, raised)) {
            DrawInfoText(font, batch, row.Label, row.LabelX + 1, row.Y + 1, InfoShadowColour);
            DrawInfoText(font, batch, row.Label, row.LabelX, row.Y, row.Colour);
            DrawInfoText(font, batch, row.Value, row.ValueX + 1, row.Y + 1, InfoShadowColour);
            DrawInfoText(font, batch, row.Value, row.ValueX, row.Y, row.Colour);
        }
    }
    DrawBrackets(InnerBrackets(origin, element.Width, element.Height), InnerWidth, Colours);
    DrawBrackets(OuterBrackets(origin, element.Width, element.Height), OuterWidth, Colours);
}

void TMapRenderer::DrawBrackets(const TBracketSet& Set, float Width, const TOverlayColors& Colours)
{
    TD3DLine* line = Ctx.GridLine.get();
    if (!line) return;
    line->SetWidth(Width);
    line->SetAntialias(FALSE);
    line->SetGLLines(FALSE);
    if (FAILED(line->Begin())) return;
    for (const TBracket& bracket : Set)
        line->Draw(bracket.Points.data(), static_cast<uint32_t>(bracket.Count),
                   Colours[static_cast<size_t>(bracket.ColourIndex)]);
    line->End();
}
