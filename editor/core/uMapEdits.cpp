#include "editor/core/uMapEdits.h"

#include "gamedata/core/uVesk3MapEngine.h"

namespace {

// TVesk3Map::SetTileField's fields.
constexpr int32_t TileFieldLibrary = 1;
constexpr int32_t TileFieldImage = 2;

// TVesk3Map::SetCellMoveFlags' mode that frees a cell.
constexpr uint8_t MoveModeFree = 0;

bool TileInside(const TVesk3Map& Map, int32_t X, int32_t Y)
{
    return X >= 0 && X <= Map.Width / 2 - 1 && Y >= 0 && Y <= Map.Height / 2 - 1;
}

bool StepInside(const TVesk3Map& Map, int32_t X, int32_t Y)
{
    return X >= 0 && X <= Map.Width - 1 && Y >= 0 && Y <= Map.Height - 1;
}

void EditTile(TVesk3Map& Map, const TMainViewState& S, bool Draw)
{
    if (!TileInside(Map, S.TileCellX, S.TileCellY)) return;
    Map.SetTileField(S.TileCellX, S.TileCellY, TileFieldImage, Draw ? S.SelectedImage : 0);
    Map.SetTileField(S.TileCellX, S.TileCellY, TileFieldLibrary, Draw ? S.SelectedLibrary : 0);
}

void EditCell(TVesk3Map& Map, const TMainViewState& S, bool Draw)
{
    const int32_t x = S.StepCellX, y = S.StepCellY;
    if (!StepInside(Map, x, y)) return;
    const auto library = static_cast<uint8_t>(Draw ? S.SelectedLibrary & 0xFF : 0);
    const auto image = static_cast<uint16_t>(Draw ? S.SelectedImage & 0xFFFF : 0);
    switch (S.ObjectMode) {
    case ObjectModeFront: Map.SetLayerA(x, y, library, image); break;
    case ObjectModeBack: Map.SetLayerB(x, y, library, image); break;
    case ObjectModeBlocker:
        Map.SetCellMoveFlags(x, y, Draw ? static_cast<uint8_t>(S.BlockerType) : MoveModeFree);
        break;
    case ObjectModeLight: Map.SetCellByte13(x, y, Draw ? LightMarker : 0); break;
    default: break;
    }
}

}  // namespace

void ApplyClickEdit(TVesk3Map& Map, TMainViewState& State)
{
    if (State.WorkMode != WorkModeDraw && State.WorkMode != WorkModeErase) return;
    const bool draw = State.WorkMode == WorkModeDraw;
    switch (State.ObjectMode) {
    case ObjectModeNone: State.WorkMode = WorkModeNone; break;
    case ObjectModeTile: EditTile(Map, State, draw); break;
    case ObjectModeSelect: break;
    default: EditCell(Map, State, draw); break;
    }
}

void FillAllBlockers(TVesk3Map& Map, int32_t BlockerType)
{
    switch (BlockerType) {
    case BlockerCantMove: Map.FillAllFlags(0); break;
    case BlockerCantMoveAndFly: Map.FillAllFlags(2); break;
    default: break;
    }
}
