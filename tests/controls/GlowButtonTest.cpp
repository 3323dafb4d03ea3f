#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/ActnList.h"
#include "classlib/ImgList.h"
#include "classlib/Menus.h"
#include "classlib/core/LayoutReader.h"
#include "controls/AdditionalLayoutClasses.h"
#include "controls/GlowButton.h"
#include "controls/ReflectionLabel.h"
#include "tests/classlib/RuntimeTestSupport.h"
#include "tests/controls/ControlsSceneSupport.h"
#include "tests/controls/PictureFixtures.h"

namespace {

using controls_scene::FillList;
using controls_scene::PixelAt;
using controls_scene::PumpMessages;
using controls_scene::TPanelScene;

constexpr TColor kDialog = 0xC5BBB4;  // RGB(180, 187, 197)

// Glow buttons on the dialog's colour; the one under test is a create-map dialog button (90 x 24, style 7, no
// border, "Create").
struct TButtons {
  TPanelScene scene{200, 80};
  TGlowButton* button = nullptr;
  TBitmap image;
  int clicks = 0;
  std::vector<std::string> dropDowns;

  TButtons() {
    scene.panel->SetColor(kDialog);
    button = Add(10, 10);
  }
  TGlowButton* Add(int left, int top) {
    auto* b = new TGlowButton(scene.form.get());
    b->SetParent(scene.panel);
    b->SetBounds(left, top, 90, 24);
    b->SetComponentStyle(7);
    b->SetBorderStyle(bsNone);
    b->SetCaption("Create");
    b->OnClick = [this](TObject*) { ++clicks; };
    b->OnDropDown = [this](TObject*) { dropDowns.push_back("drop"); };
    return b;
  }
  // Solid halves: the mirror half black when normal, red when hot (so a fade's percentage is its red channel).
  void SolidFadeColours() {
    TGlowButtonAppearance& a = button->Appearance();
    a.ColorMirror = a.ColorMirrorTo = clBlack;
    a.ColorMirrorHot = a.ColorMirrorHotTo = clRed;
    a.GradientMirror = a.GradientMirrorHot = ggVertical;
  }
  TBitmap& Paint(TGlowButton* b = nullptr) {
    b = b ? b : button;
    image.SetPixelFormat(pf32bit);
    image.SetSize(b->Width(), b->Height());
    b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(image.Canvas().Handle()));
    return image;
  }
  TColor PaintedAt(int x, int y) { return PixelAt(Paint(), x, y); }
  void Mouse(UINT msg, int x, int y, TGlowButton* b = nullptr) {
    (b ? b : button)->Perform(msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
  }
  void Click(int x, int y, TGlowButton* b = nullptr) {
    Mouse(WM_LBUTTONDOWN, x, y, b);
    Mouse(WM_LBUTTONUP, x, y, b);
  }
  void Tick() { button->FadeTimer()->OnTimer()(button->FadeTimer()); }
};

TEST(GlowButton, DefaultsAndPresets) {
  TGlowButtonAppearance a;
  EXPECT_EQ(a.ColorMirrorDownTo, 16768988u);  // the darkened defaults
  EXPECT_EQ(a.ColorMirrorDisabled, 11974326u);
  TGlowButton button(nullptr);
  EXPECT_EQ(button.Version(), "1.8.0.1");
  EXPECT_EQ(button.BoundsRect(), (TRect{0, 0, 100, 41}));
  button.SetComponentStyle(7);
  TGlowButtonAppearance& b = button.Appearance();
  EXPECT_EQ(b.Color, 16777215u);
  EXPECT_EQ(b.ColorTo, 14675440u);
  EXPECT_EQ(b.BorderColor, 10070188u);
  EXPECT_EQ(b.ColorHot, 15465983u);
  EXPECT_EQ(b.BorderColorChecked, 16711680u);  // style 7 leaves it
  EXPECT_EQ(b.GradientHot, ggVertical);
  button.SetComponentStyle(9);
  EXPECT_EQ(b.BorderColorChecked, 4548219u);
  button.SetComponentStyle(6);
  EXPECT_EQ(b.BorderColorHot, clHighlight);
  EXPECT_EQ(b.ColorChecked, 12179676u);
  const TColor before = b.Color;
  button.SetComponentStyle(8);
  EXPECT_EQ(b.Color, before);
}

TEST(GlowButton, TheDialogButtonsFaceAndCorners) {
  TButtons t;
  TBitmap& image = t.Paint();
  const struct {
    TPoint p;
    TColor color;
  } pixels[] = {
      {{0, 0}, kDialog}, {{1, 0}, kDialog}, {{0, 1}, kDialog}, {{89, 23}, kDialog}, {{88, 23}, kDialog},
      {{3, 0}, 0xFFFFFF}, {{3, 15}, 14675440}, {{88, 22}, 14675440}, {{45, 0}, 0xFFFFFF},
  };
  for (const auto& [p, color] : pixels) EXPECT_EQ(PixelAt(image, p.X, p.Y), color) << p.X << "," << p.Y;
  t.button->SetShowDisabled(false);
  t.button->SetEnabled(false);
  EXPECT_EQ(t.PaintedAt(3, 15), 14675440u);  // a disabled button without its disabled look keeps the normal one
  t.button->SetShowDisabled(true);
  EXPECT_EQ(t.PaintedAt(3, 15), 11974326u);  // the disabled mirror colour, round the radial glow's edge
}

TEST(GlowButton, PaintsLeaveNoGdiObjectBehind) {
  TButtons t;
  t.button->SetDropDownButton(true);
  t.button->SetBorderStyle(bsSingle);
  t.button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(t.button));
  auto work = [&] { t.Paint(); };
  const DWORD before = controls_test::SettledGdiObjectCount(work);
  ASSERT_GT(before, 0u) << "this platform does not count GDI objects";
  for (int i = 0; i < 200; ++i) work();
  EXPECT_EQ(controls_test::GdiObjectCount(), before);
}

