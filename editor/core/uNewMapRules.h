#pragma once
// The create-map dialog's checks of the size fields, in the order the dialog reports them: X too small, Y too
// small, X too big, Y too big. Only the first failure is reported.
#include <cstdint>
#include <string>

constexpr int32_t NewMapMinCells = 4;
constexpr int32_t NewMapMaxCells = 1000;

enum class TNewMapField { None, SizeX, SizeY };

struct TNewMapCheck {
    TNewMapField Field = TNewMapField::None;  // the field the focus goes back to; None when the sizes are good
    std::string Message;                      // the message box's text
    int32_t Width = 0, Height = 0;            // the sizes read (0 for a field that holds no number)
};

// XText and YText as the fields hold them (trimmed before they are read).
TNewMapCheck CheckNewMapSize(const std::string& XText, const std::string& YText);

// True for the characters a size field accepts: backspace and the digits.
constexpr bool IsSizeFieldKey(char Key) { return Key == '\b' || (Key >= '0' && Key <= '9'); }
