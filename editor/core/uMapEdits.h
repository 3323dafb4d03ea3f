#pragma once
// What one click of the drawing panel does to the open map, by work mode and object mode, and the two whole-map
// blocker commands. Background tiles are edited at the tile cell under the mouse, everything else at the step
// cell; a cell outside the map changes nothing.
//
//   object mode   draw (work mode 8)                       erase (work mode 4)
//   none          work mode := none                        work mode := none
//   tile          tile image := picked image, then         tile image 0, then library 0
//                 tile library := picked library
//   front, back   the cell's layer A (front) or B (back):  library 0, image 0
//                 library and image := the picked ones
//   blocker       move flags of the blocker type           move flags free
//   select        nothing                                  nothing
//   light         light marker 0x39                        light marker 0
// Any other work mode (none, select) changes nothing. Nothing picked (-1) writes the empty values 0xFF, 0xFFFF.
#include <cstdint>

#include "editor/core/uMainState.h"

class TVesk3Map;

// The light marker of cell byte 13.
constexpr uint8_t LightMarker = 0x39;

// Applies the click at State's tile and step cells to Map; may turn the work mode off (object mode none).
void ApplyClickEdit(TVesk3Map& Map, TMainViewState& State);

// "Fill full Map": every cell gets the move flags of BlockerType ("Can't Move" or "Can't Move and Fly");
// "Delete Blocker" (0) changes no cell.
void FillAllBlockers(TVesk3Map& Map, int32_t BlockerType);