TEST(GlowButton, HoverFadesInAndOutInFiveSteps) {
  TButtons t;
  t.SolidFadeColours();
  auto red = [&] { return t.PaintedAt(3, 15) & 0xFF; };
  EXPECT_EQ(red(), 0u);
  t.button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(t.button));
  ASSERT_NE(t.button->FadeTimer(), nullptr);
  for (unsigned expected : {51u, 102u, 153u, 204u, 255u}) {
    t.Tick();
    EXPECT_EQ(red(), expected);
  }
  t.Tick();  // the sixth ends the fade
  EXPECT_EQ(t.button->FadeTimer(), nullptr);
  EXPECT_EQ(red(), 255u);
  t.button->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(t.button));
  for (unsigned expected : {204u, 153u, 102u, 51u, 0u}) {
    t.Tick();
    EXPECT_EQ(red(), expected);
  }
  t.Tick();
  EXPECT_EQ(t.button->FadeTimer(), nullptr);
  EXPECT_EQ(t.button->HotPercent(), 0);
}

TEST(GlowButton, DownChecksAndGroups) {
  TButtons t;
  TGlowButton* other = t.Add(100, 10);
  TGlowButton* a = t.button;
  a->SetDown(true);  // a plain button outside any group never goes down
  EXPECT_FALSE(a->Down());
  a->SetGroupIndex(1);
  other->SetGroupIndex(1);
  a->SetDown(true);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->VisualState(), 4);
  other->SetDown(true);
  EXPECT_TRUE(other->Down());
  EXPECT_FALSE(a->Down());  // one of the group at a time
  other->SetDown(false);
  EXPECT_TRUE(other->Down());  // and one stays down without AllowAllUp
  a->SetAllowAllUp(true);     // told to the whole group
  EXPECT_TRUE(other->AllowAllUp());
  other->SetDown(false);
  EXPECT_FALSE(other->Down());
  t.Click(5, 5, a);  // a click on a grouped button puts it down
  EXPECT_TRUE(a->Down());
  a->Perform(WM_KEYDOWN, VK_SPACE);
  a->Perform(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(a->VisualState(), 4);  // and a key's release leaves it checked

  TGlowButton* check = t.Add(10, 40);
  check->SetStyle(bsCheck);
  const struct {
    TPoint release;
    bool down;
    int clicks;
  } rows[] = {
      {{5, 5}, true, 1}, {{5, 5}, false, 2}, {{89, 23}, true, 3}, {{5, 24}, true, 3}, {{90, 5}, true, 3},
  };
  t.clicks = 0;
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.release.X) + "," + std::to_string(row.release.Y));
    t.Mouse(WM_LBUTTONDOWN, 5, 5, check);
    t.Mouse(WM_LBUTTONUP, row.release.X, row.release.Y, check);
    EXPECT_EQ(check->Down(), row.down);
    EXPECT_EQ(t.clicks, row.clicks);
  }
}

