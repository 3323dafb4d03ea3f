#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Themes.h"
#include "classlib/Timer.h"
#include "sddcontrols/unSDDBckgnd.h"
#include "sddcontrols/unSDDCommonComponents.h"
#include "sddcontrols/unSDDLayoutClasses.h"
#include "sddcontrols/unSDDPanel.h"
#include "sddcontrols/unSDDStatus.h"
#include "tests/sddcontrols/SDDTestScene.h"

using namespace sdd_test;

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

// A control without the client interface that publishes some frame properties: it records what it is given.
class TFramedProbe : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  std::vector<std::string> Writes;
  void SetFrameColor(TColor v) { Writes.push_back("FrameColor=" + std::to_string(v)); }
  void SetFrameSides(TSides v) { Writes.push_back("FrameSides=" + std::to_string(v.Bits())); }
  void SetFrameStyle(TFrameStyle v) { Writes.push_back("FrameStyle=" + std::to_string(v)); }
  void SetProbeColor(TColor v) { Writes.push_back("Color=" + std::to_string(v)); }
  static void Register() {
    RegisterSDDLayoutClasses();
    static bool done = (TLayoutRegistration<TFramedProbe, TGraphicControl>("TFramedProbe")
                            .Property("FrameColor", &TFramedProbe::SetFrameColor)
                            .Property("FrameSides", &TFramedProbe::SetFrameSides)
                            .Property("FrameStyle", &TFramedProbe::SetFrameStyle)
                            .Property("Color", &TFramedProbe::SetProbeColor),
                        true);
    (void)done;
  }
};

TEST(SDDFrameController, PushesByNameOrThroughTheClientInterface) {
  TFramedProbe::Register();
  TFormScene scene;
  TSDDFrameController controller(nullptr);
  auto* probe = new TFramedProbe(scene.form.get());
  controller.RegisterClient(probe);
  controller.RegisterClient(probe);
  // Everything once, in the published order, the colour only while the parent colour is not taken.
  EXPECT_EQ(probe->Writes, (std::vector<std::string>{"Color=" + std::to_string(clWindow),
                                                     "FrameColor=" + std::to_string(clBtnShadow), "FrameSides=15",
                                                     "FrameStyle=1"}));
  probe->Writes.clear();
  controller.SetColor(clWindow);  // unchanged: nothing
  controller.SetFocusColor(clWindow);
  controller.SetColor(kRed);      // the focus colour followed
  EXPECT_EQ(controller.FocusColor(), kRed);
  controller.SetParentColor(true);
  controller.NotifyClients(TSDDFrameController::piColor);
  controller.NotifyClients(TSDDFrameController::piAll);
  controller.NotifyClients(15);
  EXPECT_EQ(probe->Writes.size(), 2u + 3u);
  probe->Writes.clear();
  controller.BeginUpdate();
  controller.SetFrameStyle(fsLowered);
  controller.SetFrameColor(kBlue);
  EXPECT_TRUE(probe->Writes.empty());
  controller.EndUpdate();
  EXPECT_EQ(probe->Writes.size(), 3u);

  controller.SetFrameHotTrack(true);
  EXPECT_TRUE(controller.FrameVisible());

  // A panel implements the interface: it takes the look itself, and never by name.
  auto* panel = new TSDDPanel(scene.form.get());
  panel->SetParent(scene.form.get());
  panel->SetFrameController(&controller);
  EXPECT_EQ(panel->BorderOuter(), fsLowered);
  EXPECT_EQ(panel->FlatColor(), kBlue);
  EXPECT_EQ(panel->FlatColorAdjustment(), 0);
  EXPECT_EQ(controller.ClientCount(), 2);
  delete panel;
  EXPECT_EQ(controller.ClientCount(), 1);
  {
    TSDDFrameController gone(nullptr);
    auto* pane = new TSDDStatusPane(scene.form.get());
    pane->SetFrameController(&gone);
    gone.SetFrameVisible(true);
    gone.SetFrameStyle(fsPopup);
    EXPECT_EQ(pane->FrameStyle(), fsPopup);
    delete pane;
    EXPECT_EQ(gone.ClientCount(), 0);
  }
}

