#include "classlib/Edits.h"


TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  // The platform's edit captures the mouse itself while a selection is dragged.
  controlStyle_.Exclude(csCaptureMouse);
  controlStyle_.Exclude(csSetCaption);
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
}

void TCustomEdit::SetAlignment(TAlignment value) {
  if (StoreChanged(alignment_, value)) RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (StoreChanged(borderStyle_, value)) RecreateWnd();
}

void TCustomEdit::SetMaxLength(int value) {
  if (value < 0 || !StoreChanged(maxLength_, value)) return;
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
  if (!StoreChanged(readOnly_, value)) return;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::GetSelection(int& start, int& end) {
  DWORD s = 0, e = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  start = static_cast<int>(s);
  end = static_cast<int>(e);
}

void TCustomEdit::SetSelection(int start, int end) { SendMessageA(Handle(), EM_SETSEL, start, end); }

int TCustomEdit::SelStart() {
  int start = 0, end = 0;
  GetSelection(start, end);
  return start;
}

void TCustomEdit::SetSelStart(int value) { SetSelection(value, value); }

int TCustomEdit::SelLength() {
  int start = 0, end = 0;
  GetSelection(start, end);
  return end - start;
}

void TCustomEdit::SetSelLength(int value) {
  int start = SelStart();
  SetSelection(start, start + value);
}

std::string TCustomEdit::SelText() {
  int start = 0, end = 0;
  GetSelection(start, end);
  const std::string& text = Text();
  if (start < 0 || end > static_cast<int>(text.size()) || start > end) return {};
  return text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

void TCustomEdit::SetSelText(const std::string& value) {
  SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(value.c_str()));
}

void TCustomEdit::SelectAll() { SetSelection(0, -1); }

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = "EDIT";
  static const DWORD align[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  p.Style |= ES_AUTOHSCROLL | align[alignment_];
  if (readOnly_) p.Style |= ES_READONLY;
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  if (maxLength_ > 0) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  if (savedSelStart_ >= 0) SetSelection(savedSelStart_, savedSelEnd_);
  savedSelStart_ = savedSelEnd_ = -1;
}

void TCustomEdit::DestroyWnd() {
  if (HandleAllocated()) GetSelection(savedSelStart_, savedSelEnd_);
  TWinControl::DestroyWnd();
}

void TCustomEdit::DoEnter() {
  if (autoSelect_ && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::Change() { OnChange(this); }

HBRUSH TCustomEdit::CtlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(Font().Color()));
  SetBkColor(dc, ColorToRGB(Color()));
  return Brush().Handle();
}

// The platform reports a change also for a key that changed nothing (a character beyond MaxLength).
void TCustomEdit::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) != EN_CHANGE) return;
  std::string text = WindowText(Handle());
  if (text == Text()) return;
  TextChangedByWindow(text);
  Change();
}

void TCustomEdit::CNCtlColor(TMessage& m) {
  m.Result = reinterpret_cast<LRESULT>(CtlColor(reinterpret_cast<HDC>(m.WParam)));
}

void TCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: return DefaultHandler(m);
    case WM_NCCALCSIZE: return WMNCCalcSize(m);
    case WM_NCPAINT: return WMNCPaint(m);
    case WM_NCHITTEST: return WMNCHitTest(m);
    case CN_COMMAND: return CNCommand(m);
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: return CNCtlColor(m);
    default: return TWinControl::WndProc(m);
  }
}

void TCustomMaskEdit::ValidateError() {
  MessageBeep(0);
  throw EDBEditError("Invalid input value");
}
