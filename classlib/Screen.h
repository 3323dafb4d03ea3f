#pragma once
// The screen the program runs on.
class TScreen {
public:
    // Size of the primary display in pixels.
    int Width() const;
    int Height() const;
};

extern TScreen* Screen;
