#pragma once
// The names of the map view's screenshot files: "Map_" + the shot counter + "_" + the map label without its last
// four characters (the ".map" of the file name it shows) + "_" + the date text + ".png". Whatever a file name
// cannot hold becomes "_", so a name never leaves the executable's folder or fails to be created.
#include <cstdint>
#include <string>

// The shot's date text: the general date-time text with every blank, dot, slash, backslash and colon, and every
// other character a file name cannot hold, replaced by "_".
std::string ScreenshotDateText(const std::string& DateTimeText);

// The file name (no folder). A label shorter than four characters contributes nothing; characters a file name
// cannot hold (\ / : * ? " < > | and control characters) become "_".
std::string ScreenshotFileName(int32_t Counter, const std::string& MapLabel, const std::string& DateText);
