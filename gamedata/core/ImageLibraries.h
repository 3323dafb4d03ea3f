#pragma once
// The game's image libraries as the caches and the start-up checks see them: the program-wide library kind and
// the table of library numbers and paths.
//
// Library number = terrain set x 15 + kind; numbers 0 to 74 have image caches, 75 (the NPC library) has a path
// but is never cached.
#include <cstdint>
#include <string>

// ---- library kind ----------------------------------------------------------------------------------------------
constexpr int32_t ImageLibKindWIL = 0;  // the game's own WIL/WIX pairs
constexpr int32_t ImageLibKindSIL = 1;  // the converted SIL/SIX pairs
// Set once from the settings before the image-cache manager exists; any other value gives caches without a
// reader, which hold no images.
extern int32_t ImageLibKind;

// ---- library numbers and paths ---------------------------------------------------------------------------------
constexpr int32_t ImageLibraryCount = 75;  // numbers 0 .. 74 are cached
constexpr int32_t NpcLibraryNumber = 75;
constexpr int32_t LibraryKindsPerSet = 15;

inline bool IsCachedLibrary(int32_t Number) { return Number >= 0 && Number < ImageLibraryCount; }

// The library's WIL path relative to the executable's folder ("Data\Tilesc.wil", "Data\Wood\Tilesc.wil", ...,
// "Data\NPC.wil" for 75); "" for any other number.
std::string GetLibraryFileName(int32_t Number);

// Folder (with its trailing delimiter) + the library's name, for the given kind: SIL paths end in ".sil" in
// place of ".wil". "" when the number has no name.
std::string LibraryFilePath(const std::string& Folder, int32_t Number, int32_t Kind);