TEST(SDDLayouts, EveryClassReadsWithOldPropertiesMapped) {
  RegisterSDDLayoutClasses();
  TFormScene scene;
  const std::string text = R"(object F: TForm
  object Look: TSDDFrameController
    FrameFlat = True
    FrameFlatStyle = fsBump
  end
  object Focus: TSDDFrameController
    FrameFocusStyle = fsRaised
    RegIniFile = Where
  end
  object Where: TSDDRegIniFile
    Path = 'x.ini'
    RegAccess = [keyRead, keyWrite]
  end
  object Sep: TSDDSeparator
    Orientation = orVertical
    HighlightLocation = hlUpperLeft
    Color = 15000794
  end
  object Back: TSDDPanel
    BorderOuter = fsFlatRounded
    BorderSides = [sdLeft, sdTop]
    FrameSides = [sdLeft]
    GridStyle = gsVS2K10Dots
    VS2K10GridColor = clBlack
    FrameController = Look
  end
  object Bar: TSDDStatusBar
    Height = 40
    SimpleFrameStyle = fsLowered
    object Pane: TSDDStatusPane
      Caption = '-'
      Alignment = taCenter
      BlinkIntervalOn = 300
      FrameStyle = fsStatus
    end
  end
end
)";
  TLayoutReadError error;
  ASSERT_TRUE(scene.form->LoadLayoutText(text, "test", error)) << error.Text();
  auto* look = dynamic_cast<TSDDFrameController*>(scene.form->FindComponent("Look"));
  auto* focus = dynamic_cast<TSDDFrameController*>(scene.form->FindComponent("Focus"));
  auto* sep = dynamic_cast<TSDDSeparator*>(scene.form->FindComponent("Sep"));
  auto* back = dynamic_cast<TSDDPanel*>(scene.form->FindComponent("Back"));
  auto* bar = dynamic_cast<TSDDStatusBar*>(scene.form->FindComponent("Bar"));
  auto* pane = dynamic_cast<TSDDStatusPane*>(scene.form->FindComponent("Pane"));
  ASSERT_TRUE(look && focus && sep && back && bar && pane);
  EXPECT_TRUE(look->FrameHotTrack());
  EXPECT_EQ(look->FrameStyle(), fsStatus);
  EXPECT_EQ(look->FrameHotStyle(), fsLowered);
  EXPECT_EQ(focus->FrameHotStyle(), fsRaised);
  EXPECT_EQ(focus->RegIniFile(), scene.form->FindComponent("Where"));
  // Loading does not swap the separator's sides; its gradient follows the colour read.
  EXPECT_EQ(sep->Width(), 200);
  EXPECT_EQ(sep->GradientDirection(), gdHorizontalEnd);
  EXPECT_EQ(sep->GradientEnd(), TColor(15000794));
  EXPECT_EQ(back->FrameController(), look);
  EXPECT_EQ(back->BorderOuter(), fsStatus);  // the controller's visible frame replaces what was read
  EXPECT_EQ(back->BorderSides(), AllSides);
  EXPECT_EQ(bar->Height(), 19);               // the automatic style after loading
  EXPECT_EQ(pane->Caption(), "-");
  EXPECT_EQ(pane->BlinkIntervalOn(), 300);
  pane->SetBlinkIntervalOn(500);

  TLayoutReadError wrong;
  EXPECT_FALSE(scene.form->LoadLayoutText("object F: TForm\n object P: TSDDPanel\n  FrameSides = 3\n end\nend\n",
                                          "wrong", wrong));
  EXPECT_EQ(wrong.Line, 3);
}

TEST(SDDSeparator, TurnsAndFadesIntoItsHighlight) {
  TClassicThemesScope classic;
  TFormScene scene;
  auto* sep = new TSDDSeparator(scene.form.get());
  sep->SetParent(scene.form.get());
  sep->SetParentColor(false);
  sep->SetColor(kRed);
  sep->SetHighlightColor(kBlue);
  sep->SetOrientation(orVertical);
  EXPECT_EQ(sep->BoundsRect(), (TRect{0, 0, 2, 200}));
  TCanvasScene shot(2, 200);
  sep->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas().Handle()));
  EXPECT_EQ(shot.At(0, 101), kBlue);  // brightest in the middle row
  EXPECT_EQ(shot.At(1, 101), kBlue);
  sep->SetOrientation(orHorizontal);
  sep->SetBounds(0, 0, 200, 0);
  sep->SetHighlightLocation(hlLowerRight);
  TCanvasScene line(200, 1);
  sep->Perform(WM_PAINT, reinterpret_cast<WPARAM>(line.Canvas().Handle()));
  EXPECT_EQ(sep->Height(), 1);
  EXPECT_EQ(line.At(199, 0), kBlue);
  EXPECT_EQ(line.Count(kMarker), 0);
}