TEST(GlowButton, CaptureEndsWithEveryRelease) {
  TButtons t;
  TGlowButton* grouped = t.Add(100, 10);
  grouped->SetGroupIndex(2);
  const struct {
    TGlowButton* button;
    TPoint release;
  } rows[] = {{t.button, {5, 5}}, {t.button, {5, 24}}, {t.button, {-3, 5}}, {grouped, {5, 5}}, {grouped, {5, 40}}};
  for (const auto& row : rows) {
    t.Mouse(WM_LBUTTONDOWN, 5, 5, row.button);
    EXPECT_EQ(GetCapture(), row.button->Handle());
    t.Mouse(WM_LBUTTONUP, row.release.X, row.release.Y, row.button);
    EXPECT_EQ(GetCapture(), nullptr) << row.release.X << "," << row.release.Y;
  }
}

TEST(GlowButton, SplitDropDownPart) {
  TButtons t;
  t.button->SetDropDownButton(true);
  t.Click(90 - 13, 5);  // still the face
  EXPECT_TRUE(t.dropDowns.empty());
  EXPECT_EQ(t.clicks, 1);
  t.Click(90 - 12, 5);
  EXPECT_EQ(t.dropDowns.size(), 1u);
  t.Mouse(WM_MOUSEMOVE, 90 - 12, 5);
  EXPECT_FALSE(t.button->DropDownHot());
  t.Mouse(WM_MOUSEMOVE, 90 - 11, 5);
  EXPECT_TRUE(t.button->DropDownHot());
}

TEST(GlowButton, LeavingWhileHeldPressesAgainOnReturn) {
  TButtons t;
  t.Mouse(WM_LBUTTONDOWN, 5, 5);
  t.button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(t.button));
  t.button->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(t.button));
  EXPECT_FALSE(t.button->Pressed());
  t.button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(t.button));
  EXPECT_TRUE(t.button->Pressed());
  t.Mouse(WM_LBUTTONUP, 5, 5);
}

TEST(GlowButton, DialogKeysAndAccelerator) {
  TButtons t;
  TGlowButton* cancel = t.Add(100, 10);
  cancel->SetCaption("Cancel");
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  t.button->SetDefault(true);
  t.button->SetCaption("&Create");
  t.button->SetModalResult(mrOk);
  // The focus on some other control makes the default button the active one.
  t.scene.form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(t.scene.panel));
  const struct {
    UINT msg;
    WPARAM key;
    int clicks;
    TModalResult result;
    bool handled;
  } rows[] = {
      {CM_DIALOGKEY, VK_RETURN, 1, mrOk, true},   {CM_DIALOGKEY, VK_ESCAPE, 2, mrCancel, true},
      {CM_DIALOGCHAR, 'c', 3, mrOk, true},        {CM_DIALOGCHAR, 'x', 3, mrNone, false},
      {CM_DIALOGKEY, VK_TAB, 3, mrNone, true},  // the form's: the focus moves on
  };
  for (const auto& row : rows) {
    t.scene.form->SetModalResult(mrNone);
    const LRESULT handled = t.scene.form->Perform(row.msg, row.key, 0);
    EXPECT_EQ(t.clicks, row.clicks) << row.key;
    EXPECT_EQ(t.scene.form->ModalResult(), row.result) << row.key;
    EXPECT_EQ(handled != 0, row.handled) << row.key;
  }
}

TEST(GlowButton, AClickThatFreesItsFormFreesItAfterTheHandler) {
  struct TWatch : TComponent {
    using TComponent::TComponent;
    bool freed = false;
    void Notification(TComponent*, TOperation operation) override { freed |= operation == opRemove; }
  } watch(nullptr);
  auto* form = new TForm(nullptr);
  form->SetBounds(40, 40, 120, 60);
  auto* button = new TGlowButton(form);
  button->SetParent(form);
  button->SetBounds(5, 5, 90, 24);
  bool freedInHandler = true;
  form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  button->OnClick = [&](TObject*) {
    form->Close();
    freedInHandler = watch.freed;
  };
  watch.FreeNotification(form);
  form->Show();
  PumpMessages();
  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(freedInHandler);
  PumpMessages();
  EXPECT_TRUE(watch.freed);
}

