#include "editor/core/uLibraryNames.h"

#include "gamedata/core/ImageLibraries.h"

// The set and kind come from the library's path ("Data\Tilesc.wil", "Data\Wood\Tilesc.wil"), so the names cannot
// drift from the caches' path table; only the fifteenth kind is shown under a name of its own.
std::string GetLibraryDisplayName(int32_t Index)
{
    if (!IsCachedLibrary(Index)) return "-";
    std::string path = GetLibraryFileName(Index);
    path.resize(path.size() - 4);  // ".wil"
    const size_t kindAt = path.rfind('\\') + 1;
    std::string kind = path.substr(kindAt);
    if (kind == "CustFiles") kind = "Custom";
    const size_t setAt = path.rfind('\\', kindAt - 2);
    const std::string set = setAt == std::string::npos ? "Data" : path.substr(setAt + 1, kindAt - setAt - 2);
    const std::string number = std::to_string(Index);
    return std::string(number.size() < 2 ? " " : "") + number + " - " + set + "-" + kind;
}
