// Any bytes as a settings file: parsing never fails, rendering is stable, and a written value reads back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "classlib/core/IniText.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    TIniText ini;
    ini.Parse(input);
    const std::string rendered = ini.Render();

    TIniText again;
    again.Parse(rendered);
    Check(again.Render() == rendered);
    for (const char* section : {"UseImageLib", "DirectX", "CRC_Check", ""})
        for (const char* key : {"UsingLib", "NoVSync", "0", "74"})
            Check(ini.Value(section, key) == again.Value(section, key));

    // A value taken from the input, with the line breaks a settings value cannot hold turned into blanks.
    std::string value(input.substr(0, 40));
    ini.SetValue("Fuzz", "Key", value);
    for (char& c : value)
        if (c == '\r' || c == '\n')
            c = ' ';
    Check(ini.Value("fuzz", "KEY") == value);
    TIniText reread;
    reread.Parse(ini.Render());
    Check(reread.Value("Fuzz", "Key") == value);
    return 0;
}
