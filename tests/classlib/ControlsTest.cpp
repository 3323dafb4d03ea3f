#include <gtest/gtest.h>

#include <memory>

#include "classlib/Controls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/core/SysUtils.h"
#include "tests/classlib/ControlsTestScene.h"

using namespace controls_test;

namespace {

TEST(Controls, WindowlessChildrenPaintInZOrderClippedToTheirBounds) {
  SwatchScene s;
  struct Row {
    const char* step;
    std::function<void(SwatchScene&)> change;
    std::vector<std::pair<TPoint, TColor>> pixels;
  };
  const Row rows[] = {
      {"initial", [](SwatchScene&) {},
       {{{20, 20}, clRed}, {{40, 40}, clBlue}, {{60, 60}, clBlue}, {{5, 5}, clWhite}, {{75, 75}, clWhite},
        {{55, 20}, clWhite}}},
      {"A brought to front", [](SwatchScene& sc) { sc.a->BringToFront(); },
       {{{40, 40}, clRed}, {{60, 60}, clBlue}}},
      {"A hidden", [](SwatchScene& sc) { sc.a->Hide(); }, {{{20, 20}, clWhite}, {{40, 40}, clBlue}}},
      {"B moved", [](SwatchScene& sc) { sc.b->SetBounds(0, 0, 10, 10); },
       {{{5, 5}, clBlue}, {{40, 40}, clWhite}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.step);
    row.change(s);
    for (const auto& [p, color] : row.pixels) EXPECT_EQ(s.PaintedPixel(p.X, p.Y), color) << p.X << "," << p.Y;
  }
}

TEST(Controls, WindowlessChildrenGetClicksEnterLeaveAndCapture) {
  struct Row {
    const char* name;
    std::function<void(SwatchScene&)> act;
    TLog expected;
  };
  const Row rows[] = {
      {"click on B in its own coordinates",
       [](SwatchScene& s) {
         s.Mouse(WM_LBUTTONDOWN, 40, 45, MK_LBUTTON);
         s.Mouse(WM_LBUTTONUP, 41, 45);
       },
       {"B down 10,15", "B click", "B up 11,15"}},
      {"click where only A is",
       [](SwatchScene& s) {
         s.Mouse(WM_LBUTTONDOWN, 15, 15, MK_LBUTTON);
         s.Mouse(WM_LBUTTONUP, 15, 15);
       },
       {"A down 5,5", "A click", "A up 5,5"}},
      {"capture keeps the moves and the release; released outside there is no click",
       [](SwatchScene& s) {
         s.Mouse(WM_LBUTTONDOWN, 60, 60, MK_LBUTTON);
         EXPECT_EQ(GetCaptureControl(), s.b);
         s.Mouse(WM_MOUSEMOVE, 90, 5, MK_LBUTTON);
         s.Mouse(WM_LBUTTONUP, 90, 5);
         EXPECT_EQ(GetCaptureControl(), nullptr);
       },
       {"B down 30,30", "B move 60,-25", "B up 60,-25"}},
      {"enter and leave follow the topmost child under the mouse",
       [](SwatchScene& s) {
         s.Mouse(WM_MOUSEMOVE, 15, 15);
         s.Mouse(WM_MOUSEMOVE, 16, 15);
         s.Mouse(WM_MOUSEMOVE, 40, 40);
         s.Mouse(WM_MOUSEMOVE, 90, 75);
         s.Mouse(WM_MOUSEMOVE, 60, 60);
         SendMessageA(s.panel->Handle(), WM_MOUSELEAVE, 0, 0);
       },
       {"A enter", "A move 5,5", "A move 6,5", "A leave", "B enter", "B move 10,10", "B leave", "B enter",
        "B move 30,30", "B leave"}},
      {"a disabled child lets the click through to what lies below",
       [](SwatchScene& s) {
         s.b->SetEnabled(false);
         s.Mouse(WM_LBUTTONDOWN, 40, 40, MK_LBUTTON);
         s.Mouse(WM_LBUTTONUP, 40, 40);
       },
       {"A down 30,30", "A click", "A up 30,30"}},
      {"a child refusing the hit test does too",
       [](SwatchScene& s) {
         s.b->RefuseHitTest = true;
         s.Mouse(WM_LBUTTONDOWN, 40, 40, MK_LBUTTON);
         s.Mouse(WM_LBUTTONUP, 40, 40);
       },
       {"A down 30,30", "A click", "A up 30,30"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SwatchScene s;
    row.act(s);
    EXPECT_EQ(s.log, row.expected);
  }
}

TEST(Controls, AlignAndAnchorsPlaceChildren) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 200, 100);
  auto make = [&](TAlign align, TRect r) {
    auto* p = new TPanel(&form);
    p->SetParent(&form);
    p->SetBoundsRect(r);
    p->SetAlign(align);
    return p;
  };
  TPanel* top = make(alTop, {0, 0, 50, 20});
  TPanel* bottom = make(alBottom, {0, 0, 50, 10});
  TPanel* left = make(alLeft, {0, 0, 30, 50});
  TPanel* right = make(alRight, {0, 0, 40, 50});
  TPanel* client = make(alClient, {0, 0, 5, 5});
  TPanel* top2 = make(alTop, {0, 25, 50, 30});  // below the first one: stays second
  const struct {
    TPanel* panel;
    TRect rect;
  } rows[] = {
      {top, {0, 0, 200, 20}},    {top2, {0, 20, 200, 25}},  {bottom, {0, 90, 200, 100}},
      {left, {0, 25, 30, 90}},   {right, {160, 25, 200, 90}}, {client, {30, 25, 160, 90}},
  };
  for (const auto& row : rows) EXPECT_EQ(row.panel->BoundsRect(), row.rect) << row.panel->Name();

  auto* anchored = new TPanel(&form);
  anchored->SetAlign(alNone);
  anchored->SetBounds(100, 30, 20, 10);
  anchored->SetAnchors({akRight, akBottom});
  anchored->SetParent(&form);
  auto* stretched = new TPanel(&form);
  stretched->SetBounds(10, 30, 50, 10);
  stretched->SetAnchors({akLeft, akTop, akRight});
  stretched->SetParent(&form);
  form.SetBounds(0, 0, 260, 120);
  EXPECT_EQ(anchored->BoundsRect(), (TRect{160, 50, 180, 60}));
  EXPECT_EQ(stretched->BoundsRect(), (TRect{10, 30, 120, 40}));
  EXPECT_EQ(client->BoundsRect(), (TRect{30, 25, 220, 110}));
}

TEST(Controls, AnExceptionInAHandlerIsReportedAndTheWindowKeepsWorking) {
  TReportRecorder reports;
  SwatchScene s;
  int clicks = 0;
  s.b->OnClick = [&](TObject*) {
    if (++clicks == 1) throw Exception("handler failed");
  };
  for (int i = 0; i < 2; ++i) {
    s.Mouse(WM_LBUTTONDOWN, 40, 40, MK_LBUTTON);
    s.Mouse(WM_LBUTTONUP, 40, 40);
  }
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(reports.Exceptions, (std::vector<std::string>{"handler failed"}));
  EXPECT_EQ(GetCaptureControl(), nullptr);
  // Painting still works after the failure.
  EXPECT_EQ(s.PaintedPixel(40, 40), clBlue);
}

TEST(Controls, ComponentMessagesTellChangesToTheControlAndItsChildren) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  TLog log;
  auto* child = new TSwatch(&form, panel, "C", {0, 0, 5, 5}, clRed, log);
  child->SetParentColor(true);
  EXPECT_EQ(child->Color(), panel->Color());
  panel->SetColor(clYellow);
  EXPECT_EQ(child->Color(), clYellow);
  EXPECT_TRUE(child->ParentColor());
  child->SetColor(clGreen);
  EXPECT_FALSE(child->ParentColor());
  panel->SetColor(clAqua);
  EXPECT_EQ(child->Color(), clGreen);

  EXPECT_TRUE(child->ParentFont());
  panel->Font().SetName("Arial");
  EXPECT_EQ(child->Font().Name(), "Arial");
  EXPECT_TRUE(child->ParentFont());
  child->Font().SetHeight(-20);
  EXPECT_FALSE(child->ParentFont());
  panel->Font().SetName("Tahoma");
  EXPECT_EQ(child->Font().Name(), "Arial");
}

// A standard push button, subclassed: its own procedure runs underneath ours.
class TStdButton : public TWinControl {
public:
  TStdButton(TComponent* owner, TLog& log) : TWinControl(owner), log_(log) {
    // A standard control tracks its own mouse capture.
    controlStyle_ = controlStyle_ - TControlStyle{csCaptureMouse, csClickEvents};
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) log_.push_back("clicked " + Text());
    TWinControl::WndProc(m);
  }

protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.SysClassName = "BUTTON";
    p.Style |= BS_PUSHBUTTON;
  }

