// The help grids: tile cells and step cells of the current zoom outlined over the view, in view pixels.
#include "editor/uMapRender.h"

bool TMapRenderer::DrawTileHelpGrid(int32_t Zoom, int32_t ViewWidth, int32_t ViewHeight, float LineWidth,
                                    TArgb Colour)
{
    if (const TGridCell* cell = TileGridCell(Zoom)) DrawGrid(*cell, ViewWidth, ViewHeight, LineWidth, Colour);
    return true;
}

bool TMapRenderer::DrawStepHelpGrid(int32_t Zoom, int32_t ViewWidth, int32_t ViewHeight, float LineWidth,
                                    TArgb Colour)
{
    if (const TGridCell* cell = StepGridCell(Zoom)) DrawGrid(*cell, ViewWidth, ViewHeight, LineWidth, Colour);
    return true;
}

void TMapRenderer::DrawGrid(const TGridCell& Cell, int32_t ViewWidth, int32_t ViewHeight, float LineWidth,
                            TArgb Colour)
{
    TD3DLine* line = Ctx.GridLine.get();
    if (!line) return;
    BuildGridStrips(Cell, ViewWidth, ViewHeight, GridVertical, GridHorizontal);
    line->SetWidth(LineWidth);
    line->SetAntialias(TRUE);
    line->SetGLLines(FALSE);
    if (FAILED(line->Begin())) return;
    line->Draw(GridVertical.data(), static_cast<uint32_t>(GridVertical.size()), Colour);
    line->Draw(GridHorizontal.data(), static_cast<uint32_t>(GridHorizontal.size()), Colour);
    line->End();
}
