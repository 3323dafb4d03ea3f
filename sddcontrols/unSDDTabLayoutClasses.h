// Makes the SDD tab control, the page control and its tab sheets (with the tab and text colour sets and the
// enumerations of their properties) known to the layout reader. RegisterSDDLayoutClasses calls it.
#pragma once

void RegisterSDDTabLayoutClasses();
