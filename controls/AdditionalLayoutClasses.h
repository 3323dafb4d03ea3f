// Makes the additional controls (the PNG image button, the progress bar, the reflection label, the glow button)
// known to the layout reader, together with the class library's own classes. A window whose layout holds them
// calls it before reading the layout; calling it again does nothing.
#pragma once

void RegisterAdditionalLayoutClasses();
