// The five map layer passes: background tiles, back objects (layer B), front objects (layer A), blocker markers
// and light markers. Each pass walks the visible view cells that lie inside the map, column by column from the
// left and each column from the top, so later draws cover earlier ones; all its draws go into one sprite batch.
// A failing cell is left out; a failure outside the cells ends that pass only.
#include "editor/uMapRender.h"

#include "editor/uMapSpriteBatch.h"
#include "gamedata/core/uVesk3MapEngine.h"

namespace {

constexpr int32_t Source = TVesk3Map::SourceMap;

}  // namespace

void TMapRenderer::DrawTileLayer(int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom, const TArgb& Colour)
{
    try {
        const TVesk3Map* map = Ctx.Map;
        if (!map) return;
        const TCellCount count = GetVisibleCellCount(Zoom, ViewWidth, ViewHeight);
        const TMainViewState& s = Ctx.State;
        // The tile grid is (W div 2) x (H div 2): an odd width or height has no half tile to draw.
        const int32_t lastX = ClipToMap(count.Columns, s.TileOriginX, map->Width / 2);
        const int32_t lastY = ClipToMap(count.Rows, s.TileOriginY, map->Height / 2);
        TMapSpriteBatch batch(Ctx.TileSprite.Get(), D3DXSPRITE_DONOTSAVESTATE, true, Zoom);
        if (!batch.Open()) return;
        for (int32_t x = 0; x <= lastX; ++x)
            for (int32_t y = 0; y <= lastY; ++y) DrawTileCell(batch, x, y, Colour);
    } catch (...) {
    }
}

void TMapRenderer::DrawTileCell(TMapSpriteBatch& Batch, int32_t X, int32_t Y, const TArgb& Colour)
{
    try {
        const TMainViewState& s = Ctx.State;
        int32_t library = -1, image = -1;
        Ctx.Map->GetTile(s.TileOriginX + X, s.TileOriginY + Y, library, image, Source);
        if (!IsDrawnTile(library, image) || !FetchImage(library, image)) return;
        Batch.Draw(CurrentImage.Texture.Get(), TilePlacement(X, Y), Colour);
    } catch (...) {
    }
}

template <class CellFn>
void TMapRenderer::DrawStepPass(ID3DXSprite* Sprite, int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom,
                                CellFn Cell)
{
    try {
        const TVesk3Map* map = Ctx.Map;
        if (!map) return;
        const TCellCount count = GetVisibleStepCount(Zoom, ViewWidth, ViewHeight);
        const TMainViewState& s = Ctx.State;
        const int32_t lastX = ClipToMap(count.Columns, s.StepOriginX, map->Width);
        const int32_t lastY = ClipToMap(count.Rows, s.StepOriginY, map->Height);
        TMapSpriteBatch batch(Sprite, D3DXSPRITE_ALPHABLEND, false, Zoom);
        if (!batch.Open()) return;
        for (int32_t x = 0; x <= lastX; ++x)
            for (int32_t y = 0; y <= lastY; ++y) Cell(batch, x, y, s.StepOriginX + x, s.StepOriginY + y);
    } catch (...) {
    }
}

void TMapRenderer::DrawBackObjects(bool Animate, int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom,
                                   const TArgb& Colour)
{
    DrawObjectLayer(CellKindBack, Animate, ViewWidth, ViewHeight, Zoom, Colour);
}

void TMapRenderer::DrawFrontObjects(bool Animate, int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom,
                                    const TArgb& Colour)
{
    DrawObjectLayer(CellKindFront, Animate, ViewWidth, ViewHeight, Zoom, Colour);
}

void TMapRenderer::DrawObjectLayer(int32_t Kind, bool Animate, int32_t ViewWidth, int32_t ViewHeight,
                                   const int32_t& Zoom, const TArgb& Colour)
{
    const bool front = Kind == CellKindFront;
    const uint8_t animated = front ? AnimatedFrontMarker : AnimatedBackMarker;
    DrawStepPass((front ? Ctx.FrontSprite : Ctx.BackSprite).Get(), ViewWidth, ViewHeight, Zoom,
                 [&](TMapSpriteBatch& batch, int32_t x, int32_t y, int32_t cx, int32_t cy) {
                     uint8_t extra = 0, marker = 0;
                     if (Animate) Ctx.Map->GetCellByte1(cx, cy, extra, marker, Source);
                     DrawCellObject(batch, x, y, Colour, Kind, Animate && marker == animated);
                 });
}

void TMapRenderer::DrawBlockers(int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom, const TArgb& Colour)
{
    DrawStepPass(Ctx.MarkerSprite.Get(), ViewWidth, ViewHeight, Zoom,
                 [&](TMapSpriteBatch& batch, int32_t x, int32_t y, int32_t, int32_t) {
                     DrawCellObject(batch, x, y, Colour, CellKindBlocker, false);  // a free cell has no marker
                 });
}

void TMapRenderer::DrawLights(int32_t ViewWidth, int32_t ViewHeight, const int32_t& Zoom, const TArgb& Colour)
{
    DrawStepPass(Ctx.MarkerSprite.Get(), ViewWidth, ViewHeight, Zoom,
                 [&](TMapSpriteBatch& batch, int32_t x, int32_t y, int32_t, int32_t) {
                     DrawCellObject(batch, x, y, Colour, CellKindLight, false);
                 });
}

void TMapRenderer::DrawCellObject(TMapSpriteBatch& Batch, int32_t X, int32_t Y, const TArgb& Colour, int32_t Kind,
                                  bool Animate)
{
    try {
        const TVesk3Map* map = Ctx.Map;
        const int32_t cx = Ctx.State.StepOriginX + X, cy = Ctx.State.StepOriginY + Y;
        if (!map || !StepCellInMap(cx, cy, map->Width, map->Height)) return;
        if (Kind == CellKindFront || Kind == CellKindBack) {
            int32_t library = 0, image = 0;
            if (Kind == CellKindFront)
                map->GetLayerA(cx, cy, library, image, Source);
            else
                map->GetLayerB(cx, cy, library, image, Source);
            if (!IsDrawnObject(library, image)) return;
            if (Animate) image = AnimatedImage(library, image, AnimationFrameOffsets);
            if (!FetchImage(library, image)) return;
            Batch.Draw(CurrentImage.Texture.Get(), ObjectPlacement(X, Y, CurrentImage.Width, CurrentImage.Height),
                       Colour);
            return;
        }
        int32_t image = -1;
        if (Kind == CellKindBlocker) image = BlockerMarkerImage(map->GetCellByte(cx, cy, 1, Source));
        if (Kind == CellKindLight) image = LightMarkerImage(map->GetCellByte(cx, cy, 2, Source));
        if (image < 0 || !FetchImage(MarkerLibrary, image)) return;
        Batch.Draw(CurrentImage.Texture.Get(), MarkerPlacement(X, Y), Colour);
    } catch (...) {
    }
}
