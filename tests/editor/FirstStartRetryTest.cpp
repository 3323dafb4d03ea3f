// A first start whose conversion fails is tried again, without asking, at the next start: "x.tmp" cannot be
// written the first time (a folder stands in its place), and the second start finds it writable. The log of the
// failed start gives the reason.
#include "editor/uImageLibraryCheck.h"

#include "classlib/core/IniFiles.h"
#include "gamedata/uBase_WIL_File.h"
#include "tests/editor/ClientFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace startup_test;

struct AnsweringView : TLibraryCheckView {
    explicit AnsweringView(bool yes) : Yes(yes) {}
    bool AskYesNo(const std::string&, const std::string&) override
    {
        ++Asked;
        return Yes;
    }
    void ShowInfo(const std::string& text) override { Infos.push_back(text); }
    bool Yes;
    int Asked = 0;
    std::vector<std::string> Infos;
};

TEST(FirstStartRetry, AFailedFirstConversionRunsAgainAtTheNextStart)
{
    Client client;
    std::filesystem::create_directory(TWILFile::TempPngPath());
    AnsweringView first(true);
    EXPECT_FALSE(client.Run(first));
    EXPECT_TRUE(client.failed);
    EXPECT_EQ(first.Asked, 1);
    EXPECT_TRUE(first.Infos.empty());
    // The log says why "x.tmp" could not be written: the file system's refusal, naming the file.
    EXPECT_NE(ReadFile(client.dir.file("check.log")).find("for image 0 of Data\\Tilesc.wil: Cannot create file \"" +
                                    TWILFile::TempPngPath() + "\". "),
              std::string::npos);
    std::filesystem::remove_all(TWILFile::TempPngPath());

    AnsweringView second(false);  // a question now would keep the WIL libraries: it must not come
    EXPECT_TRUE(client.Run(second));
    EXPECT_FALSE(client.failed);
    EXPECT_EQ(second.Asked, 0);
    EXPECT_EQ(second.Infos.size(), 1u);
    const TIniFile ini(client.Ini());
    EXPECT_EQ(ini.ReadString("UseImageLib", "UsingLib", "?"), "SIL");
    EXPECT_EQ(ini.ReadString("ConvertImage", "Convert", "?"), "0");
    for (int32_t library : {0, 46, 74}) {
        EXPECT_TRUE(std::filesystem::exists(client.Base(library) + ".sil")) << library;
        EXPECT_EQ(client.CrcKey(library), client.FileCrc(library)) << library;
    }
}

}  // namespace
