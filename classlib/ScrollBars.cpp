#include "classlib/ScrollBars.h"

#include <algorithm>

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  controlStyle_.Exclude(csCaptureMouse);
  controlStyle_.Exclude(csSetCaption);
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
}

void TScrollBar::SetKind(TScrollBarKind value) {
  if (!StoreChanged(kind_, value)) return;
  if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetParams(int position, int min, int max) {
  max = std::max(max, min);
  position = std::clamp(position, min, max);
  bool moved = position != position_;
  if (!moved && min == min_ && max == max_) return;
  min_ = min;
  max_ = max;
  position_ = position;
  UpdateWindow();
  if (moved) Change();
}

void TScrollBar::UpdateWindow() {
  if (!HandleAllocated()) return;
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_POS;
  si.nMin = min_;
  si.nMax = max_;
  si.nPos = position_;
  SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = "SCROLLBAR";
  p.Style |= kind_ == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateWindow();
}

void TScrollBar::Change() { OnChange(this); }

void TScrollBar::Scroll(TScrollCode code, int& position) { OnScroll(this, code, position); }

TScrollCode DecodeScroll(HWND wnd, int bar, WPARAM wParam, int position, int smallStep, int largeStep, int first,
                         int last, int& target) {
  target = position;
  switch (LOWORD(wParam)) {
    case SB_LINEUP:
      target = position - smallStep;
      return scLineUp;
    case SB_LINEDOWN:
      target = position + smallStep;
      return scLineDown;
    case SB_PAGEUP:
      target = position - largeStep;
      return scPageUp;
    case SB_PAGEDOWN:
      target = position + largeStep;
      return scPageDown;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(wnd, bar, &si);
      target = si.nTrackPos;
      return LOWORD(wParam) == SB_THUMBTRACK ? scTrack : scPosition;
    }
    case SB_TOP:
      target = first;
      return scTop;
    case SB_BOTTOM:
      target = last;
      return scBottom;
    default:
      return scEndScroll;
  }
}

void TScrollBar::CNScroll(TMessage& m) {
  int position = position_;
  TScrollCode code =
      DecodeScroll(Handle(), SB_CTL, m.WParam, position_, smallChange_, largeChange_, min_, max_, position);
  Scroll(code, position);
  SetPosition(position);
}

void TScrollBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: return DefaultHandler(m);
    case CN_HSCROLL:
    case CN_VSCROLL: return CNScroll(m);
    default: return TWinControl::WndProc(m);
  }
}
