// The start-up screen driven by the library check: the boxes answered through the application's message-box hook,
// the panel and its bars observed while the final box waits and after the check.
#include "editor/uStartSplashScreen.h"

#include "classlib/Application.h"
#include "classlib/ExtCtrls.h"
#include "controls/SDXProgress.h"
#include "tests/editor/ClientFolder.h"

#include <windows.h>

namespace {

using namespace startup_test;

TEST(SplashScreen, ShowsBothBarsWhileConvertingAndHidesThemAfter)
{
    Client client;
    TSplashScreen splash(nullptr);
    splash.Show();
    // The second bar shows when the panel reaches below it.
    const auto bothBars = [&] {
        return splash.plback->Visible() && splash.convert->BoundsRect().Bottom <= splash.plback->Height();
    };
    std::vector<std::string> boxes;  // flags, caption and text of each box, then what the bars showed
    Application->OnMessageBox = [&](const std::string& text, const std::string& caption, UINT flags) {
        boxes.push_back(std::to_string(flags) + "|" + caption + "|" + text);
        boxes.push_back((bothBars() ? "both bars: " : "") + splash.progress->DisplayText() + " | " +
                        splash.convert->DisplayText());
        return IDYES;
    };
    EXPECT_TRUE(splash.CheckImageLibraries(client.Folder()));  // never throws
    Application->OnMessageBox = nullptr;
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0], std::to_string(MB_YESNO | MB_ICONQUESTION) + "|Sorvanta Map Editor|"
                        "           ::: First start detected :::                \r\n"
                        "Will you convert orginal image lib to faster image lib?");
    EXPECT_EQ(boxes[2], std::to_string(MB_OK) + "|" + Application->Title + "|Convert Progress Done\r\n"
                                                                          "5 Images converted..");
    EXPECT_EQ(boxes[3], "both bars: Convert Data\\Forest\\CustFiles.wil - (74 from 75) 4 Image converted | 100%");
    EXPECT_FALSE(splash.plback->Visible());
    EXPECT_EQ(splash.progress->DisplayText(), "");
}

}  // namespace
