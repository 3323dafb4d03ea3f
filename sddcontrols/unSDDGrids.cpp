// Sections: properties; painting; frame; messages.
#include "sddcontrols/unSDDGrids.h"

#include <vssym32.h>

#include "classlib/DeviceContext.h"
#include "classlib/Forms.h"
#include "sddcontrols/unSDDCommon.h"

// ---- properties -----------------------------------------------------------------------------------------------

TSDDStringGrid::TSDDStringGrid(TComponent* owner) : Framed(owner) {
  SetDefaultRowHeight(18);
  SetDefaultColWidth(60);
  SetBounds(0, 0, 325, 125);
}

void TSDDStringGrid::SetLineColor(TColor value) {
  if (StoreChanged(lineColor_, value)) Invalidate();
}

void TSDDStringGrid::SetFixedLineColor(TColor value) {
  if (StoreChanged(fixedLineColor_, value)) Invalidate();
}

TInplaceEdit* TSDDStringGrid::CreateEditor() {
  TInplaceEdit* editor = Framed::CreateEditor();
  editor->SetColor(Color());
  return editor;
}

// ---- painting -------------------------------------------------------------------------------------------------

TColor TSDDStringGrid::GridLineColor(bool fixed) {
  if (fixed) return fixedLineColor_;
  if (ColorToRGB(lineColor_) == ColorToRGB(Color())) return DarkerColor(lineColor_, 50);
  return lineColor_;
}

void TSDDStringGrid::DrawCellBackground(const TRect& rect, TColor areaColor, TGridDrawState) {
  TCanvas& c = Canvas();
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(areaColor);
  c.FillRect(rect);
  c.Font().Assign(&Font());
}

bool TSDDStringGrid::GridFocused() {
  if (TCustomForm* form = GetParentForm(this)) return form->ActiveControl() == this;
  if (!HandleAllocated()) return false;
  HWND focus = GetFocus();
  return focus && (focus == Handle() || IsChild(Handle(), focus));
}

// ---- frame ----------------------------------------------------------------------------------------------------

void TSDDStringGrid::DrawFrame(TCanvas& canvas, TFrameStyle style, TColor color, TSides sides) {
  DrawFrameRings(canvas, {0, 0, Width(), Height()}, FixedColor(), AllSides, 2, Color());
  // clWindow as the back colour: styles other than the flat ones take the system colours.
  DrawControlFrame(canvas, Width(), Height(), true, sides, color, clWindow, style);
}

void TSDDStringGrid::WMNCPaint(TMessage& m) {
  Framed::WMNCPaint(m);
  m.Result = 0;
  if (BorderStyle() == bsNone) return;
  const bool custom = FrameVisible() && !UseThemes();
  if (!custom && !VisualStylesEnabled()) return;
  TWindowDC dc(Handle(), TWindowDC::Whole);
  if (!dc) return;
  TCanvas canvas;
  TCanvasOnDc scope(canvas, dc.Handle());
  if (custom) {
    const bool hot = FrameHot();
    DrawFrame(canvas, hot ? FrameHotStyle() : FrameStyle(), hot ? FrameHotColor() : FrameColor(), FrameSides());
    return;
  }
  TColor border = clNone;
  if (editTheme_.Color(Handle(), EP_EDITTEXT, ETS_NORMAL, TMT_BORDERCOLOR, border))
    DrawFrame(canvas, fsFlat, border, AllSides);
}

// ---- messages -------------------------------------------------------------------------------------------------

// The square between the scroll bars' ends takes the grid's colour.
void TSDDStringGrid::WMEraseBkgnd(TMessage& m) {
  const int w = GetSystemMetrics(SM_CXVSCROLL), h = GetSystemMetrics(SM_CYHSCROLL);
  const TRect client = ClientRect();
  TCanvas canvas;
  TCanvasOnDc scope(canvas, reinterpret_cast<HDC>(m.WParam));
  canvas.Brush().SetColor(Color());
  canvas.FillRect({client.Right - w, client.Bottom - h, client.Right, client.Bottom});
  m.Result = 1;
}

void TSDDStringGrid::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: return WMEraseBkgnd(m);
    case WM_SIZE:
      Framed::WndProc(m);
      if (FrameVisible() && !UseThemes()) RedrawFrame();
      return;
    case CM_COLORCHANGED:
      if (InplaceEditor()) InplaceEditor()->SetColor(Color());
      return Framed::WndProc(m);
    default: return Framed::WndProc(m);
  }
}
