#include "gamedata/core/uVesk3MapEngine.h"

#include <cstring>
#include <iterator>
#include <new>
#include <utility>

#include "classlib/core/SafeFile.h"
#include "classlib/core/SysUtils.h"
#include "gamedata/core/ByteCursor.h"

// Sections: reading the file | life cycle, load and save | getters and setters.

namespace {

constexpr size_t kHeaderSize = sizeof(TVesk3MapHeader);
constexpr TVesk3TileRec kNewTile = {0xFF, 0xFFFF};
constexpr TVesk3CellRec kNewCell = {3, 0, 0, 0xFF, 0xFF, 0xFFFF, 0xFFFF, {0, 0, 0, 0}, 0};
constexpr int32_t kMaxU16 = 0xFFFF;

bool TakeHeader(TByteCursor& cursor, TVesk3MapHeader& header)
{
    return cursor.ReadBytes(header.Text, sizeof header.Text) && cursor.ReadU16(header.MapType) &&
           cursor.ReadU16(header.Width) && cursor.ReadU16(header.Height) &&
           cursor.ReadBytes(header.Spare, sizeof header.Spare);
}

} // namespace

// ---- Reading the file ---------------------------------------------------------------------------------------

uint64_t Vesk3TileCount(uint32_t width, uint32_t height)
{
    return static_cast<uint64_t>(width) * height / 4;
}

uint64_t Vesk3MapFileSize(uint32_t width, uint32_t height)
{
    return kHeaderSize + sizeof(TVesk3TileRec) * Vesk3TileCount(width, height) +
           sizeof(TVesk3CellRec) * static_cast<uint64_t>(width) * height;
}

bool ReadVesk3Map(TStream& source, TVesk3MapContent& out)
{
    try {
        const int64_t available = source.Size() - source.Position();
        uint8_t head[kHeaderSize];
        if (source.Read(head, kHeaderSize) != kHeaderSize)
            return false;
        TByteCursor cursor(head);
        TVesk3MapHeader header;
        if (!TakeHeader(cursor, header) ||
            Vesk3MapFileSize(header.Width, header.Height) > static_cast<uint64_t>(available))
            return false;
        // The announced size fits the stream, so the counts below are bounded by its length.
        std::vector<TVesk3TileRec> tiles(static_cast<size_t>(Vesk3TileCount(header.Width, header.Height)));
        std::vector<TVesk3CellRec> cells(static_cast<size_t>(header.Width) * header.Height);
        source.ReadBuffer(tiles.data(), tiles.size() * sizeof(TVesk3TileRec));
        source.ReadBuffer(cells.data(), cells.size() * sizeof(TVesk3CellRec));
        out.Header = header;
        out.Tiles.swap(tiles);
        out.Cells.swap(cells);
        return true;
    } catch (const std::exception&) { // EStreamError, or no memory for the records
        return false;
    }
}

// ---- Life cycle, load and save ------------------------------------------------------------------------------

TVesk3Map::TVesk3Map() = default;
TVesk3Map::~TVesk3Map() = default;

void TVesk3Map::Commit(TVesk3MapContent& content)
{
    Header = content.Header;
    Tiles.swap(content.Tiles);
    Cells.swap(content.Cells);
    Width = Header.Width;
    Height = Header.Height;
    MaxTileX = Width / 2 - 1;
    MaxTileY = Height / 2 - 1;
    MapType = Header.MapType;
}

bool TVesk3Map::LoadFromFile(const std::string& Path)
{
    if (!FileExists(Path))
        return false;
    TVesk3MapContent content;
    bool loaded = false;
    try {
        TFileStream file(Path, fmOpenRead | fmShareDenyWrite);
        loaded = ReadVesk3Map(file, content);
    } catch (const EStreamError&) { // the file cannot be opened
    }
    MapName = ExtractFileName(Path);
    FilePath = loaded ? Path : std::string(); // a damaged file is never saved over without asking for a name
    Commit(content); // empty after a failure
    return loaded;
}

void TVesk3Map::SaveToFile(const std::string& Path)
{
    // The records are held exactly as the file stores them: header, tile block and cell block go to the file
    // straight from memory.
    WriteFileReplacing(Path, {TFileBytes{&Header, kHeaderSize},
                              TFileBytes{Tiles.data(), Tiles.size() * sizeof(TVesk3TileRec)},
                              TFileBytes{Cells.data(), Cells.size() * sizeof(TVesk3CellRec)}});
}

void TVesk3Map::Save()
{
    if (FilePath.empty())
        throw EFCreateError("Cannot create file \"\". The map has no file name");
    SaveToFile(FilePath);
}

bool TVesk3Map::NewMap(const std::string& Name, int32_t NewWidth, int32_t NewHeight, int32_t NewMapType)
{
    if (NewWidth < 0 || NewWidth > kMaxU16 || NewHeight < 0 || NewHeight > kMaxU16 || NewMapType < 0 ||
        NewMapType > kMaxU16)
        return false;
    TVesk3MapContent content;
    std::memset(content.Header.Text, ' ', sizeof content.Header.Text);
    content.Header.MapType = static_cast<uint16_t>(NewMapType);
    content.Header.Width = static_cast<uint16_t>(NewWidth);
    content.Header.Height = static_cast<uint16_t>(NewHeight);
    try {
        content.Tiles.assign(static_cast<size_t>(Vesk3TileCount(NewWidth, NewHeight)), kNewTile);
        content.Cells.assign(static_cast<size_t>(NewWidth) * static_cast<size_t>(NewHeight), kNewCell);
    } catch (const std::bad_alloc&) {
        return false;
    }
    MapName = Name;
    FilePath.clear();
    Commit(content);
    return true;
}

