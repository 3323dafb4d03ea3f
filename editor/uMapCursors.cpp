// The mode cursors: what a click would place in the current object mode, drawn at the view cell under the mouse
// by the layers' geometry. A cursor shows only over a cell of the map (a tile cell for the tile cursor, a step
// cell for the others) and keeps the last cell computed while the mouse is outside the view.
#include "editor/uMapRender.h"

#include "editor/uMapSpriteBatch.h"
#include "gamedata/core/uVesk3MapEngine.h"

void TMapRenderer::DrawTileCursor(const int32_t& Zoom, int32_t Library, int32_t X, int32_t Y, int32_t Image,
                                  const TArgb& Colour)
{
    if (Library < 0 || Image < 0 || Image >= NoImageWord) return;
    DrawCursor(true, Zoom, Library, Image, X, Y, Colour);
}

void TMapRenderer::DrawObjectCursor(const int32_t& Zoom, int32_t Library, int32_t X, int32_t Y, int32_t Image,
                                    const TArgb& Colour)
{
    if (Image < 0 || Image >= NoImageWord) return;
    DrawCursor(false, Zoom, Library, Image, X, Y, Colour);
}

void TMapRenderer::DrawBlockerCursor(const int32_t& Zoom, int32_t X, int32_t Y, const TArgb& Colour)
{
    const int32_t image = BlockerCursorImage(Ctx.State.BlockerType);
    if (image >= 0) DrawCursor(false, Zoom, MarkerLibrary, image, X, Y, Colour);
}

void TMapRenderer::DrawLightCursor(const int32_t& Zoom, int32_t X, int32_t Y, const TArgb& Colour)
{
    DrawCursor(false, Zoom, MarkerLibrary, LightImage, X, Y, Colour);
}

void TMapRenderer::DrawCursor(bool TileCursor, const int32_t& Zoom, int32_t Library, int32_t Image, int32_t X,
                              int32_t Y, const TArgb& Colour)
{
    try {
        const TVesk3Map* map = Ctx.Map;
        const TMainViewState& s = Ctx.State;
        if (!map || X < 0 || Y < 0) return;
        const bool inside = TileCursor ? TileCellInMap(s.TileOriginX + X, s.TileOriginY + Y, map->Width, map->Height)
                                       : StepCellInMap(s.StepOriginX + X, s.StepOriginY + Y, map->Width, map->Height);
        if (!inside || !FetchImage(Library, Image)) return;
        TMapSpriteBatch batch(Ctx.CursorSprite.Get(),
                              TileCursor ? D3DXSPRITE_DO_NOT_ADDREF_TEXTURE : D3DXSPRITE_ALPHABLEND, TileCursor, Zoom);
        batch.Draw(CurrentImage.Texture.Get(),
                   TileCursor ? TilePlacement(X, Y) : ObjectPlacement(X, Y, CurrentImage.Width, CurrentImage.Height),
                   Colour);
    } catch (...) {
    }
}
