// Sections: shared frame; panel properties; panel geometry; panel painting; panel messages; status bar.
#include "sddcontrols/unSDDPanel.h"

#include <vsstyle.h>

#include <algorithm>
#include <string>

#include "classlib/DockTree.h"
#include "classlib/Forms.h"
#include "sddcontrols/core/unSDDGeometry.h"
#include "sddcontrols/unSDDDockManager.h"
#include "sddcontrols/unSDDGrafx.h"

// ---- shared frame ---------------------------------------------------------------------------------------------

void DrawOpenFlatFrame(TCanvas& canvas, const TRect& r, TColor color) {
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(color);
  canvas.MoveTo(r.Left, r.Top + 1);
  canvas.LineTo(r.Left, r.Bottom - 1);
  canvas.MoveTo(r.Left + 1, r.Top);
  canvas.LineTo(r.Right - 1, r.Top);
  canvas.MoveTo(r.Right - 1, r.Top + 1);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
  canvas.MoveTo(r.Left + 1, r.Bottom - 1);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
}

// ---- panel properties -----------------------------------------------------------------------------------------

TSDDCustomPanel::TSDDCustomPanel(TComponent* owner) : TCustomPanel(owner) {
  controlStyle_.Exclude(csSetCaption);
  controlStyle_.Exclude(csParentBackground);
  controlStyle_.Include(csOpaque);
  // The panel draws its own borders; the base's bevel stays off so that only they take room from the children.
  SetBevelOuter(bvNone);
  SetUseDockManager(true);
}

TSDDCustomPanel::~TSDDCustomPanel() { SetClientFrameController(*this, frameController_, nullptr); }

void TSDDCustomPanel::Changed() { Invalidate(); }

void TSDDCustomPanel::BorderChanged() {
  Realign();
  Invalidate();
}

void TSDDCustomPanel::SetAlignmentVertical(TAlignmentVertical v) {
  if (StoreChanged(alignmentVertical_, v)) Changed();
}
void TSDDCustomPanel::SetBorderColor(TColor v) {
  if (StoreChanged(borderColor_, v)) Changed();
}
void TSDDCustomPanel::SetBorderInner(TFrameStyleEx v) {
  if (StoreChanged(borderInner_, v)) BorderChanged();
}
void TSDDCustomPanel::SetBorderOuter(TFrameStyleEx v) {
  if (StoreChanged(borderOuter_, v)) BorderChanged();
}
void TSDDCustomPanel::SetBorderSides(TSides v) {
  if (StoreChanged(borderSides_, v)) BorderChanged();
}
void TSDDCustomPanel::SetBorderHighlight(TColor v) {
  if (StoreChanged(borderHighlight_, v)) Changed();
}
void TSDDCustomPanel::SetBorderShadow(TColor v) {
  if (StoreChanged(borderShadow_, v)) Changed();
}
void TSDDCustomPanel::SetFlatColor(TColor v) {
  if (StoreChanged(flatColor_, v)) Changed();
}
void TSDDCustomPanel::SetFlatColorAdjustment(int v) {
  if (StoreChanged(flatColorAdjustment_, v)) Changed();
}
void TSDDCustomPanel::SetGradientColorStart(TColor v) {
  if (StoreChanged(gradientColorStart_, v)) Changed();
}
void TSDDCustomPanel::SetGradientColorStop(TColor v) {
  if (StoreChanged(gradientColorStop_, v)) Changed();
}
void TSDDCustomPanel::SetGradientDirection(TGradientDirection v) {
  if (StoreChanged(gradientDirection_, v)) Changed();
}
void TSDDCustomPanel::SetGridColor(TColor v) {
  if (StoreChanged(gridColor_, v)) Changed();
}
void TSDDCustomPanel::SetVS2K10GridColor(TColor v) {
  if (StoreChanged(vs2k10GridColor_, v)) Changed();
}
void TSDDCustomPanel::SetGridStyle(TSDDGridStyle v) {
  if (StoreChanged(gridStyle_, v)) Changed();
}
void TSDDCustomPanel::SetGridXSize(uint16_t v) {
  if (StoreChanged(gridXSize_, v)) Changed();
}
void TSDDCustomPanel::SetGridYSize(uint16_t v) {
  if (StoreChanged(gridYSize_, v)) Changed();
}
void TSDDCustomPanel::SetShowGrid(bool v) {
  if (StoreChanged(showGrid_, v)) Changed();
}
void TSDDCustomPanel::SetThemeAware(bool v) {
  if (StoreChanged(themeAware_, v)) Changed();
}
void TSDDCustomPanel::SetUseGradients(bool v) {
  if (StoreChanged(useGradients_, v)) Changed();
}
void TSDDCustomPanel::SetShowDockClientCaptions(bool v) {
  if (StoreChanged(showDockClientCaptions_, v)) Changed();
}

