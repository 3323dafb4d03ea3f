// Makes the class library's own controls (forms, panels, labels, images and their bases) known to the layout
// reader. Forms call it when they are created; calling it again does nothing.
#pragma once

void RegisterClasslibLayoutClasses();