// Lists of one 16 x 16 image each: red (Images), lime (HotImages), blue (DisabledImages), yellow (the action
// list's); an action of group 1 showing image 0; a drop-down menu of one item. A click runs the action; a pop-up
// is recorded and chooses the item through the menu's own command path.
struct TLinked : TButtons {
  TImageList* images = List(clRed);
  TImageList* hot = List(clLime);
  TImageList* disabled = List(clBlue);
  TActionList* actions = new TActionList(scene.form.get());
  TAction* action = new TAction(scene.form.get());
  TPopupMenu* menu = new TPopupMenu(scene.form.get());
  TMenuItem* item = new TMenuItem(scene.form.get());
  std::vector<std::string> log;
  TPoint popup{-1, -1};

  TLinked() {
    actions->SetImages(List(clYellow));
    action->SetActionList(actions);
    action->SetGroupIndex(1);
    action->SetImageIndex(0);
    action->SetOnExecute([this](TObject*) { log.push_back("run"); });
    menu->Items().Add(item);
    item->OnClick = [this](TObject*) { log.push_back("item"); };
    button->SetCaption("");
    button->SetImages(images);
    button->SetImageIndex(0);
    button->OnClick = nullptr;
    button->SetDropDownMenu(menu);
    button->PopupDropDownMenu = [this](TPopupMenu& m, int x, int y) {
      popup = scene.panel->ScreenToClient({x, y});
      log.push_back(button->MenuShowing() && !button->Pressed() ? "popup" : "popup while pressed");
      m.DispatchCommand(item->Command());
    };
  }
  TImageList* List(TColor color) {
    auto* list = new TImageList(scene.form.get());
    FillList(*list, 16, 16, {color});
    return list;
  }
  TColor Glyph() {
    Paint();  // a button sizing itself paints at its new size from the next paint on
    return PaintedAt(button->Width() / 2, button->Height() / 2);
  }
};

TEST(GlowButton, GlyphFromTheListOfItsState) {
  const struct {
    const char* name;
    std::function<void(TLinked&)> setup;
    TColor glyph;
  } rows[] = {
      {"normal: Images", [](TLinked&) {}, clRed},
      {"hot: HotImages",
       [](TLinked& l) {
         l.button->SetHotImages(l.hot);
         l.button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(l.button));
       },
       clLime},
      {"disabled: DisabledImages as they are",
       [](TLinked& l) {
         l.button->SetDisabledImages(l.disabled);
         l.button->SetEnabled(false);
       },
       clBlue},
      {"disabled without DisabledImages: Images greyed", [](TLinked& l) { l.button->SetEnabled(false); },
       ColorToRGB(clBtnShadow)},
      {"an action with an image: its list's", [](TLinked& l) { l.button->SetAction(l.action); }, clYellow},
      {"the small size states: the list instead of the picture",
       [](TLinked& l) {
         l.button->Picture().LoadFromBytes(picture_fixture::Png(20, 20, clFuchsia));
         l.button->SetAutoSize(true);
         l.button->SetMaxButtonSizeState(bsGlyph);
       },
       clRed},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TLinked l;
    row.setup(l);
    EXPECT_EQ(l.Glyph(), row.glyph);
  }
}

TEST(GlowButton, HearsOfItsListsAndForgetsThemQuietly) {
  runtimetest::TReportCapture reports;
  using B = TCustomGlowButton;
  const std::pair<void (B::*)(TCustomImageList*), TCustomImageList* (B::*)() const> rows[] = {
      {&B::SetImages, &B::Images}, {&B::SetHotImages, &B::HotImages}, {&B::SetDisabledImages, &B::DisabledImages}};
  // Lists without an owner: only the button's own subscription tells it of their end.
  for (const auto& [set, get] : rows) {
    TLinked l;
    auto* list = new TImageList(nullptr);
    auto heard = [&l, list] {
      ValidateRect(l.button->Handle(), nullptr);
      list->Add(*controls_scene::SolidImage(16, 16, clRed));
      return GetUpdateRect(l.button->Handle(), nullptr, FALSE) != 0;
    };
    (l.button->*set)(list);
    EXPECT_TRUE(heard());
    (l.button->*set)(nullptr);
    EXPECT_FALSE(heard());
    (l.button->*set)(list);
    delete list;
    EXPECT_EQ((l.button->*get)(), nullptr);
  }
  TLinked l;  // a list still named by another property is forgotten when freed
  auto* list = new TImageList(nullptr);
  l.button->SetImages(list);
  l.button->SetHotImages(list);
  l.button->SetHotImages(nullptr);
  delete list;
  EXPECT_EQ(l.button->Images(), nullptr);
  EXPECT_TRUE(reports.Boxes.empty());
}

