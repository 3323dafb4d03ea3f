#include "editor/core/uScreenshotName.h"

#include <cstring>

namespace {

bool FileNameCannotHold(char C)
{
    const auto byte = static_cast<unsigned char>(C);
    return byte < 0x20 || byte == 0x7F || std::strchr("\\/:*?\"<>|", C) != nullptr;
}

std::string Replaced(std::string Text, const char* AlsoReplaced)
{
    for (char& c : Text)
        if (FileNameCannotHold(c) || std::strchr(AlsoReplaced, c) != nullptr) c = '_';
    return Text;
}

}  // namespace

std::string ScreenshotDateText(const std::string& DateTimeText)
{
    return Replaced(DateTimeText, " .");
}

std::string ScreenshotFileName(int32_t Counter, const std::string& MapLabel, const std::string& DateText)
{
    const std::string name = MapLabel.size() > 4 ? MapLabel.substr(0, MapLabel.size() - 4) : std::string();
    return "Map_" + std::to_string(Counter) + "_" + Replaced(name, "") + "_" + Replaced(DateText, "") + ".png";
}
