#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/core/LayoutReader.h"
#include "controls/AdditionalLayoutClasses.h"
#include "controls/SDXProgress.h"
#include "controls/pngextra.h"
#include "tests/controls/ControlsSceneSupport.h"

using namespace controls_scene;

namespace {

// The form the layout resource ADDITIONALTESTFORM describes.
class TfrmAdditionalTest : public TForm {
public:
  explicit TfrmAdditionalTest(TComponent* owner) : TForm(owner) {
    Register();
    LoadLayout("ADDITIONALTESTFORM");
  }
  std::vector<std::string> Calls;
  void ModeClick(TObject* sender) { Calls.push_back("click " + static_cast<TComponent*>(sender)->Name()); }
  void ModeEnter(TObject*) { Calls.push_back("enter"); }
  void ModeExit(TObject*) { Calls.push_back("exit"); }
  void BarEnter(TObject*) { Calls.push_back("bar enter"); }
  void BarLeave(TObject*) { Calls.push_back("bar leave"); }
  void BarParentColor(TObject*) { Calls.push_back("bar parent colour"); }

  static void Register() {
    RegisterAdditionalLayoutClasses();
    static bool done = (TLayoutRegistration<TfrmAdditionalTest, TForm>("TfrmAdditionalTest")
                            .Handler("ModeClick", &TfrmAdditionalTest::ModeClick)
                            .Handler("ModeEnter", &TfrmAdditionalTest::ModeEnter)
                            .Handler("ModeExit", &TfrmAdditionalTest::ModeExit)
                            .Handler("BarEnter", &TfrmAdditionalTest::BarEnter)
                            .Handler("BarLeave", &TfrmAdditionalTest::BarLeave)
                            .Handler("BarParentColor", &TfrmAdditionalTest::BarParentColor),
                        true);
    (void)done;
  }
};

TEST(AdditionalLayout, ButtonAndBarReadWithEveryProperty) {
  TfrmAdditionalTest form(nullptr);
  auto* button = dynamic_cast<TPNGButton*>(form.FindComponent("btnMode"));
  auto* bar = dynamic_cast<TSDXProgress*>(form.FindComponent("pbTotal"));
  ASSERT_TRUE(button && bar);

  EXPECT_EQ(button->BoundsRect(), (TRect{8, 8, 68, 48}));
  EXPECT_EQ(button->Caption(), "Draw");
  EXPECT_EQ(button->Hint(), "Draw mode");
  EXPECT_TRUE(button->ShowHint());
  EXPECT_FALSE(button->ParentShowHint());
  EXPECT_EQ(button->TextMargin(), 7);
  EXPECT_EQ(button->ButtonLayout(), pbsImageLeft);
  EXPECT_EQ(button->ButtonStyle(), pbsFlat);
  EXPECT_TRUE(button->ButtonGroupMode());
  EXPECT_TRUE(button->Checked());
  EXPECT_EQ(button->ImageNormal().Width(), 16);
  EXPECT_FALSE(button->ImageNormal().IsPalette());
  // The disabled image follows the image read from the layout.
  EXPECT_EQ(button->ImageNormal().Image().Pixel(8, 8).A, 255);
  EXPECT_EQ(button->DisabledImage().Image().Pixel(8, 8).A, 85);
  EXPECT_EQ(button->DisabledImage().Image().Pixel(0, 0).A, 0);

  EXPECT_EQ(bar->BoundsRect(), (TRect{8, 60, 413, 75}));
  EXPECT_EQ(bar->BorderStyle(), bsSingle);
  EXPECT_EQ(bar->Color(), clWhite);
  EXPECT_EQ(bar->StartColor(), clRed);
  EXPECT_EQ(bar->EndColor(), clBlue);
  EXPECT_FALSE(bar->GradientBlocks());
  EXPECT_EQ(bar->Minimum(), 10);
  EXPECT_EQ(bar->Maximum(), 10000000000);
  EXPECT_EQ(bar->Position(), 5000000005);
  EXPECT_EQ(bar->Step(), 10);
  EXPECT_EQ(bar->TextOption(), toFormat);
  EXPECT_TRUE(bar->TextCentered());
  EXPECT_EQ(bar->HintColor(), clYellow);
  EXPECT_EQ(bar->DisplayText(), "Total 50%");
  // The geometry waits for the whole layout: 201 of 403 columns make 20 blocks.
  EXPECT_EQ(bar->Geometry(), (TProgressGeometry{200, 10, 20, false, 0}));

  // Bound events fire: enter, click and exit through the form's window; the bar's own notifications.
  controls_test::TParkedCursor parked;  // so that only the moves below reach the form's controls
  form.Show();
  PumpMessages();
  form.Calls.clear();
  HWND wnd = form.Handle();
  auto mouse = [&](UINT msg, int x, int y, WPARAM keys) {
    TPoint screen = form.ClientToScreen({x, y});
    SetCursorPos(screen.X, screen.Y);
    PostMessageA(wnd, msg, keys, MAKELPARAM(x, y));
    PumpMessages();
  };
  mouse(WM_MOUSEMOVE, 20, 20, 0);
  mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  mouse(WM_LBUTTONUP, 20, 20, 0);
  mouse(WM_MOUSEMOVE, 100, 65, 0);
  mouse(WM_MOUSEMOVE, 300, 100, 0);
  form.SetColor(clGreen);      // told to every child, whether it takes the colour or not
  bar->SetParentColor(true);  // and once more when the bar starts taking it
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"enter", "click btnMode", "exit", "bar enter", "bar leave",
                                                  "bar parent colour", "bar parent colour"}));
  EXPECT_EQ(bar->Color(), clGreen);
}

}  // namespace
