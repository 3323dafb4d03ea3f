// Makes the standard controls and components (image lists, actions, edits, combo boxes, scroll bars, grids, menus,
// file dialogs) known to the layout reader. RegisterClasslibLayoutClasses calls it.
#pragma once

void RegisterStandardLayoutClasses();