std::unique_ptr<TDockTree> TSDDCustomPanel::CreateDockManager() {
  return std::make_unique<TSDDPanelDockManager>(*this);
}

void TSDDCustomPanel::SetTransparent(bool v) {
  if (!StoreChanged(transparent_, v)) return;
  if (v)
    controlStyle_.Exclude(csOpaque);
  else
    controlStyle_.Include(csOpaque);
  Invalidate();
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

void TSDDCustomPanel::SetFrameController(TSDDFrameController* value) {
  SetClientFrameController(*this, frameController_, value);
}

void TSDDCustomPanel::Notification(TComponent* component, TOperation operation) {
  TCustomPanel::Notification(component, operation);
  if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

void TSDDCustomPanel::UpdateFromFrameController() {
  if (!frameController_ || !frameController_->FrameVisible()) return;
  borderOuter_ = frameController_->FrameStyle();
  borderSides_ = frameController_->FrameSides();
  flatColor_ = frameController_->FrameColor();
  flatColorAdjustment_ = 0;
  SetColor(frameController_->Color());
  SetParentColor(frameController_->ParentColor());
  borderHighlight_ = LighterColor(Color(), 100);
  borderShadow_ = DarkerColor(Color(), 50);
  // The outer border may have changed its width: the children's area follows.
  BorderChanged();
}

void TSDDCustomPanel::CreateWnd() {
  TCustomPanel::CreateWnd();
  windowWidth_ = Width();
  windowHeight_ = Height();
}

// ---- panel geometry -------------------------------------------------------------------------------------------

TPoint TSDDCustomPanel::GetCursorPosition() {
  POINT p{};
  GetCursorPos(&p);
  return ScreenToClient({p.x, p.y});
}

TRect TSDDCustomPanel::AdjustBorderRect(const TRect& r, bool withBorderWidth) {
  return ::AdjustBorderRect(r, withBorderWidth, BorderWidth(), borderSides_, borderOuter_, borderInner_,
                            BevelWidth());
}

TRect TSDDCustomPanel::GetPaintRect() { return {0, 0, Width(), Height()}; }

void TSDDCustomPanel::AdjustClientRect(TRect& rect) const {
  TCustomPanel::AdjustClientRect(rect);
  if (DockSite()) rect = const_cast<TSDDCustomPanel*>(this)->AdjustBorderRect(rect, false);
}

// A dock site's rect came through AdjustClientRect, which took the borders already.
void TSDDCustomPanel::AlignControls(TControl* control, TRect& rect) {
  if (!DockSite()) rect = AdjustBorderRect(rect, false);
  TCustomPanel::AlignControls(control, rect);
}

void TSDDCustomPanel::SetBounds(int left, int top, int width, int height) {
  // A panel at the bottom (or right) edge keeps that edge where it is when its height (or width) changes.
  if (Align() == alBottom && height != Height()) top -= height - Height();
  if (Align() == alRight && width != Width()) left -= width - Width();
  TCustomPanel::SetBounds(left, top, width, height);
}

// ---- panel painting -------------------------------------------------------------------------------------------

TPanelBorder TSDDCustomPanel::BorderParameters() {
  TPanelBorder b;
  b.Outer = borderOuter_;
  b.Inner = borderInner_;
  b.Sides = borderSides_;
  b.BorderWidth = BorderWidth();
  b.BevelWidth = BevelWidth();
  b.BorderColor = borderColor_;
  b.BorderHighlight = borderHighlight_;
  b.BorderShadow = borderShadow_;
  b.FlatColor = flatColor_;
  b.FlatColorAdjustment = flatColorAdjustment_;
  b.Color = Color();
  b.ParentColor = Parent() ? Parent()->Color() : Color();
  b.Transparent = transparent_;
  return b;
}

void TSDDCustomPanel::Paint() {
  TCanvas& c = Canvas();
  TRect r = DrawPanelBorder(c, GetPaintRect(), BorderParameters());
  if (!transparent_) {
    if (useGradients_) {
      const bool themed = themeAware_ && ThemesEnabled();
      GradientFill(c, r, gradientDirection_, themed ? clInactiveCaptionText : gradientColorStart_,
                   themed ? clInactiveCaption : gradientColorStop_, 1);
    } else {
      c.Brush().SetStyle(bsSolid);
      c.Brush().SetColor(Color());
      c.FillRect(r);
    }
  }
  if (showGrid_) DrawGrid(r);
  c.Brush().SetStyle(bsClear);
  DrawCaption(r);
  c.Brush().SetStyle(bsSolid);
  OnPaint(this);
}

void TSDDCustomPanel::DrawGrid(const TRect& r) {
  TCanvas& c = Canvas();
  const std::vector<int> xs = GridLines(r.Left, r.Width(), gridXSize_);
  const std::vector<int> ys = GridLines(r.Top, r.Height(), gridYSize_);
  switch (gridStyle_) {
    case gsDots:
      for (int x : xs)
        for (int y : ys) c.SetPixel(x, y, gridColor_);
      break;
    case gsSolidLines:
      c.Pen().SetStyle(psSolid);
      c.Pen().SetColor(gridColor_);
      for (int x : xs) {
        c.MoveTo(x, r.Top);
        c.LineTo(x, r.Bottom);
      }
      for (int y : ys) {
        c.MoveTo(r.Left, y);
        c.LineTo(r.Right, y);
      }
      break;
    case gsDottedLines:
      for (int x : xs)
        for (int y = r.Top + 1; y < r.Bottom; y += 2) c.SetPixel(x, y, gridColor_);
      for (int y : ys)
        for (int x = r.Left + 1; x < r.Right; x += 2) c.SetPixel(x, y, gridColor_);
      break;
    case gsVS2K10Dots: {
      const TColor first = ColorToRGB(gridColor_);
      const TColor second = ColorToRGB(vs2k10GridColor_);
      for (int x : xs)
        for (int y : ys) {
          c.SetPixel(x, y, first);
          c.SetPixel(x, y + 1, second);
          c.SetPixel(x + 2, y + 2, first);
          c.SetPixel(x + 2, y + 3, second);
        }
      break;
    }
  }
}

void TSDDCustomPanel::DrawCaption(TRect r) {
  if (Caption().empty()) return;
  TCanvas& c = Canvas();
  c.Font().Assign(&Font());
  r.Left += 1;
  static const UINT horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const UINT flags = DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | horizontal[Alignment()];
  TRect measured = r;
  const int h = c.DrawText(Caption(), measured, flags | DT_CALCRECT);
  if (alignmentVertical_ == avCenter) {
    r.Top = CaptionTop(avCenter, r.Top, r.Bottom, h);
    r.Bottom = r.Top + h;
  } else if (alignmentVertical_ == avBottom) {
    r.Top = CaptionTop(avBottom, r.Top, r.Bottom, h);
  }
  if (!Enabled()) {
    TRect raised = r.Offset(1, 1);
    c.Font().SetColor(clBtnHighlight);
    c.DrawText(Caption(), raised, flags);
    c.Font().SetColor(clBtnShadow);
  }
  c.DrawText(Caption(), r, flags);
}

// ---- panel messages -------------------------------------------------------------------------------------------

void TSDDCustomPanel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: return WMEraseBkgnd(m);
    case WM_WINDOWPOSCHANGED: return WMWindowPosChanged(m);
    case CM_ENABLEDCHANGED: return CMEnabledChanged(m);
    case CM_CONTROLLISTCHANGE: return CMControlListChange(m);
    case CM_MOUSEENTER:
      TCustomPanel::WndProc(m);
      if (m.LParam == reinterpret_cast<LPARAM>(this) && !HasState(csDesigning)) DoMouseEnter();
      return;
    case CM_MOUSELEAVE:
      TCustomPanel::WndProc(m);
      if (m.LParam == reinterpret_cast<LPARAM>(this)) DoMouseLeave();
      return;
    default: return TCustomPanel::WndProc(m);
  }
}

