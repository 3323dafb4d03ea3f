// The create-map dialog over the real main window: several at once, each freeing itself and staying above the main
// window; its buttons' colours; the size fields take digits only; Enter moves one field a press; the range checks'
// messages in their order with the focus on the field; a created map replaces the open one's content and asks for
// a file name at every save.
#include "tests/editor/MainWindowScene.h"

#include <array>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <vector>

#include "classlib/ScrollBars.h"
#include "classlib/StdCtrls.h"
#include "controls/GlowButton.h"
#include "editor/dev_Create_New_Map.h"
#include "gamedata/core/uVesk3MapEngine.h"
#include "sddcontrols/unSDDButton.h"
#include "sddcontrols/unSDDEdit.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDSpnEdt.h"
#include "tests/support/ScreenFramebuffer.h"

namespace mainwin_test {
namespace {

std::vector<TfrmMapCreate_MAP*> Dialogs(TfrmSorvantaMain& w)
{
    std::vector<TfrmMapCreate_MAP*> found;
    for (int i = 0; i < w.ComponentCount(); ++i)
        if (auto* d = dynamic_cast<TfrmMapCreate_MAP*>(w.Components(i))) found.push_back(d);
    return found;
}

TfrmMapCreate_MAP& OpenDialog(TMainScene& s)
{
    s.Click(*s.W().btn_Create_New_Project);
    std::vector<TfrmMapCreate_MAP*> all = Dialogs(s.W());
    EXPECT_FALSE(all.empty());
    return *all.back();
}

// The colour (0xRRGGBB) the screen shows at a point of a window's client area, once the display has what the
// windows painted; the pointer rests elsewhere.
unsigned ScreenPixel(HWND Window, POINT At)
{
    PumpFor(200);
    MapWindowPoints(Window, nullptr, &At, 1);
    std::vector<unsigned> pixels;
    const RECT pixel{At.x, At.y, At.x + 1, At.y + 1};
    EXPECT_TRUE(testsupport::ReadXwdPixels(std::getenv("EDITOR_SCREEN_FILE"), pixel, pixels));
    return pixels.empty() ? 0xFFFFFFFF : pixels[0];
}

unsigned ScreenColor(TColor Color)
{
    const COLORREF c = ColorToRGB(Color);
    return unsigned(GetRValue(c)) << 16 | unsigned(GetGValue(c)) << 8 | GetBValue(c);
}

void Type(TMainScene& s, TWinControl& field, const std::string& text)
{
    field.SetFocus();
    for (char c : text) PostMessageA(field.Handle(), WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
    PumpFor(30);
}

TEST(CreateMapDialog, EachClickOpensOneMoreDialogThatFreesItselfWhenItCloses)
{
    TMainScene s;
    TfrmMapCreate_MAP& first = OpenDialog(s);
    TfrmMapCreate_MAP& second = OpenDialog(s);
    ASSERT_EQ(Dialogs(s.W()).size(), 2u);
    EXPECT_NE(first.Name(), second.Name()) << "each window of the main window has a name of its own";
    EXPECT_TRUE(IsWindowVisible(first.Handle()));
    EXPECT_TRUE(IsWindowEnabled(s.W().Handle())) << "not modal";
    EXPECT_EQ(first.maMapName->Text(), "");
    EXPECT_EQ(first.maMap_X->Text(), "");
    EXPECT_EQ(first.cbMapTypeInfo->ItemIndex(), 0);
    s.Click(*first.btnCancel);
    EXPECT_EQ(Dialogs(s.W()).size(), 1u);
    PostMessageA(Dialogs(s.W())[0]->Handle(), WM_CLOSE, 0, 0);
    PumpFor(50);
    EXPECT_TRUE(Dialogs(s.W()).empty());
}

// The dialogs belong to the main window and stay above it whatever the user does there: the main window clicked
// (activated), a field of it clicked (the focus moves inside it), and again after a dialog was clicked. So says the
// window order, and the screen where the dialogs lie over the main window.
TEST(CreateMapDialog, TheDialogsStayAboveTheMainWindowWhenItIsClicked)
{
    if (!std::getenv("EDITOR_SCREEN_FILE")) GTEST_SKIP() << "no framebuffer file: runs through tools/test";
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    const std::array<TfrmMapCreate_MAP*, 2> dialogs = {&OpenDialog(s), &OpenDialog(s)};
    const auto above = [&](HWND dialog) {
        for (HWND h = GetWindow(w.Handle(), GW_HWNDPREV); h; h = GetWindow(h, GW_HWNDPREV))
            if (h == dialog) return true;
        return false;
    };
    struct Row {
        const char* Done;
        std::function<void()> Do;
        TWinControl* Focused;  // in the main window
    };
    const Row rows[] = {
        {"the main window clicked", [&] { s.ClickAt(*w.plDrawEnvir, 20, 20); }, nullptr},
        {"a field of the main window clicked", [&] { s.Click(*w.maJumpX); }, w.maJumpX},
        {"a dialog clicked, then the main window",
         [&] {
             s.Click(*dialogs[0]->maMapName);
             EXPECT_EQ(GetActiveWindow(), dialogs[0]->Handle());
             s.ClickAt(*w.plDrawEnvir, 20, 20);
         },
         nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Done);
        r.Do();
        EXPECT_EQ(GetActiveWindow(), w.Handle());
        if (r.Focused) EXPECT_EQ(GetFocus(), r.Focused->Handle());
        for (TfrmMapCreate_MAP* d : dialogs) {
            EXPECT_EQ(GetWindow(d->Handle(), GW_OWNER), w.Handle());
            EXPECT_TRUE(IsWindowVisible(d->Handle()) && above(d->Handle()));
        }
        // Right of the fields, over the main window's view.
        EXPECT_EQ(ScreenPixel(dialogs[1]->Handle(), {372, 100}), ScreenColor(dialogs[1]->Color()));
    }
}

// The dialogs raised again over the main window when it is clicked keep the order the user gave them among
// themselves, and none is left on top of every other program's windows.
TEST(CreateMapDialog, TheDialogsKeepTheirOrderAndAreNotLeftOnTopWhenTheMainWindowIsClicked)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    const std::array<TfrmMapCreate_MAP*, 3> dialogs = {&OpenDialog(s), &OpenDialog(s), &OpenDialog(s)};
    // The dialogs' indexes from the top of the window order down.
    const auto order = [&] {
        std::vector<int> indexes;
        for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT))
            for (size_t i = 0; i < dialogs.size(); ++i)
                if (dialogs[i]->Handle() == h) indexes.push_back(int(i));
        return indexes;
    };
    const auto noneOnTop = [&] {
        for (TfrmMapCreate_MAP* d : dialogs)
            EXPECT_FALSE(GetWindowLongPtrA(d->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) << d->Name();
    };
    noneOnTop();  // the main window was clicked to open them
    // Each order is made by clicking the dialogs in turn, the last clicked on top.
    const std::vector<int> orders[] = {{2, 1, 0}, {0, 2, 1}, {1, 0, 2}};
    for (const std::vector<int>& made : orders) {
        SCOPED_TRACE(::testing::PrintToString(made));
        for (auto i = made.rbegin(); i != made.rend(); ++i) s.Click(*dialogs[size_t(*i)]->maMapName);
        ASSERT_EQ(order(), made);
        s.ClickAt(*w.plDrawEnvir, 20, 20);
        ASSERT_EQ(GetActiveWindow(), w.Handle());
        EXPECT_EQ(order(), made);
        noneOnTop();
    }
}

// Both buttons carry every colour set of the glow button's style 7 (hot, down and checked too) and no border; at
// rest the screen shows the face's own colour on the top row, where a border would be, and the style's even
// mirror colour in the lower half.
TEST(CreateMapDialog, TheButtonsHaveTheColoursOfStyle7AndNoBorder)
{
    if (!std::getenv("EDITOR_SCREEN_FILE")) GTEST_SKIP() << "no framebuffer file: runs through tools/test";
    TMainScene s;
    TfrmMapCreate_MAP& d = OpenDialog(s);
    TGlowButton style7(nullptr);
    style7.SetComponentStyle(7);
    using A = TGlowButtonAppearance;
    const A& want = style7.Appearance();
    const TColor A::*const colors[] = {
        &A::BorderColor,         &A::BorderColorHot,       &A::BorderColorDown,      &A::BorderColorChecked,
        &A::BorderColorDisabled, &A::Color,                &A::ColorTo,              &A::ColorHot,
        &A::ColorHotTo,          &A::ColorDown,            &A::ColorDownTo,          &A::ColorChecked,
        &A::ColorCheckedTo,      &A::ColorDisabled,        &A::ColorDisabledTo,      &A::ColorMirror,
        &A::ColorMirrorTo,       &A::ColorMirrorHot,       &A::ColorMirrorHotTo,     &A::ColorMirrorDown,
        &A::ColorMirrorDownTo,   &A::ColorMirrorChecked,   &A::ColorMirrorCheckedTo, &A::ColorMirrorDisabled,
        &A::ColorMirrorDisabledTo};
    const TGDIPGradient A::*const gradients[] = {
        &A::Gradient,           &A::GradientMirror,        &A::GradientHot,      &A::GradientMirrorHot,
        &A::GradientDown,       &A::GradientMirrorDown,    &A::GradientChecked,  &A::GradientMirrorChecked,
        &A::GradientDisabled,   &A::GradientMirrorDisabled};
    for (TGlowButton* b : {d.btnCreate, d.btnCancel}) {
        SCOPED_TRACE(b->Caption());
        const A& got = b->Appearance();
        for (size_t i = 0; i < std::size(colors); ++i) EXPECT_EQ(got.*colors[i], want.*colors[i]) << "colour " << i;
        for (size_t i = 0; i < std::size(gradients); ++i)
            EXPECT_EQ(got.*gradients[i], want.*gradients[i]) << "gradient " << i;
        EXPECT_EQ(b->BorderStyle(), bsNone);
        EXPECT_EQ(ScreenPixel(b->Handle(), {b->Width() / 2, 0}), ScreenColor(want.Color)) << "the top row";
        EXPECT_EQ(ScreenPixel(b->Handle(), {4, b->Height() * 3 / 4}), ScreenColor(want.ColorMirror))
            << "the lower half";
    }
}

TEST(CreateMapDialog, SizeFieldsTakeDigitsAndBackspaceOnly)
{
    TMainScene s;
    TfrmMapCreate_MAP& d = OpenDialog(s);
    Type(s, *d.maMap_X, "1a2-\b7 x");
    EXPECT_EQ(d.maMap_X->Text(), "17");
    Type(s, *d.maMap_Y, "99999");
    EXPECT_EQ(d.maMap_Y->Text(), "9999") << "four characters at most";
    Type(s, *d.maMapName, "Map 1");
    EXPECT_EQ(d.maMapName->Text(), "Map 1");
}

TEST(CreateMapDialog, EnterMovesOneFieldAPressFromTheNameToCreate)
{
    TMainScene s;
    TfrmMapCreate_MAP& d = OpenDialog(s);
    d.maMapName->SetFocus();
    PumpFor(30);
    for (TWinControl* next : std::vector<TWinControl*>{d.maMap_X, d.maMap_Y, d.btnCreate}) {
        s.Key(*static_cast<TWinControl*>(TWinControl::FromHandle(GetFocus())), VK_RETURN);
        EXPECT_EQ(GetFocus(), next->Handle()) << next->Name();
    }
    EXPECT_TRUE(s.capture.Boxes.empty()) << "Enter on the way creates nothing";
}

TEST(CreateMapDialog, TheFirstFailedCheckIsReportedAndItsFieldGetsTheFocus)
{
    TMainScene s;
    TfrmMapCreate_MAP& d = OpenDialog(s);
    struct Row {
        const char *X, *Y, *Message;
        TSDDMaskEdit* TfrmMapCreate_MAP::*Field;
    };
    const Row rows[] = {
        {"3", "2000", "Map X is to small... (Min = 4)", &TfrmMapCreate_MAP::maMap_X},
        {"", "100", "Map X is to small... (Min = 4)", &TfrmMapCreate_MAP::maMap_X},
        {"40", "3", "Map Y is to small... (Min = 4)", &TfrmMapCreate_MAP::maMap_Y},
        {"1001", "1001", "Map X is to big... (Max = 1000)", &TfrmMapCreate_MAP::maMap_X},
        {"1000", "1001", "Map Y is to big... (Max = 1000)", &TfrmMapCreate_MAP::maMap_Y},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.X) + " x " + r.Y);
        d.maMap_X->SetText(r.X);
        d.maMap_Y->SetText(r.Y);
        s.capture.Boxes.clear();
        s.Click(*d.btnCreate);
        // Asked nothing once it is gone: a dialog that went on to create the map has freed itself.
        ASSERT_EQ(Dialogs(s.W()).size(), 1u) << "the dialog closed although the size was refused";
        ASSERT_EQ(s.capture.Boxes.size(), 1u);
        EXPECT_EQ(s.capture.Boxes[0].Text, r.Message);
        EXPECT_EQ(s.capture.Boxes[0].Flags & MB_TYPEMASK, UINT(MB_OK));
        EXPECT_EQ(GetFocus(), (d.*r.Field)->Handle());
        EXPECT_EQ(s.W().Map, nullptr) << "nothing was created";
    }
}

