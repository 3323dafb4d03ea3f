// The scene most control tests share: a form with a panel and two overlapping windowless swatches that log
// their mouse input.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "tests/classlib/ControlsTestSupport.h"

namespace controls_test {

using TLog = std::vector<std::string>;

// A windowless square of its colour that logs its mouse input. It paints beyond its bounds on purpose: the
// parent must clip it.
class TSwatch : public TGraphicControl {
public:
  TSwatch(TComponent* owner, TWinControl* parent, const std::string& name, TRect bounds, TColor color, TLog& log)
      : TGraphicControl(owner), log_(log) {
    SetName(name);
    SetParent(parent);
    SetBoundsRect(bounds);
    SetColor(color);
    controlStyle_.Include(csOpaque);
    OnClick = [this](TObject*) { Log("click"); };
    OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) { Log("down " + Pos(x, y)); };
    OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) { Log("up " + Pos(x, y)); };
    OnMouseMove = [this](TObject*, TShiftState, int x, int y) { Log("move " + Pos(x, y)); };
  }
  bool RefuseHitTest = false;
  bool RefuseHint = false;

  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case CM_HINTSHOW:
        m.Result = RefuseHint ? 1 : 0;
        return;
      case CM_MOUSEENTER: return Log("enter");
      case CM_MOUSELEAVE: return Log("leave");
      case CM_HITTEST:
        m.Result = RefuseHitTest ? 0 : HTCLIENT;
        return;
      default: return TGraphicControl::WndProc(m);
    }
  }

protected:
  void Paint() override {
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect({-10, -10, Width() + 10, Height() + 10});
  }

private:
  static std::string Pos(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
  void Log(const std::string& what) { log_.push_back(Name() + " " + what); }
  TLog& log_;
};

// A borderless form at (0, 0) holding a white panel with two overlapping swatches: A red (10,10)-(50,50) and B
// blue (30,30)-(70,70), B above A.
struct SwatchScene {
  TParkedCursor parked;  // first in, last out
  TLog log;
  std::unique_ptr<TForm> form;
  TPanel* panel = nullptr;
  TSwatch* a = nullptr;
  TSwatch* b = nullptr;

  SwatchScene() {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 120, 100);
    panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBevelOuter(bvNone);
    panel->SetBounds(0, 0, 100, 80);
    panel->SetColor(clWhite);
    a = new TSwatch(form.get(), panel, "A", {10, 10, 50, 50}, clRed, log);
    b = new TSwatch(form.get(), panel, "B", {30, 30, 70, 70}, clBlue, log);
    form->Show();
    PumpMessages();
  }

  // The panel painted through WM_PAINT into a bitmap's DC, as a parent's image is painted for a child.
  TColor PaintedPixel(int x, int y) {
    TBitmap bmp;
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(100, 80);
    HDC dc = bmp.Canvas().Handle();
    SendMessageA(panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    return PixelAt(bmp, x, y);
  }

  void Mouse(UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageA(panel->Handle(), msg, keys, MAKELPARAM(x, y));
  }
};

}  // namespace controls_test