void TSDDCustomPanel::DoMouseEnter() { OnMouseEnter(this); }
void TSDDCustomPanel::DoMouseLeave() { OnMouseLeave(this); }

void TSDDCustomPanel::WMEraseBkgnd(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (transparent_) {
    DrawParentImage(*this, dc, false);
  } else {
    RECT r{0, 0, Width(), Height()};
    FillRect(dc, &r, Brush().Handle());
    TCustomPanel::WndProc(m);
  }
  m.Result = 1;
}

void TSDDCustomPanel::WMWindowPosChanged(TMessage& m) {
  const auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  const bool sized = wp && !(wp->flags & SWP_NOSIZE);
  if (!FullRepaint() && !Caption().empty() && sized) {
    // Only the strips next to the moved right or bottom edge show a caption laid out anew.
    const TRect inner = AdjustBorderRect({0, 0, windowWidth_, windowHeight_}, true);
    if (wp->cx != windowWidth_) InvalidateRect({inner.Right - 1, 0, wp->cx, wp->cy}, true);
    if (wp->cy != windowHeight_) InvalidateRect({0, inner.Bottom - 1, wp->cx, wp->cy}, true);
  } else {
    Invalidate();
  }
  if (sized) {
    windowWidth_ = wp->cx;
    windowHeight_ = wp->cy;
  }
  TCustomPanel::WndProc(m);
}