private:
  TLog& log_;
};

TEST(Controls, NotificationsComeBackToTheStandardControlThatSentThem) {
  SwatchScene s;
  auto* button = new TStdButton(s.form.get(), s.log);
  button->SetParent(s.panel);
  button->SetBounds(75, 5, 20, 20);
  button->SetCaption("Go");
  ASSERT_TRUE(button->HandleAllocated());
  char text[16] = {};
  GetWindowTextA(button->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Go");
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_EQ(s.log, (TLog{"clicked Go"}));
  button->SetCaption("Stop");
  GetWindowTextA(button->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Stop");
}

TEST(Controls, MessageNumbersStayClearOfThePrivateOnes) {
  for (UINT m = CM_BASE; m <= CM_LAST; ++m) {
    EXPECT_NE(m, 9249u);
    EXPECT_NE(m, 0xB3E8u);
    EXPECT_NE(m, 0xB3E9u);
  }
  EXPECT_LT(CM_LAST, CN_BASE);
}

TEST(Controls, AFormsLifeLeavesNoGdiObjectBehind) {
  auto life = [] {
    SwatchScene s;
    s.PaintedPixel(1, 1);
    s.panel->Font().SetHeight(-15);
    s.panel->SetCaption("text");
    s.panel->Repaint();
    s.a->Canvas().Brush().SetColor(clLime);
    s.a->Canvas().FillRect({0, 0, 3, 3});  // outside painting: a fetched DC, released after the message
    TControlCanvas::FreeDeviceContexts();
    PumpMessages();
  };
  // Windows' DCs come from a system cache that may, at a moment that depends on timing, grow once by an entry (a
  // DC with its bitmap and region). A leak grows with every life, so over kLives lives it adds at least kLives.
  constexpr DWORD kLives = 6;
  const DWORD before = SettledGdiObjectCount(life);
  ASSERT_GT(before, 0u) << "this platform does not count GDI objects";
  for (DWORD i = 0; i < kLives; ++i) life();
  const DWORD after = GdiObjectCount();
  EXPECT_LT(static_cast<long>(after) - static_cast<long>(before), static_cast<long>(kLives))
      << "before " << before << ", after " << after;
}

}  // namespace
