// Sections: properties; keys and validation; non-client area; the button; messages.
#include "sddcontrols/unSDDEdit.h"

#include <vsstyle.h>
#include <windowsx.h>

#include "classlib/DeviceContext.h"
#include "sddcontrols/unSDDCommon.h"

namespace {

int ScrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

}  // namespace

// ---- properties -----------------------------------------------------------------------------------------------

TSDDCustomEdit::TSDDCustomEdit(TComponent* owner) : Framed(owner) {}

void TSDDCustomEdit::NonClientChanged() {
  // A new client area is computed only when the window is told its frame changed.
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSDDCustomEdit::SetButtonVisible(bool value) {
  if (StoreChanged(buttonVisible_, value)) NonClientChanged();
}

void TSDDCustomEdit::SetFlatButton(bool value) {
  if (StoreChanged(flatButton_, value)) NonClientChanged();
}

void TSDDCustomEdit::SetButtonColor(TColor value) {
  if (StoreChanged(buttonColor_, value)) NonClientChanged();
}

void TSDDCustomEdit::SetButtonState(int state) {
  if (!buttonVisible_ || !StoreChanged(buttonState_, state)) return;
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

// ---- keys and validation --------------------------------------------------------------------------------------

void TSDDCustomEdit::KeyDown(WORD& key, TShiftState shift) {
  if (buttonVisible_ && key == VK_DOWN && shift.Contains(ssAlt)) {
    ButtonClick();
    key = 0;
    return;
  }
  Framed::KeyDown(key, shift);
}

void TSDDCustomEdit::KeyPress(char& key) {
  if (key == '\r' && tabOnEnter_) {
    key = 0;
    PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
    return;
  }
  Framed::KeyPress(key);
}

void TSDDCustomEdit::ValidateError() {
  std::string message;
  OnValidateError(this, message);
  if (message.empty()) return Framed::ValidateError();
  MessageBeep(0);
  throw EDBEditError(message);
}

// ---- non-client area ------------------------------------------------------------------------------------------

void TSDDCustomEdit::HotStateChanged() {
  if (!buttonVisible_) return Framed::HotStateChanged();
  if (!(flatButton_ || FrameHotTrack() || VisualStylesEnabled()) || pressing_ || !HandleAllocated()) return;
  const UINT flags = RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE | RDW_UPDATENOW;
  if (FrameHotTrack()) {
    RedrawWindow(Handle(), nullptr, nullptr, flags);
    return;
  }
  // The client strip beside the button and the button itself.
  const TRect client = ClientRect();
  RECT strip{client.Right - (ScrollBarWidth() + 2), client.Top, client.Right + ScrollBarWidth() + 2, client.Bottom};
  RedrawWindow(Handle(), &strip, nullptr, flags);
}

void TSDDCustomEdit::WMNCCalcSize(TMessage& m) {
  Framed::WMNCCalcSize(m);
  if (!buttonVisible_) return;
  auto* r = reinterpret_cast<RECT*>(m.LParam);
  r->right -= ScrollBarWidth() - (VisualStylesEnabled() ? 1 : 0);
}

TRect TSDDCustomEdit::ButtonRect() {
  TRect r{0, 0, Width(), Height()};
  if (BorderStyle() == bsSingle) r = r.Inflate(VisualStylesEnabled() ? -1 : -2, VisualStylesEnabled() ? -1 : -2);
  return {r.Right - ScrollBarWidth(), r.Top, r.Right, r.Bottom};
}

void TSDDCustomEdit::WMNCPaint(TMessage& m) {
  Framed::WMNCPaint(m);
  if (!(FrameVisible() && !UseThemes()) && !buttonVisible_) return;
  TWindowDC dc(Handle(), TWindowDC::Whole);
  if (!dc) return;
  TCanvasOnDc scope(frameCanvas_, dc.Handle());
  if (FrameVisible() && !UseThemes()) {
    const bool hot = FrameHot();
    DrawControlFrame(frameCanvas_, Width(), Height(), false, FrameSides(), hot ? FrameHotColor() : FrameColor(),
                     Color(), hot ? FrameHotStyle() : FrameStyle());
  }
  if (buttonVisible_) {
    const TRect button = ButtonRect();
    const int saved = SaveDC(dc.Handle());
    DrawButton(frameCanvas_, button);
    // The gap between the client area and the button takes the edit's colour.
    RECT window{}, client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    ExcludeClipRect(dc.Handle(), button.Left, button.Top, button.Right, button.Bottom);
    ExcludeClipRect(dc.Handle(), client.left, client.top, client.right, client.bottom);
    frameCanvas_.Brush().SetStyle(bsSolid);
    frameCanvas_.Brush().SetColor(Color());
    frameCanvas_.FillRect({client.left, button.Top, button.Left, button.Bottom});
    RestoreDC(dc.Handle(), saved);
  }
  m.Result = 0;
}

void TSDDCustomEdit::WMNCHitTest(TMessage& m) {
  mouseOverButton_ = false;
  if (buttonVisible_) {
    RECT window{};
    GetWindowRect(Handle(), &window);
    const TPoint p{GET_X_LPARAM(m.LParam) - window.left, GET_Y_LPARAM(m.LParam) - window.top};
    if (ButtonRect().Contains(p)) {
      mouseOverButton_ = true;
      m.Result = HTCLIENT;
      return;
    }
  }
  Framed::WMNCHitTest(m);
}

// ---- the button -----------------------------------------------------------------------------------------------

void TSDDCustomEdit::DrawButton(TCanvas& canvas, const TRect& r) {
  const bool hot = FocusedState() || MouseInState();
  const bool pressed = buttonState_ == 2;
  if (VisualStylesEnabled()) {
    if (flatButton_ && !hot) {
      canvas.Brush().SetStyle(bsSolid);
      canvas.Brush().SetColor(Color());
      canvas.FillRect(r);
      DrawDropDownArrow(canvas, r, fpXPThemes, true, false);
      return;
    }
    const int state = !Enabled() ? CBXS_DISABLED : pressed ? CBXS_PRESSED : hot ? CBXS_HOT : CBXS_NORMAL;
    TThemeHandle theme(L"ComboBox");
    if (theme.DrawBackground(Handle(), canvas.Handle(), CP_DROPDOWNBUTTON, state, r)) return;
  }
  if (!flatButton_) {
    RECT rc = ToRECT(r);
    UINT flags = DFCS_SCROLLCOMBOBOX;
    if (pressed) flags |= DFCS_FLAT | DFCS_PUSHED;
    if (!Enabled()) flags |= DFCS_INACTIVE;
    DrawFrameControl(canvas.Handle(), &rc, DFC_SCROLL, flags);
    return;
  }
  if (!hot) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(!Enabled() ? DisabledColor() : FocusedState() ? FocusColor() : NormalColor());
    canvas.FillRect(r);
    DrawDropDownArrow(canvas, r, fpCustomFraming, true, false);
    return;
  }
  DrawFlatButtonFace(canvas, r, buttonColor_, pressed);
}

void TSDDCustomEdit::ButtonClick() {
  if (!buttonVisible_) return;
  pressing_ = true;
  try {
    SetCapture(Handle());
    SetButtonState(2);
    OnButtonClick(this);
    OnButtonClickDone(this);
  } catch (...) {
    pressing_ = false;
    ReleaseButton();
    throw;
  }
  SetButtonState(0);
  pressing_ = false;
  // A click from the keyboard holds no button that would let the capture go.
  if (GetKeyState(VK_LBUTTON) >= 0) ReleaseButton();
}

void TSDDCustomEdit::ReleaseButton() {
  if (!pressing_) SetButtonState(0);
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
}

// ---- messages -------------------------------------------------------------------------------------------------

void TSDDCustomEdit::WMSetCursor(TMessage& m) {
  if (mouseOverButton_) {
    ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    m.Result = TRUE;
    return;
  }
  Framed::WndProc(m);
}

void TSDDCustomEdit::WMButtonDown(TMessage& m) {
  if (!mouseOverButton_) {
    Framed::WndProc(m);
    if (m.Msg != WM_RBUTTONDOWN && !Focused()) ReleaseButton();
    return;
  }
  if (m.Msg == WM_RBUTTONDOWN) return;
  if (!Focused()) SetFocus();
  ButtonClick();
}

void TSDDCustomEdit::WMLButtonUp(TMessage& m) {
  ReleaseButton();
  Framed::WndProc(m);
}

void TSDDCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETCURSOR: return WMSetCursor(m);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: return WMButtonDown(m);
    case WM_LBUTTONUP: return WMLButtonUp(m);
    case WM_KILLFOCUS:
      Framed::WndProc(m);
      return ReleaseButton();
    case WM_SIZE:
      Framed::WndProc(m);
      if (FrameVisible() && !UseThemes()) RedrawFrame();
      return;
    case CM_ENABLEDCHANGED:
      if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      return Framed::WndProc(m);
    default: return Framed::WndProc(m);
  }
}