std::string TVesk3Map::GetMapTypeName() const
{
    switch (MapType) {
    case 0: return "Data (0)";
    case 1: return "Sand (1)";
    case 2: return "Forest (2)";
    case 3: return "Snow / Lava Map (3)";
    case 4: return "Wood (4)";
    default: return " - ";
    }
}

// ---- Getters and setters ------------------------------------------------------------------------------------

const TVesk3TileRec* TVesk3Map::TileAt(int32_t tx, int32_t ty) const
{
    if (tx < 0 || ty < 0 || tx > MaxTileX || ty > MaxTileY)
        return nullptr;
    const size_t index = static_cast<size_t>(tx) * static_cast<size_t>(Height / 2) + static_cast<size_t>(ty);
    return index < Tiles.size() ? &Tiles[index] : nullptr;
}

const TVesk3CellRec* TVesk3Map::CellAt(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= Width || y >= Height)
        return nullptr;
    const size_t index = static_cast<size_t>(x) * static_cast<size_t>(Height) + static_cast<size_t>(y);
    return index < Cells.size() ? &Cells[index] : nullptr;
}

TVesk3TileRec* TVesk3Map::TileAt(int32_t tx, int32_t ty)
{
    return const_cast<TVesk3TileRec*>(std::as_const(*this).TileAt(tx, ty));
}

TVesk3CellRec* TVesk3Map::CellAt(int32_t x, int32_t y)
{
    return const_cast<TVesk3CellRec*>(std::as_const(*this).CellAt(x, y));
}

void TVesk3Map::GetTile(int32_t tx, int32_t ty, int32_t& Lib, int32_t& Image, int32_t Source) const
{
    const TVesk3TileRec* tile = Source == SourceMap ? TileAt(tx, ty) : nullptr;
    Lib = tile ? tile->Lib : -1;
    Image = tile ? tile->Image : -1;
}

void TVesk3Map::SetTileField(int32_t tx, int32_t ty, int32_t Which, int32_t Value)
{
    TVesk3TileRec* tile = TileAt(tx, ty);
    if (!tile)
        return;
    if (Which == 1)
        tile->Lib = static_cast<uint8_t>(Value & 0xFF);
    else if (Which == 2)
        tile->Image = static_cast<uint16_t>(Value & 0xFFFF);
}

int32_t TVesk3Map::GetCellByte(int32_t x, int32_t y, int32_t Which, int32_t Source) const
{
    const TVesk3CellRec* cell = Source == SourceMap ? CellAt(x, y) : nullptr;
    if (!cell)
        return 0;
    return Which == 1 ? cell->MoveFlags : Which == 2 ? cell->Light : 0;
}

void TVesk3Map::GetCellByte1(int32_t x, int32_t y, uint8_t& Extra, uint8_t& Marker, int32_t Source) const
{
    const TVesk3CellRec* cell = Source == SourceMap ? CellAt(x, y) : nullptr;
    Extra = 0;
    Marker = cell ? cell->AnimMarker : 0;
}

void TVesk3Map::GetLayerA(int32_t x, int32_t y, int32_t& Lib, int32_t& Image, int32_t Source) const
{
    const TVesk3CellRec* cell = Source == SourceMap ? CellAt(x, y) : nullptr;
    Lib = cell ? cell->FrontLib : 0;
    Image = cell ? cell->FrontImage : 0;
}

void TVesk3Map::GetLayerB(int32_t x, int32_t y, int32_t& Lib, int32_t& Image, int32_t Source) const
{
    const TVesk3CellRec* cell = Source == SourceMap ? CellAt(x, y) : nullptr;
    Lib = cell ? cell->BackLib : 0;
    Image = cell ? cell->BackImage : 0;
}

void TVesk3Map::SetLayerA(int32_t x, int32_t y, uint8_t Lib, uint16_t Image)
{
    if (TVesk3CellRec* cell = CellAt(x, y)) {
        cell->FrontLib = Lib;
        cell->FrontImage = Image;
    }
}

void TVesk3Map::SetLayerB(int32_t x, int32_t y, uint8_t Lib, uint16_t Image)
{
    if (TVesk3CellRec* cell = CellAt(x, y)) {
        cell->BackLib = Lib;
        cell->BackImage = Image;
    }
}

void TVesk3Map::SetCellMoveFlags(int32_t x, int32_t y, uint8_t Mode)
{
    static constexpr uint8_t kFlagsOfMode[] = {3, 0, 2};
    TVesk3CellRec* cell = CellAt(x, y);
    if (cell && Mode < std::size(kFlagsOfMode))
        cell->MoveFlags = kFlagsOfMode[Mode];
}

void TVesk3Map::SetCellByte13(int32_t x, int32_t y, uint8_t Value)
{
    if (TVesk3CellRec* cell = CellAt(x, y))
        cell->Light = Value;
}

void TVesk3Map::ClearAllBlockers()
{
    FillAllFlags(kNewCell.MoveFlags);
}

void TVesk3Map::FillAllFlags(uint8_t Value)
{
    for (TVesk3CellRec& cell : Cells)
        cell.MoveFlags = Value;
}
