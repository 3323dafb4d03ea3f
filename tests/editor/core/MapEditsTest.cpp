// The click edits by work mode and object mode on a map document, cells outside the map, and the whole-map
// blocker commands. Each row compares the whole map with a copy changed by hand at the expected record.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "editor/core/uMapEdits.h"
#include "gamedata/core/uVesk3MapEngine.h"

namespace {

using TChange = std::function<void(TVesk3Map&)>;

bool SameRecords(const TVesk3Map& a, const TVesk3Map& b)
{
    return a.Tiles.size() == b.Tiles.size() && a.Cells.size() == b.Cells.size() &&
           std::memcmp(a.Tiles.data(), b.Tiles.data(), a.Tiles.size() * sizeof(TVesk3TileRec)) == 0 &&
           std::memcmp(a.Cells.data(), b.Cells.data(), a.Cells.size() * sizeof(TVesk3CellRec)) == 0;
}

// A 10 x 8 map with every record different from what the edits write.
void MakeMap(TVesk3Map& map)
{
    ASSERT_TRUE(map.NewMap("edit.map", 10, 8, 0));
    for (size_t i = 0; i < map.Tiles.size(); ++i) map.Tiles[i] = {uint8_t(40 + i), uint16_t(500 + i)};
    for (size_t i = 0; i < map.Cells.size(); ++i) {
        TVesk3CellRec& c = map.Cells[i];
        c.MoveFlags = 1;
        c.FrontLib = uint8_t(i);
        c.BackLib = uint8_t(i + 1);
        c.FrontImage = uint16_t(1000 + i);
        c.BackImage = uint16_t(2000 + i);
        c.Light = 7;
    }
}

TVesk3TileRec& Tile(TVesk3Map& m, int tx, int ty) { return m.Tiles[size_t(tx * (m.Height / 2) + ty)]; }
TVesk3CellRec& Cell(TVesk3Map& m, int x, int y) { return m.Cells[size_t(x * m.Height + y)]; }

TEST(MapEdits, EachModeChangesItsRecordAtTheCellUnderTheMouse)
{
    struct Row {
        const char* Name;
        int32_t Work, Object, Library, Image, Blocker;
        int32_t TileX, TileY, StepX, StepY;
        TChange Change;          // on the expected copy
        int32_t WorkAfter = -1;  // -1: unchanged
    };
    const Row rows[] = {
        {"draw tile", WorkModeDraw, ObjectModeTile, 16, 777, 0, 3, 2, 9, 9,
         [](TVesk3Map& m) { Tile(m, 3, 2) = {16, 777}; }},
        {"erase tile", WorkModeErase, ObjectModeTile, 16, 777, 0, 4, 3, 0, 0,
         [](TVesk3Map& m) { Tile(m, 4, 3) = {0, 0}; }},
        {"draw tile, nothing picked", WorkModeDraw, ObjectModeTile, -1, -1, 0, 0, 0, 0, 0,
         [](TVesk3Map& m) { Tile(m, 0, 0) = {0xFF, 0xFFFF}; }},
        {"draw front", WorkModeDraw, ObjectModeFront, 11, 300, 0, 0, 0, 9, 7, [](TVesk3Map& m) {
             Cell(m, 9, 7).FrontLib = 11;
             Cell(m, 9, 7).FrontImage = 300;
         }},
        {"draw front, low bits", WorkModeDraw, ObjectModeFront, 0x1FF, 0x12345, 0, 0, 0, 2, 3, [](TVesk3Map& m) {
             Cell(m, 2, 3).FrontLib = 0xFF;
             Cell(m, 2, 3).FrontImage = 0x2345;
         }},
        {"erase front", WorkModeErase, ObjectModeFront, 11, 300, 0, 0, 0, 1, 1, [](TVesk3Map& m) {
             Cell(m, 1, 1).FrontLib = 0;
             Cell(m, 1, 1).FrontImage = 0;
         }},
        {"draw back", WorkModeDraw, ObjectModeBack, 5, 12, 0, 0, 0, 4, 0, [](TVesk3Map& m) {
             Cell(m, 4, 0).BackLib = 5;
             Cell(m, 4, 0).BackImage = 12;
         }},
        {"erase back", WorkModeErase, ObjectModeBack, 5, 12, 0, 0, 0, 4, 5, [](TVesk3Map& m) {
             Cell(m, 4, 5).BackLib = 0;
             Cell(m, 4, 5).BackImage = 0;
         }},
        {"draw blocker can't move", WorkModeDraw, ObjectModeBlocker, 0, 0, BlockerCantMove, 0, 0, 3, 3,
         [](TVesk3Map& m) { Cell(m, 3, 3).MoveFlags = 0; }},
        {"draw blocker can't move and fly", WorkModeDraw, ObjectModeBlocker, 0, 0, BlockerCantMoveAndFly, 0, 0, 3, 3,
         [](TVesk3Map& m) { Cell(m, 3, 3).MoveFlags = 2; }},
        {"draw blocker delete", WorkModeDraw, ObjectModeBlocker, 0, 0, BlockerDelete, 0, 0, 3, 3,
         [](TVesk3Map& m) { Cell(m, 3, 3).MoveFlags = 3; }},
        {"erase blocker", WorkModeErase, ObjectModeBlocker, 0, 0, BlockerCantMoveAndFly, 0, 0, 6, 2,
         [](TVesk3Map& m) { Cell(m, 6, 2).MoveFlags = 3; }},
        {"draw light", WorkModeDraw, ObjectModeLight, 0, 0, 0, 0, 0, 8, 1,
         [](TVesk3Map& m) { Cell(m, 8, 1).Light = 0x39; }},
        {"erase light", WorkModeErase, ObjectModeLight, 0, 0, 0, 0, 0, 8, 1,
         [](TVesk3Map& m) { Cell(m, 8, 1).Light = 0; }},
        {"select changes nothing", WorkModeDraw, ObjectModeSelect, 3, 3, 0, 1, 1, 1, 1, [](TVesk3Map&) {}},
        {"no object mode turns drawing off", WorkModeDraw, ObjectModeNone, 3, 3, 0, 1, 1, 1, 1, [](TVesk3Map&) {},
         WorkModeNone},
        {"no object mode turns erasing off", WorkModeErase, ObjectModeNone, 3, 3, 0, 1, 1, 1, 1, [](TVesk3Map&) {},
         WorkModeNone},
        {"select work mode", WorkModeSelect, ObjectModeTile, 3, 3, 0, 1, 1, 1, 1, [](TVesk3Map&) {}},
        {"no work mode", WorkModeNone, ObjectModeLight, 3, 3, 0, 1, 1, 1, 1, [](TVesk3Map&) {}},
        // Past the map: W div 2 = 5 tile columns, H div 2 = 4 tile rows, 10 x 8 cells.
        {"tile past the last column", WorkModeDraw, ObjectModeTile, 1, 1, 0, 5, 0, 0, 0, [](TVesk3Map&) {}},
        {"tile past the last row", WorkModeDraw, ObjectModeTile, 1, 1, 0, 0, 4, 0, 0, [](TVesk3Map&) {}},
        {"tile before the map", WorkModeErase, ObjectModeTile, 1, 1, 0, -1, 0, 0, 0, [](TVesk3Map&) {}},
        {"cell past the last column", WorkModeDraw, ObjectModeFront, 1, 1, 0, 0, 0, 10, 0, [](TVesk3Map&) {}},
        {"cell past the last row", WorkModeDraw, ObjectModeLight, 1, 1, 0, 0, 0, 0, 8, [](TVesk3Map&) {}},
        {"cell before the map", WorkModeErase, ObjectModeBlocker, 1, 1, 0, 0, 0, 0, -1, [](TVesk3Map&) {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TVesk3Map map, want;
        MakeMap(map);
        MakeMap(want);
        r.Change(want);
        TMainViewState s;
        s.WorkMode = r.Work;
        s.ObjectMode = r.Object;
        s.SelectedLibrary = r.Library;
        s.SelectedImage = r.Image;
        s.BlockerType = r.Blocker;
        s.TileCellX = r.TileX;
        s.TileCellY = r.TileY;
        s.StepCellX = r.StepX;
        s.StepCellY = r.StepY;
        ApplyClickEdit(map, s);
        EXPECT_TRUE(SameRecords(map, want));
        EXPECT_EQ(s.WorkMode, r.WorkAfter == -1 ? r.Work : r.WorkAfter);
    }
}

TEST(MapEdits, FillingTheMapWritesTheBlockerTypesFlagsOnly)
{
    const std::pair<int32_t, int> rows[] = {{BlockerCantMove, 0}, {BlockerCantMoveAndFly, 2}, {BlockerDelete, -1}};
    for (const auto& [type, flags] : rows) {
        TVesk3Map map, want;
        MakeMap(map);
        MakeMap(want);
        if (flags >= 0)
            for (TVesk3CellRec& c : want.Cells) c.MoveFlags = uint8_t(flags);
        FillAllBlockers(map, type);
        EXPECT_TRUE(SameRecords(map, want)) << type;
    }
}

}  // namespace
