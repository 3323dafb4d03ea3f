// Makes the SDD controls (frame controller, registry/ini location, separator, panel, status bar, status panes,
// buttons, check box, spin buttons, splitter and its panes, size panel, edits, combo boxes, string grid, tab and
// page controls) known to the layout reader, together with the class library's own classes. A window whose layout
// holds them calls it before reading the layout; calling it again does nothing.
#pragma once

void RegisterSDDLayoutClasses();
