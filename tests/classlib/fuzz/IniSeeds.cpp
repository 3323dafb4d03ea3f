// Writes the settings-file fuzzer's starting inputs into the folder named by the first argument.
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const std::string seeds[] = {
        "[UseImageLib]\r\nUsingLib=SIL\r\n\r\n[DirectX]\r\nNoVSync=1\r\n\r\n[ConvertImage]\r\nConvert=0\r\n",
        "[CRC_Check]\r\n0=-1234567\r\n1=0\r\n74=2147483647\r\n",
        "; comment\n[A]\nk = \" padded \"\nk=dup\n[a]\nother=1\n[broken\nx\n",
        "\xEF\xBB\xBF[A]\rk='q'\r=empty\r",
    };
    int n = 0;
    for (const std::string& s : seeds)
        std::ofstream(dir / ("seed" + std::to_string(n++) + ".ini"), std::ios::binary) << s;
    return 0;
}