void TSDDCustomPanel::CMEnabledChanged(TMessage& m) {
  TCustomPanel::WndProc(m);
  Repaint();
  if (!Enabled()) {
    enabledMemory_.clear();
    for (int i = 0; i < ControlCount(); ++i) enabledMemory_.emplace_back(Controls(i), Controls(i)->Enabled());
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(false);
    return;
  }
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    auto it = std::find_if(enabledMemory_.begin(), enabledMemory_.end(),
                           [child](const auto& entry) { return entry.first == child; });
    if (it == enabledMemory_.end() || it->second) child->SetEnabled(true);
  }
}

void TSDDCustomPanel::CMControlListChange(TMessage& m) {
  // A child that leaves takes its entry along, so that another control at the same address is not mistaken
  // for it.
  if (m.LParam == 0) {
    auto* child = reinterpret_cast<TControl*>(m.WParam);
    std::erase_if(enabledMemory_, [child](const auto& entry) { return entry.first == child; });
  }
  TCustomPanel::WndProc(m);
}

// ---- status bar -----------------------------------------------------------------------------------------------

TSDDStatusBar::TSDDStatusBar(TComponent* owner)
    : TSDDCustomPanel(owner), gripCanvas_(std::make_unique<TControlCanvas>(*this)) {
  SetAlign(alBottom);
  ApplyAutoStyle();
}

TSDDStatusBar::~TSDDStatusBar() = default;

void TSDDStatusBar::ApplyAutoStyle() {
  TSDDCustomPanel::SetBorderInner(fsNone);
  TSDDCustomPanel::SetBorderOuter(fsNone);
  TSDDCustomPanel::SetBorderSides(AllSides);
  SetHeight(19);
  SetBorderWidth(0);
}

void TSDDStatusBar::SetBorderInner(TFrameStyleEx value) {
  if (value != BorderInner()) autoStyle_ = false;
  TSDDCustomPanel::SetBorderInner(value);
}

void TSDDStatusBar::SetBorderOuter(TFrameStyleEx value) {
  if (value != BorderOuter()) autoStyle_ = false;
  TSDDCustomPanel::SetBorderOuter(value);
}

void TSDDStatusBar::SetBorderSides(TSides value) {
  if (value != BorderSides()) autoStyle_ = false;
  TSDDCustomPanel::SetBorderSides(value);
}

void TSDDStatusBar::SetSimpleStatus(bool value) {
  if (!StoreChanged(simpleStatus_, value)) return;
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(!value);
  EnableAlign();
  Invalidate();
}

void TSDDStatusBar::SetSimpleCaption(const std::string& value) {
  if (StoreChanged(simpleCaption_, value)) Invalidate();
}

void TSDDStatusBar::SetSimpleFrameStyle(TFrameStyle value) {
  if (StoreChanged(simpleFrameStyle_, value)) Invalidate();
}

void TSDDStatusBar::SetShowSizeGrip(bool value) {
  if (!StoreChanged(showSizeGrip_, value)) return;
  SizeGripActive();
  Invalidate();
}

bool TSDDStatusBar::SizeGripActive() {
  TCustomForm* form = GetParentForm(this);
  sizeGripActive_ = form && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin) &&
                    !(form->HandleAllocated() && IsZoomed(form->Handle()));
  return sizeGripActive_;
}

TRect TSDDStatusBar::SizeGripRect() const { return {Width() - 13, 0, Width(), Height()}; }

TRect TSDDStatusBar::ClientRect() const {
  return StatusBarClientRect(TSDDCustomPanel::ClientRect(), UseThemes(), simpleStatus_);
}

void TSDDStatusBar::Loaded() {
  TSDDCustomPanel::Loaded();
  if (autoStyle_) ApplyAutoStyle();
}

void TSDDStatusBar::CreateWnd() {
  TSDDCustomPanel::CreateWnd();
  SizeGripActive();
}

