#include "editor/core/uNewMapRules.h"

#include "classlib/core/SysUtils.h"

TNewMapCheck CheckNewMapSize(const std::string& XText, const std::string& YText)
{
    TNewMapCheck c;
    c.Width = StrToIntDef(Trim(XText), 0);
    c.Height = StrToIntDef(Trim(YText), 0);
    if (c.Width < NewMapMinCells) {
        c.Field = TNewMapField::SizeX;
        c.Message = "Map X is to small... (Min = 4)";
    } else if (c.Height < NewMapMinCells) {
        c.Field = TNewMapField::SizeY;
        c.Message = "Map Y is to small... (Min = 4)";
    } else if (c.Width > NewMapMaxCells) {
        c.Field = TNewMapField::SizeX;
        c.Message = "Map X is to big... (Max = 1000)";
    } else if (c.Height > NewMapMaxCells) {
        c.Field = TNewMapField::SizeY;
        c.Message = "Map Y is to big... (Max = 1000)";
    }
    return c;
}