TEST(GlowButton, DropDownMenuAtItsCorner) {
  const struct {
    const char* name;
    std::function<void(TLinked&)> act;
    TPoint at;  // in the panel, where the button covers (10, 10)-(100, 34)
  } rows[] = {
      {"a press on the part, downwards", [](TLinked& l) { l.Mouse(WM_LBUTTONDOWN, 85, 5); }, {10, 34}},
      {"a press on the part, to the right",
       [](TLinked& l) {
         l.button->SetDropDownDirection(ddRight);
         l.Mouse(WM_LBUTTONDOWN, 85, 5);
       },
       {100, 10}},
      {"F4", [](TLinked& l) { l.button->Perform(WM_KEYDOWN, VK_F4); }, {10, 34}},
      {"the accelerator",
       [](TLinked& l) {
         l.button->SetCaption("&Create");
         l.button->Perform(CM_DIALOGCHAR, 'c');
       },
       {10, 34}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TLinked l;
    l.button->SetDropDownButton(true);
    row.act(l);
    EXPECT_EQ(l.popup, row.at);
    EXPECT_EQ(l.log, (std::vector<std::string>{"popup", "item"}));
    EXPECT_EQ(l.dropDowns.size(), 1u);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(l.button->MenuShowing());
  }
  TLinked l;  // a freed menu is forgotten, and without one F4 does nothing
  auto* menu = new TPopupMenu(nullptr);
  l.button->SetDropDownMenu(menu);
  delete menu;
  EXPECT_EQ(l.button->DropDownMenu(), nullptr);
  l.button->Perform(WM_KEYDOWN, VK_F4);
  EXPECT_TRUE(l.dropDowns.empty());
}

TEST(GlowButton, FollowsItsAction) {
  const struct {
    const char* name;
    std::function<void(TLinked&)> act;
    bool down;
    int group, image;
    bool checked;
    size_t runs;
  } rows[] = {
      {"linking copies GroupIndex onto a button without one, and ImageIndex always",
       [](TLinked& l) {
         l.button->SetImageIndex(5);
         l.button->SetAction(l.action);
       },
       false, 1, 0, false, 0},
      {"a button of a group of its own keeps it",
       [](TLinked& l) {
         l.button->SetGroupIndex(3);
         l.button->SetAction(l.action);
       },
       false, 3, 0, false, 0},
      {"Checked, GroupIndex and ImageIndex follow while the button shows the action's",
       [](TLinked& l) {
         l.button->SetAction(l.action);
         l.action->SetChecked(true);
         l.action->SetGroupIndex(2);
         l.action->SetImageIndex(4);
       },
       true, 2, 4, true, 0},
      {"values of the button's own are kept",
       [](TLinked& l) {
         l.button->SetAction(l.action);
         l.button->SetGroupIndex(7);
         l.button->SetImageIndex(8);
         l.action->SetGroupIndex(2);
         l.action->SetImageIndex(4);
       },
       false, 7, 8, false, 0},
      {"a grouped button following its action is not put down by the release",
       [](TLinked& l) {
         l.button->SetAction(l.action);
         l.Click(5, 5);
       },
       false, 1, 0, false, 1},
      {"but by an auto-checking action",
       [](TLinked& l) {
         l.action->SetAutoCheck(true);
         l.button->SetAction(l.action);
         l.Click(5, 5);
       },
       true, 1, 0, true, 1},
      {"a check button outside groups toggles through its action",
       [](TLinked& l) {
         l.action->SetGroupIndex(0);
         l.button->SetStyle(bsCheck);
         l.button->SetAction(l.action);
         l.Click(5, 5);
       },
       true, 0, 0, true, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TLinked l;
    row.act(l);
    EXPECT_EQ(l.button->Down(), row.down);
    EXPECT_EQ(l.button->GroupIndex(), row.group);
    EXPECT_EQ(l.button->ImageIndex(), row.image);
    EXPECT_EQ(l.action->Checked(), row.checked);
    EXPECT_EQ(l.log.size(), row.runs);
    if (l.button->Style() == bsButton) EXPECT_EQ(l.button->VisualState(), row.down ? 4 : 0);
  }
}

class TfrmGlowTest : public TForm {
public:
  using TForm::TForm;
};

// The create-map dialog's glow button and title label, as its layout gives them.
TEST(GlowButton, ReadFromALayoutWithTheTitleLabel) {
  RegisterAdditionalLayoutClasses();
  static const bool registered = (TLayoutRegistration<TfrmGlowTest, TForm>("TfrmGlowTest"), true);
  (void)registered;
  const char* text =
      "object frmGlowTest: TfrmGlowTest\n"
      "  object btnCreate: TGlowButton\n"
      "    Left = 132\n"
      "    Top = 96\n"
      "    Width = 90\n"
      "    Height = 24\n"
      "    BorderStyle = bsNone\n"
      "    Caption = 'Create'\n"
      "    NotesFont.Height = -11\n"
      "    NotesFont.Name = 'Tahoma'\n"
      "    Appearance.ColorHot = 15465983\n"
      "    Appearance.GradientHot = ggVertical\n"
      "    Appearance.SystemFont = False\n"
      "    Picture.Data = {89504E470D0A1A0A0000000D49484452000000040000000208060000007FA87D63000000144944"
      "4154789C63F8CFC0F01F84C1084AA1080000D9480BF52AD206300000000049454E44AE426082}\n"
      "    DropDownPosition = dpBottom\n"
      "    Images = ilGlyphs\n"
      "    HotImages = ilHot\n"
      "    DisabledImages = ilHot\n"
      "    DropDownMenu = pmMore\n"
      "    GroupIndex = 3\n"
      "    Action = actGo\n"
      "    Trimming = StringTrimmingEllipsisWord\n"
      "    Version = '1.8.0.1'\n"
      "  end\n"
      "  object ilGlyphs: TImageList\n"
      "  end\n"
      "  object ilHot: TImageList\n"
      "  end\n"
      "  object pmMore: TPopupMenu\n"
      "  end\n"
      "  object alMain: TActionList\n"
      "    object actGo: TAction\n"
      "      GroupIndex = 1\n"
      "      ImageIndex = 2\n"
      "    end\n"
      "  end\n"
      "  object ReflectionLabel3: TReflectionLabel\n"
      "    Images = ilGlyphs\n"
      "    Font.Height = -16\n"
      "    URLColor = clNavy\n"
      "    Reflection = 90\n"
      "    ReflectionAxis = -5\n"
      "    HTMLText.Strings = (\n"
      "      'New <FONT color=\"#2894FF\">C</FONT>lient Map')\n"
      "    Version = '1.0.0.2'\n"
      "  end\n"
      "end\n";
  TfrmGlowTest form(nullptr);
  TLayoutReadError error;
  ASSERT_TRUE(ReadLayout(form, text, "glow.lay", error)) << error.Text();
  auto* button = dynamic_cast<TGlowButton*>(form.FindComponent("btnCreate"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->BoundsRect(), (TRect{132, 96, 222, 120}));
  EXPECT_EQ(button->BorderStyle(), bsNone);
  EXPECT_EQ(button->NotesFont().Height(), -11);
  EXPECT_EQ(button->Appearance().ColorHot, 15465983u);
  EXPECT_EQ(button->Appearance().GradientHot, ggVertical);
  EXPECT_FALSE(button->Appearance().SystemFont());
  EXPECT_FALSE(button->Picture().Empty());
  EXPECT_EQ(button->DropDownPosition(), dpBottom);
  EXPECT_EQ(button->Trimming(), Gdiplus::StringTrimmingEllipsisWord);
  TComponent* glyphs = form.FindComponent("ilGlyphs");
  TComponent* hot = form.FindComponent("ilHot");
  ASSERT_TRUE(glyphs && hot);
  EXPECT_EQ(button->Images(), glyphs);
  EXPECT_EQ(button->HotImages(), hot);
  EXPECT_EQ(button->DisabledImages(), hot);
  EXPECT_EQ(button->DropDownMenu(), form.FindComponent("pmMore"));
  EXPECT_EQ(button->Action(), form.FindComponent("actGo"));
  EXPECT_EQ(button->GroupIndex(), 1);  // read from a layout, the action's group wins
  EXPECT_EQ(button->ImageIndex(), 2);
  auto* label = dynamic_cast<TReflectionLabel*>(form.FindComponent("ReflectionLabel3"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->HTMLText().Text(), "New <FONT color=\"#2894FF\">C</FONT>lient Map\r\n");
  EXPECT_EQ(label->URLColor(), clNavy);
  EXPECT_EQ(label->Reflection(), 90);
  EXPECT_EQ(label->ReflectionAxis(), -5);
  EXPECT_EQ(label->Caption(), "");
  EXPECT_EQ(label->Images(), glyphs);
}

}  // namespace
