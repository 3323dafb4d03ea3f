// Writes the layout parser's seed inputs into the corpus folder given as the only argument.
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::error_code ec;
  std::filesystem::create_directories(argv[1], ec);
  const char* seeds[] = {
      "object frmTest: TfrmTest\n"
      "  Left = 0\n"
      "  Caption = 'Test '#39'form'#39\n"
      "  Color = clBtnFace\n"
      "  Font.Name = 'Tahoma'\n"
      "  Anchors = [akLeft, akTop]\n"
      "  Lines.Strings = (\n"
      "    'a'\n"
      "    'b' + 'c')\n"
      "  Picture.Data = {\n"
      "    89504E470D0A1A0A}\n"
      "  Scale = -1.5e2\n"
      "  Tag = $7F\n"
      "  object Panel1: TPanel\n"
      "    object TLabel\n"
      "    end\n"
      "  end\n"
      "end\n",
      "object A: TA\r\n  X = ((1 2) ('s' #65))\r\nend\r\n",
  };
  int n = 0;
  for (const char* seed : seeds) {
    std::ofstream out(std::string(argv[1]) + "/seed" + std::to_string(n++) + ".txt", std::ios::binary);
    out << seed;
    if (!out) return 1;
  }
  return 0;
}
