#include <gtest/gtest.h>

#include <memory>

#include "classlib/Controls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/core/SysUtils.h"
#include "tests/classlib/ControlsTestSupport.h"
#include "tests/classlib/RuntimeTestSupport.h"

using namespace controls_test;

namespace {

using TLog = std::vector<std::string>;

// A windowless square of its colour that logs its mouse input. It paints beyond its bounds on purpose: the
// parent must clip it.
class TSwatch : public TGraphicControl {
public:
  TSwatch(TPanel* parent, const std::string& name, TRect bounds, TColor color, TLog& log)
      : TGraphicControl(parent->Owner()), log_(log) {
    SetName(name);
    SetParent(parent);
    SetBoundsRect(bounds);
    SetColor(color);
    controlStyle_.Include(csOpaque);
    OnClick = [this](TObject*) { Log("click"); };
    OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) { Log("down", x, y); };
    OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) { Log("up", x, y); };
    OnMouseMove = [this](TObject*, TShiftState, int x, int y) { Log("move", x, y); };
  }

  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case CM_MOUSEENTER: return Log("enter");
      case CM_MOUSELEAVE: return Log("leave");
      default: return TGraphicControl::WndProc(m);
    }
  }

protected:
  void Paint() override {
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect({-10, -10, Width() + 10, Height() + 10});
  }

private:
  void Log(const std::string& what) { log_.push_back(Name() + " " + what); }
  void Log(const std::string& what, int x, int y) { Log(what + " " + std::to_string(x) + "," + std::to_string(y)); }
  TLog& log_;
};

// A borderless form at (0, 0) holding a white 100 x 80 panel with two overlapping swatches: A red (10,10)-(50,50)
// and B blue (30,30)-(70,70), B above A.
struct SwatchScene {
  TParkedCursor parked;  // first in, last out
  TLog log;
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TPanel* panel = new TPanel(form.get());
  TSwatch* a;
  TSwatch* b;

  SwatchScene() {
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 120, 100);
    panel->SetParent(form.get());
    panel->SetBevelOuter(bvNone);
    panel->SetBounds(0, 0, 100, 80);
    panel->SetColor(clWhite);
    a = new TSwatch(panel, "A", {10, 10, 50, 50}, clRed, log);
    b = new TSwatch(panel, "B", {30, 30, 70, 70}, clBlue, log);
    form->Show();
    PumpMessages();
  }

  // The panel painted through WM_PAINT into a bitmap's DC, as a parent's image is painted for a child.
  TColor PaintedPixel(int x, int y) {
    TBitmap bmp;
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(100, 80);
    SendMessageA(panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(bmp.Canvas().Handle()), 0);
    return PixelAt(bmp, x, y);
  }

  void Mouse(UINT msg, int x, int y, WPARAM keys) { SendMessageA(panel->Handle(), msg, keys, MAKELPARAM(x, y)); }
};

TEST(Controls, WindowlessChildrenPaintInZOrderClippedToTheirBounds) {
  SwatchScene s;
  const struct {
    const char* step;
    std::function<void(SwatchScene&)> change;
    std::vector<std::pair<TPoint, TColor>> pixels;
  } rows[] = {
      {"initial", [](SwatchScene&) {},
       {{{20, 20}, clRed}, {{40, 40}, clBlue}, {{60, 60}, clBlue}, {{5, 5}, clWhite}, {{75, 75}, clWhite},
        {{55, 20}, clWhite}}},
      {"A brought to front", [](SwatchScene& sc) { sc.a->BringToFront(); }, {{{40, 40}, clRed}, {{60, 60}, clBlue}}},
      {"A hidden", [](SwatchScene& sc) { sc.a->Hide(); }, {{{20, 20}, clWhite}, {{40, 40}, clBlue}}},
      {"B moved", [](SwatchScene& sc) { sc.b->SetBounds(0, 0, 10, 10); }, {{{5, 5}, clBlue}, {{40, 40}, clWhite}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.step);
    row.change(s);
    for (const auto& [p, color] : row.pixels) EXPECT_EQ(s.PaintedPixel(p.X, p.Y), color) << p.X << "," << p.Y;
  }
}

// Mouse messages sent to the panel reach the windowless child under them, in its own coordinates. No exception
// leaves a window procedure: a handler's is reported and the window goes on working.
TEST(Controls, WindowlessChildrenGetClicksEnterLeaveAndCapture) {
  enum TSetUp { Plain, BDisabled, BThrowsOnce };
  struct TMouse {
    UINT msg;
    int x, y;
    WPARAM keys;
  };
  constexpr WPARAM L = MK_LBUTTON;
  const std::vector<TMouse> click40 = {{WM_LBUTTONDOWN, 40, 40, L}, {WM_LBUTTONUP, 40, 40, 0}};
  const struct {
    const char* name;
    TSetUp setUp;
    std::vector<TMouse> input;
    TLog expected;
  } rows[] = {
      {"click on B", Plain, click40, {"B down 10,10", "B click", "B up 10,10"}},
      {"capture keeps moves and release; released outside there is no click", Plain,
       {{WM_LBUTTONDOWN, 60, 60, L}, {WM_MOUSEMOVE, 90, 5, L}, {WM_LBUTTONUP, 90, 5, 0}},
       {"B down 30,30", "B move 60,-25", "B up 60,-25"}},
      {"enter and leave follow the topmost child under the mouse", Plain,
       {{WM_MOUSEMOVE, 15, 15, 0}, {WM_MOUSEMOVE, 16, 15, 0}, {WM_MOUSEMOVE, 40, 40, 0}, {WM_MOUSEMOVE, 90, 75, 0},
        {WM_MOUSEMOVE, 60, 60, 0}, {WM_MOUSELEAVE, 0, 0, 0}},
       {"A enter", "A move 5,5", "A move 6,5", "A leave", "B enter", "B move 10,10", "B leave", "B enter",
        "B move 30,30", "B leave"}},
      {"a disabled child lets the click through", BDisabled, click40, {"A down 30,30", "A click", "A up 30,30"}},
      {"a click handler that throws: that message goes no further, the next click works", BThrowsOnce,
       {click40[0], click40[1], click40[0], click40[1]}, {"B down 10,10", "B down 10,10", "B click", "B up 10,10"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    runtimetest::TReportCapture reports;
    SwatchScene s;
    s.b->SetEnabled(row.setUp != BDisabled);
    int clicks = 0;
    if (row.setUp == BThrowsOnce)
      s.b->OnClick = [&](TObject*) {
        if (clicks++ == 0) throw Exception("handler failed");
        s.log.push_back("B click");
      };
    for (const TMouse& m : row.input) s.Mouse(m.msg, m.x, m.y, m.keys);
    EXPECT_EQ(s.log, row.expected);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(reports.Reports.size(), row.setUp == BThrowsOnce ? 1u : 0u);
    EXPECT_EQ(s.PaintedPixel(40, 40), clBlue);  // painting goes on
  }
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
  // The system's cache of window DCs may grow once, at a moment that depends on timing, by an entry (a DC with its
  // bitmap and region). A leak grows with every life, so over kLives lives it adds at least kLives.
  constexpr long kLives = 6;
  const DWORD before = SettledGdiObjectCount(life);
  ASSERT_GT(before, 0u) << "this platform does not count GDI objects";
  for (long i = 0; i < kLives; ++i) life();
  EXPECT_LT(long(GdiObjectCount()) - long(before), kLives) << "before " << before << ", after " << GdiObjectCount();
}

}  // namespace