TEST(CreateMapDialog, ACreatedMapReplacesTheOpenOneAndAsksForAFileNameAtEverySave)
{
    TMainScene s;
    TfrmSorvantaMain& w = s.W();
    s.Open(s.client.MapPath());
    TVesk3Map* const loaded = w.Map.get();
    s.ChooseLibrary(TileLibrary);
    s.PickCell(1, 0);
    w.maJumpX->SetText("20");
    w.maJumpY->SetText("20");
    s.Click(*w.SDDButton1);
    s.ClickAt(*w.sbtnZoom, 8, 20);  // zoom in

    TfrmMapCreate_MAP& d = OpenDialog(s);
    d.maMapName->SetText(" New ");
    d.maMap_X->SetText("1000");
    d.maMap_Y->SetText(" 4");
    d.cbMapTypeInfo->SetItemIndex(4);  // "Forest"
    s.Click(*d.btnCreate);
    EXPECT_TRUE(s.capture.Boxes.empty());
    EXPECT_TRUE(Dialogs(w).empty()) << "the dialog closed and freed itself";
    EXPECT_EQ(w.Map.get(), loaded) << "the map object is reused";
    EXPECT_EQ((std::array{w.Map->Width, w.Map->Height, w.Map->MapType, MapWidth, MapHeight}),
              (std::array{1000, 4, 4, 1000, 4}));
    EXPECT_EQ(w.Map->Tiles.size(), 1000u);
    EXPECT_EQ(w.Map->FilePath, "");
    EXPECT_EQ(w.laMapName->Caption(), "New.map");
    EXPECT_EQ(w.laMapWInfo->Caption(), "1000");
    EXPECT_EQ(w.laMapHInfo->Caption(), "4");
    EXPECT_EQ(w.laMapType->Caption(), "Wood (4)") << "the item index is the map's own type";
    EXPECT_EQ((std::array{w.SelectedImage, w.SelectedLibrary, w.PickerGridKind, w.ObjectMode}),
              (std::array{-1, -1, 0, 0}));
    EXPECT_EQ((std::array{w.ZoomIndex, w.scbaHorizontal->Position(), w.scbaVertical->Position()}),
              (std::array{6, 0, 0}));
    EXPECT_EQ(w.laZoomMode->Caption(), "100%");

    // The loaded file is not overwritten: every save asks for a name.
    const std::vector<uint8_t> original = fixtures::ReadFileBytes(s.client.MapPath());
    const std::string saved = s.client.File("Created.map");
    s.dialogs.Requests.clear();
    s.dialogs.Answers = {saved, ""};
    s.Click(*w.PNGButton4);
    s.Click(*w.PNGButton4);  // cancelled
    ASSERT_EQ(s.dialogs.Requests.size(), 2u);
    EXPECT_TRUE(s.dialogs.Requests[0].Save && s.dialogs.Requests[1].Save);
    EXPECT_EQ(fixtures::ReadFileBytes(s.client.MapPath()), original);
    TVesk3Map reread;
    ASSERT_TRUE(reread.LoadFromFile(saved));
    EXPECT_EQ((std::array{reread.Width, reread.Height, reread.MapType}), (std::array{1000, 4, 4}));
}

}  // namespace
}  // namespace mainwin_test
