#pragma once
// The display names of the 75 cached image libraries, as the library picker lists them and the select-mode overlay
// labels them: the number right-aligned in two characters, " - ", the terrain set, "-" and the kind
// (" 0 - Data-Tilesc", "14 - Data-Custom", "74 - Forest-Custom").
#include <cstdint>
#include <string>

// "-" for a number outside 0 to 74.
std::string GetLibraryDisplayName(int32_t Index);
