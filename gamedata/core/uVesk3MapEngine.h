#pragma once
// The open map document: one map held in memory as its 28-byte header, its background-tile records (one per
// 2 x 2 cells) and its cell records, with loading, saving, creating and the per-field getters and setters the
// editor and the renderer use.
//
// Sections: records of the file | reading the file | TVesk3Map.
//
// A map is W columns by H rows of cells; tiles form a (W div 2) x (H div 2) grid. Both record arrays are stored
// column by column: cell (x, y) is record x * H + y, tile (tx, ty) is record tx * (H div 2) + ty. The tile block
// holds (W * H) div 4 records, which with an odd W or H is more than the grid addresses; the spare records are
// carried unchanged. Records are held in memory exactly as in the file (packed, little-endian).
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/core/Objects.h"
#include "classlib/core/Streams.h"

static_assert(std::endian::native == std::endian::little, "records are held in their little-endian file form");

// ---- Records of the file ------------------------------------------------------------------------------------

#pragma pack(push, 1)

struct TVesk3MapHeader {
    char Text[20];    // not interpreted; a new map holds 20 spaces
    uint16_t MapType; // stored and reported as given
    uint16_t Width;   // W, cells per row
    uint16_t Height;  // H, cells per column
    uint8_t Spare[2]; // not interpreted
};

struct TVesk3TileRec {
    uint8_t Lib;    // image library number; 0xFF = none
    uint16_t Image; // index within the library; 0xFFFF = none
};

// Layer A is the front object, layer B the back object. The library bytes stand front then back, the image
// words back then front.
struct TVesk3CellRec {
    uint8_t MoveFlags;   // 3 free, 0 "Can't Move", 2 "Can't Move and Fly"; other values carried
    uint8_t AnimMarker;  // 99 animates the front object, 98 the back object
    uint8_t Unused2;
    uint8_t FrontLib;    // layer A
    uint8_t BackLib;     // layer B
    uint16_t BackImage;  // layer B
    uint16_t FrontImage; // layer A
    uint8_t Unused9[4];
    uint8_t Light;       // 0x39 marks a light cell, 0 none
};

#pragma pack(pop)

static_assert(sizeof(TVesk3MapHeader) == 28 && sizeof(TVesk3TileRec) == 3 && sizeof(TVesk3CellRec) == 14);

// ---- Reading the file ---------------------------------------------------------------------------------------

// The parts of a map file that a load commits.
struct TVesk3MapContent {
    TVesk3MapHeader Header{};
    std::vector<TVesk3TileRec> Tiles;
    std::vector<TVesk3CellRec> Cells;
};

// Records of a W x H map: tiles (W * H) div 4, cells W * H; and the file length 28 + 3T + 14WH. 64-bit, so an
// announced size is checked against the bytes at hand before anything is allocated.
uint64_t Vesk3TileCount(uint32_t width, uint32_t height);
uint64_t Vesk3MapFileSize(uint32_t width, uint32_t height);

// Reads a map file from the stream's current position to its end: the header through a bounds-checked cursor,
// then, once the stream is known to hold what the header announces, the two record blocks straight into their
// arrays. Bytes after the cell block are ignored. False, with `out` untouched, when the stream is shorter than
// announced, cannot be read, or memory for the records cannot be had.
bool ReadVesk3Map(TStream& source, TVesk3MapContent& out);

// ---- TVesk3Map ----------------------------------------------------------------------------------------------

class TVesk3Map : public TObject {
public:
    // The only source selector that reads the map's own records; any other gives a getter's empty answer.
    static constexpr int32_t SourceMap = 1;

    TVesk3Map();
    ~TVesk3Map() override;
    TVesk3Map(const TVesk3Map&) = delete;
    TVesk3Map& operator=(const TVesk3Map&) = delete;

    std::string MapName;  // file-name part of the loaded path, or the name given to NewMap
    std::string FilePath; // file last loaded; empty after construction, NewMap and a failed load
    int32_t Height = 0;
    int32_t Width = 0;
    int32_t MaxTileX = -1; // W div 2 - 1
    int32_t MaxTileY = -1; // H div 2 - 1
    int32_t MapType = 0;
    // The document's staging stream, kept for its layout and always empty: a load reads the records straight
    // into their arrays and a save writes them straight from there, which spares a second copy of a large map.
    TMemoryStream Buffer;
    TVesk3MapHeader Header{};
    std::vector<TVesk3TileRec> Tiles;
    std::vector<TVesk3CellRec> Cells;

    // False when no file is at `Path` (nothing changes) or when it cannot be read or is shorter than its header
    // announces; the map is then empty, keeps the file name as MapName and has no FilePath, so that a later save
    // asks for a name instead of overwriting the damaged file.
    bool LoadFromFile(const std::string& Path);
    // Writes the map through a temporary file that replaces `Path`; on failure the previous file is intact and
    // the stream error (EFCreateError, EWriteError) reaches the caller. FilePath is not changed.
    void SaveToFile(const std::string& Path);
    void Save(); // to FilePath
    // An empty map of the given size and type, named `Name`, without a FilePath. False, with nothing changed,
    // for a size or type outside 0..65535 (the header stores u16) or when the memory cannot be had.
    bool NewMap(const std::string& Name, int32_t NewWidth, int32_t NewHeight, int32_t NewMapType);
    std::string GetMapTypeName() const;

    // Getters answer for coordinates inside the grids and source SourceMap only; otherwise the empty answer:
    // GetTile -1 and -1, the cell getters 0. Setters outside the grids do nothing.
    void GetTile(int32_t tx, int32_t ty, int32_t& Lib, int32_t& Image, int32_t Source) const;
    void SetTileField(int32_t tx, int32_t ty, int32_t Which, int32_t Value); // 1 library byte, 2 image word
    int32_t GetCellByte(int32_t x, int32_t y, int32_t Which, int32_t Source) const; // 1 move flags, 2 light
    void GetCellByte1(int32_t x, int32_t y, uint8_t& Extra, uint8_t& Marker, int32_t Source) const;
    void GetLayerA(int32_t x, int32_t y, int32_t& Lib, int32_t& Image, int32_t Source) const; // front object
    void GetLayerB(int32_t x, int32_t y, int32_t& Lib, int32_t& Image, int32_t Source) const; // back object
    void SetLayerA(int32_t x, int32_t y, uint8_t Lib, uint16_t Image);
    void SetLayerB(int32_t x, int32_t y, uint8_t Lib, uint16_t Image);
    // Mode 0 frees the cell (3), 1 "Can't Move" (0), 2 "Can't Move and Fly" (2); other modes do nothing.
    void SetCellMoveFlags(int32_t x, int32_t y, uint8_t Mode);
    void SetCellByte13(int32_t x, int32_t y, uint8_t Value);
    void ClearAllBlockers();          // every cell free ("Delete All Blocker")
    void FillAllFlags(uint8_t Value); // every cell's move flags := Value

private:
    const TVesk3TileRec* TileAt(int32_t tx, int32_t ty) const;
    const TVesk3CellRec* CellAt(int32_t x, int32_t y) const;
    TVesk3TileRec* TileAt(int32_t tx, int32_t ty);
    TVesk3CellRec* CellAt(int32_t x, int32_t y);
    void Commit(TVesk3MapContent& content);
};
