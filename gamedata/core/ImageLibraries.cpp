#include "gamedata/core/ImageLibraries.h"

int32_t ImageLibKind = ImageLibKindWIL;

namespace {

const char* const SetFolders[5] = {"Data\\", "Data\\Wood\\", "Data\\Sand\\", "Data\\Snow\\", "Data\\Forest\\"};
const char* const KindNames[LibraryKindsPerSet] = {
    "Tilesc",  "Tiles30c", "Tiles5c",    "Smtilesc",    "Housesc",  "Cliffsc",  "Dungeonsc", "Innersc",
    "Furnituresc", "Wallsc", "SmObjectsc", "Animationsc", "Object1c", "Object2c", "CustFiles"};

}  // namespace

std::string GetLibraryFileName(int32_t Number)
{
    if (Number == NpcLibraryNumber) return "Data\\NPC.wil";
    if (!IsCachedLibrary(Number)) return "";
    return std::string(SetFolders[Number / LibraryKindsPerSet]) + KindNames[Number % LibraryKindsPerSet] + ".wil";
}

std::string LibraryFilePath(const std::string& Folder, int32_t Number, int32_t Kind)
{
    std::string name = GetLibraryFileName(Number);
    if (name.empty()) return name;
    if (Kind == ImageLibKindSIL) name.replace(name.size() - 4, 4, ".sil");
    return Folder + name;
}