void TSDDStatusBar::Resize() {
  TSDDCustomPanel::Resize();
  if (firstResize_) {
    firstResize_ = false;
    lastWidth_ = Width();
    return;
  }
  if (autoScalePanes_ && ControlCount() > 0 && Width() != lastWidth_) {
    std::vector<int> widths;
    for (int i = 0; i < ControlCount(); ++i) widths.push_back(Controls(i)->Width());
    widths = ScalePaneWidths(widths, lastWidth_, Width());
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetWidth(widths[static_cast<size_t>(i)]);
    EnableAlign();
  }
  lastWidth_ = Width();
}

bool TSDDStatusBar::Themed() { return ThemeAware() && ThemesEnabled() && theme_.Get(Handle()); }

void TSDDStatusBar::Paint() {
  TCanvas& c = Canvas();
  if (Themed()) {
    theme_.DrawBackground(Handle(), c.Handle(), 0, 0, {0, 0, Width(), Height()});
    if (simpleStatus_ && !simpleCaption_.empty()) {
      const std::wstring text(simpleCaption_.begin(), simpleCaption_.end());
      RECT rc = ToRECT(ClientRect());
      DrawThemeText(theme_.Get(Handle()), c.Handle(), 0, 0, text.c_str(), -1,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, 0, &rc);
    }
    return;
  }
  TSDDCustomPanel::Paint();
  TRect r = ClientRect();
  r.Bottom -= 1;
  if (!simpleStatus_) return;
  DrawSimpleFrame(r);
  r = r.Inflate(-1, -1);
  if (simpleCaption_.empty()) return;
  c.Font().Assign(&Font());
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(Color());
  c.TextRect(r, r.Left + 2, r.Top + (r.Height() - c.TextHeight("Pp")) / 2, simpleCaption_);
}

void TSDDStatusBar::DrawSimpleFrame(const TRect& r) {
  TCanvas& c = Canvas();
  if (Themed() && theme_.DrawBackground(Handle(), c.Handle(), SP_PANE, 0, r)) return;
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(Color());
  c.FillRect(r);
  if (simpleFrameStyle_ == fsFlat)
    DrawOpenFlatFrame(c, r, ChangeColorLightness(FlatColor(), FlatColorAdjustment()));
  else
    DrawFrameEx(c, r, simpleFrameStyle_);
}

void TSDDStatusBar::DrawSizeGrip(TCanvas& canvas) {
  if (!showSizeGrip_ || !SizeGripActive()) return;
  TRect r = ClientRect();
  r.Bottom -= 1;
  if (Themed() && theme_.DrawBackground(Handle(), canvas.Handle(), SP_GRIPPER, 0,
                                        {r.Right - 20, r.Top, r.Right, r.Bottom}))
    return;
  canvas.Brush().SetStyle(bsSolid);
  const auto squares = [&](int right, int bottom, TColor color) {
    canvas.Brush().SetColor(color);
    for (const TPoint& p : GripSquares(right, bottom)) canvas.FillRect({p.X, p.Y, p.X + 2, p.Y + 2});
  };
  squares(r.Right - 1, r.Bottom, clBtnHighlight);
  squares(r.Right - 2, r.Bottom - 1, clBtnShadow);
}

void TSDDStatusBar::WMPaint(TMessage& m) {
  TSDDCustomPanel::WndProc(m);
  // Painted into a given device context (a copy of the bar), the grip goes there too.
  if (m.WParam) {
    TCanvas canvas;
    canvas.SetHandle(reinterpret_cast<HDC>(m.WParam));
    DrawSizeGrip(canvas);
    canvas.SetHandle(nullptr);
    return;
  }
  DrawSizeGrip(*gripCanvas_);
  gripCanvas_->FreeHandle();
}

bool TSDDStatusBar::OverGrip(TPoint p) {
  return showSizeGrip_ && SizeGripActive() && SizeGripRect().Contains(p) && !ControlAtPos(p, false);
}

void TSDDStatusBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: return WMPaint(m);
    case WM_SETCURSOR: {
      POINT sp{};
      GetCursorPos(&sp);
      if (reinterpret_cast<HWND>(m.WParam) == Handle() && OverGrip(ScreenToClient({sp.x, sp.y}))) {
        ::SetCursor(LoadCursor(nullptr, IDC_SIZENWSE));
        m.Result = TRUE;
        return;
      }
      return TSDDCustomPanel::WndProc(m);
    }
    case WM_LBUTTONDOWN: {
      const TPoint p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      TCustomForm* form = GetParentForm(this);
      if (form && OverGrip(p)) {
        // The form sizes itself from its bottom-right corner, as if its own corner had been taken.
        ReleaseCapture();
        SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_SIZE + 8, 0);
        return;
      }
      return TSDDCustomPanel::WndProc(m);
    }
    default: return TSDDCustomPanel::WndProc(m);
  }
}
