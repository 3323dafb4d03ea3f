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

void TScrollBar::CNScroll(TMessage& m) {
  int position = position_;
  TScrollCode code = scEndScroll;
  switch (LOWORD(m.WParam)) {
    case SB_LINEUP:
      code = scLineUp;
      position -= smallChange_;
      break;
    case SB_LINEDOWN:
      code = scLineDown;
      position += smallChange_;
      break;
    case SB_PAGEUP:
      code = scPageUp;
      position -= largeChange_;
      break;
    case SB_PAGEDOWN:
      code = scPageDown;
      position += largeChange_;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      // The message carries 16 bits of the position; the bar itself knows all 32.
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_CTL, &si);
      code = LOWORD(m.WParam) == SB_THUMBTRACK ? scTrack : scPosition;
      position = si.nTrackPos;
      break;
    }
    case SB_TOP:
      code = scTop;
      position = min_;
      break;
    case SB_BOTTOM:
      code = scBottom;
      position = max_;
      break;
    default:
      break;
  }
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