struct PaneScene : TFormScene {
  TClassicThemesScope classic;
  TSDDStatusBar* bar = new TSDDStatusBar(form.get());
  TSDDStatusPane* pane = new TSDDStatusPane(form.get());
  TSDDStatusPane* quiet = new TSDDStatusPane(form.get());
  TCanvasScene shot;
  PaneScene() {
    bar->SetParent(form.get());
    for (TSDDStatusPane* p : {pane, quiet}) {
      p->SetParent(bar);
      p->SetAlign(alLeft);
      p->SetParentColor(false);
      p->SetColor(kGreen);
      p->Font().SetColor(kRed);
    }
    pane->SetCaption("WWW");
    PumpMessages();
  }
  TCanvasScene& Paint() {
    shot.image.SetSize(pane->Width(), pane->Height());
    pane->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas().Handle()));
    return shot;
  }
};

TEST(SDDStatusPane, FramesSizesAndDisabledText) {
  PaneScene s;
  s.pane->SetFlatColor(kBlue);
  s.pane->SetFlatColorAdjustment(0);
  TCanvasScene& shot = s.Paint();  // border 1: the open flat frame over (1, 1, w - 1, h - 1)
  EXPECT_EQ(shot.At(0, 0), kGreen);
  EXPECT_EQ(shot.At(1, 1), kGreen);
  EXPECT_EQ(shot.At(1, 2), kBlue);
  EXPECT_EQ(shot.At(2, 1), kBlue);
  EXPECT_GT(shot.Count(kRed), 10);
  s.pane->SetFrameStyle(fsStatus);
  EXPECT_EQ(s.Paint().At(1, 1), Rgb(clBtnShadow));
  EXPECT_EQ(s.pane->GetTextRect(), (TRect{2, 2, s.pane->Width() - 2, s.pane->Height() - 2}));

  s.pane->SetEnabled(false);
  EXPECT_EQ(s.Paint().Count(kRed), 0);
  EXPECT_GT(s.shot.Count(Rgb(clBtnHighlight)), 10);

  TCanvasScene measure;
  measure.Canvas().Font().Assign(&s.pane->Font());
  const int textWidth = measure.Canvas().TextWidth("WWW");
  s.pane->SetAutoSize(true);
  EXPECT_EQ(s.pane->Width(), textWidth + 2 * 1 + 2 + 6);
  s.pane->SetCaption("");
  EXPECT_EQ(s.pane->Width(), 40);
}

TEST(SDDStatusPane, BlinksAtTheTicksItIsGiven) {
  PaneScene s;
  TSDDBlinkingControlsList* list = TSDDBlinkingControlsList::Instance();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Count(), 2);
  EXPECT_TRUE(list->Timer().Enabled());  // ticking with nothing blinking
  EXPECT_EQ(list->Timer().Interval(), 500u);
  s.quiet->SetBlinkIntervalOff(300);
  EXPECT_EQ(s.pane->BlinkIntervalOff(), 300);
  s.pane->SetBlinkColor(kBlue);
  s.pane->SetBlinking(true);
  struct Step {
    bool state;
    unsigned interval;
    TColor text;
  };
  for (Step step : {Step{false, 300, kRed}, Step{true, 500, kBlue}, Step{false, 300, kRed}, Step{true, 500, kBlue}}) {
    list->Tick();
    EXPECT_EQ(list->BlinkState(), step.state);
    EXPECT_EQ(list->Timer().Interval(), step.interval);
    EXPECT_EQ(s.pane->TextColor(), step.text);
    EXPECT_EQ(s.quiet->TextColor(), kRed);
  }
  EXPECT_GT(s.Paint().Count(kBlue), 10);
  s.pane->SetBlinking(false);  // the font colour at once
  EXPECT_EQ(s.pane->TextColor(), kRed);
  s.quiet->SetBlinkIntervalOff(500);
  s.form.reset();
  EXPECT_EQ(TSDDBlinkingControlsList::Instance(), nullptr);
}

}  // namespace
