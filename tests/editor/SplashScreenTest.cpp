// The start-up screen: its layout as the program shows it, and the library check driving the real window (the
// boxes answered through the application's message-box hook, the bars and the panel observed while it runs).
#include "editor/uStartSplashScreen.h"

#include "classlib/Application.h"
#include "classlib/ExtCtrls.h"
#include "controls/SDXProgress.h"
#include "controls/pngextra.h"
#include "tests/editor/ClientFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace startup_test;

struct Box {
    std::string Text, Caption;
    UINT Flags;
};

// Answers every box with `answer` and records it; `during` runs inside each box, while the check waits for it.
class BoxHook {
public:
    explicit BoxHook(int answer, std::function<void()> during = {})
    {
        Application->OnMessageBox = [this, answer, during](const std::string& text, const std::string& caption,
                                                           UINT flags) {
            Boxes.push_back({text, caption, flags});
            if (during) during();
            return answer;
        };
    }
    ~BoxHook() { Application->OnMessageBox = nullptr; }
    std::vector<Box> Boxes;
};

struct Bounds {
    const char* Name;
    int Left, Top, Width, Height;
};

TEST(SplashScreen, LayoutPlacesEveryControl)
{
    TSplashScreen splash(nullptr);
    EXPECT_EQ(splash.BorderStyle(), bsNone);
    EXPECT_EQ(splash.Position(), poScreenCenter);
    EXPECT_EQ(splash.ClientWidth(), 513);
    EXPECT_EQ(splash.ClientHeight(), 327);
    EXPECT_EQ(splash.Color(), clBlack);
    EXPECT_EQ(splash.Image1->Picture().Width(), 513);
    EXPECT_EQ(splash.Image1->Picture().Height(), 327);
    EXPECT_EQ(splash.progress->Parent(), splash.plback);
    EXPECT_EQ(splash.convert->Parent(), splash.plback);

    const TControl* controls[] = {splash.Image1, splash.PNGButton1, splash.plback, splash.progress, splash.convert};
    const Bounds rows[] = {
        {"Image1", 0, 0, 513, 327},   {"PNGButton1", 424, 288, 23, 23}, {"plback", 52, 286, 409, 19},
        {"progress", 2, 2, 405, 15}, {"convert", 2, 19, 405, 15},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const TControl& c = *controls[i];
        EXPECT_EQ(c.Name(), rows[i].Name);
        EXPECT_EQ(c.Left(), rows[i].Left) << rows[i].Name;
        EXPECT_EQ(c.Top(), rows[i].Top) << rows[i].Name;
        EXPECT_EQ(c.Width(), rows[i].Width) << rows[i].Name;
        EXPECT_EQ(c.Height(), rows[i].Height) << rows[i].Name;
    }
    EXPECT_EQ(splash.PNGButton1->ButtonStyle(), pbsDefault);

    for (const TSDXProgress* bar : {splash.progress, splash.convert}) {
        SCOPED_TRACE(bar->Name());
        EXPECT_EQ(bar->Caption(), "..");
        EXPECT_EQ(bar->Color(), 7697781u);
        EXPECT_EQ(bar->StartColor(), 11518925u);
        EXPECT_EQ(bar->EndColor(), 5929618u);
        EXPECT_TRUE(bar->GradientBlocks());
        EXPECT_TRUE(bar->Solid());
        EXPECT_EQ(bar->Maximum(), 100);
        EXPECT_EQ(bar->Step(), 1);
        EXPECT_EQ(bar->TextOption(), toPercent);
        EXPECT_TRUE(bar->TextCentered());
    }
}

TEST(SplashScreen, FirstStartConversionDrivesTheBarsAndTheBoxes)
{
    Client client;
    TSplashScreen splash(nullptr);
    splash.SetLog(client.log.get());
    splash.Show();

    // Inside the final message: both bars show, the overall bar carries the last library's caption.
    int panelHeight = 0;
    bool panelVisible = false;
    std::string caption;
    int64_t overall = 0;
    TTextOption overallText = toNoText;
    BoxHook boxes(IDYES, [&] {
        panelHeight = splash.plback->Height();
        panelVisible = splash.plback->Visible();
        caption = splash.progress->Caption();
        overall = splash.progress->Position();
        overallText = splash.progress->TextOption();
    });
    EXPECT_TRUE(splash.CheckImageLibraries(client.Folder()));

    ASSERT_EQ(boxes.Boxes.size(), 2u);
    EXPECT_EQ(boxes.Boxes[0].Caption, FirstStartCaption);
    EXPECT_EQ(boxes.Boxes[0].Text, FirstStartQuestion);
    EXPECT_EQ(boxes.Boxes[0].Flags, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(boxes.Boxes[1].Text, "Convert Progress Done\r\n5 Images converted..");
    EXPECT_EQ(boxes.Boxes[1].Caption, Application->Title);
    EXPECT_EQ(boxes.Boxes[1].Flags, UINT(MB_OK));

    EXPECT_EQ(panelHeight, 36);
    EXPECT_TRUE(panelVisible);
    EXPECT_EQ(caption, "Convert Data\\Forest\\CustFiles.wil - (74 from 75) 4 Image converted");
    EXPECT_EQ(overall, 75);
    EXPECT_EQ(overallText, toCaption);

    // The common end and the first start's own end.
    EXPECT_FALSE(splash.plback->Visible());
    EXPECT_EQ(splash.progress->TextOption(), toNoText);
    EXPECT_EQ(splash.progress->Position(), 0);
    EXPECT_EQ(splash.convert->Maximum(), 3);
    EXPECT_EQ(splash.convert->Position(), 3);
    EXPECT_FALSE(std::filesystem::exists(TWILFile::TempPngPath()));
    EXPECT_EQ(TIniFile(client.Ini()).ReadString("UseImageLib", "UsingLib", "?"), "SIL");
}

TEST(SplashScreen, AChangedLibraryShowsBothBarsOnlyWhileItIsConverted)
{
    Client client;
    client.WriteSettings("SIL", false, {{0, client.FileCrc(0)}, {46, client.FileCrc(46)}, {74, 1}});
    TSplashScreen splash(nullptr);
    splash.Show();
    BoxHook boxes(IDNO);
    EXPECT_FALSE(splash.CheckImageLibraries(client.Folder()));

    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_EQ(splash.plback->Height(), 19);
    EXPECT_FALSE(splash.plback->Visible());
    EXPECT_EQ(splash.progress->Caption(), "Convert Data\\Forest\\CustFiles.wil");
    EXPECT_EQ(splash.progress->TextOption(), toPercent);
    EXPECT_EQ(splash.progress->Position(), 75);
    EXPECT_EQ(splash.progress->Percent(), 100);
    EXPECT_EQ(client.CrcKey(74), client.FileCrc(74));
}

}  // namespace
