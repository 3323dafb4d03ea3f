// Sections: properties; search and completion; keys of the combo window; keys of the edit; notifications and
// wheel; hot state and painting; messages.
#include "sddcontrols/unSDDCmboBx.h"

#include <vsstyle.h>
#include <windowsx.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Timer.h"
#include "sddcontrols/unSDDCommon.h"

namespace {

constexpr unsigned kSearchResetMs = 1500;

int ScrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

bool StartsWithNoCase(const std::string& item, const std::string& text) {
  if (item.size() < text.size()) return false;
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, item.data(), static_cast<int>(text.size()),
                        text.data(), static_cast<int>(text.size())) == CSTR_EQUAL;
}

// The length of `text` less its last character (a double-byte character counts as one).
size_t WithoutLastChar(const std::string& text) {
  if (text.empty()) return 0;
  const char* last = CharPrevA(text.c_str(), text.c_str() + text.size());
  return static_cast<size_t>(last - text.c_str());
}

}  // namespace

// ---- properties -----------------------------------------------------------------------------------------------

TSDDCustomComboBox::TSDDCustomComboBox(TComponent* owner)
    : Framed(owner), searchTimer_(std::make_unique<TTimer>(nullptr)) {
  searchTimer_->SetEnabled(false);
  searchTimer_->SetInterval(kSearchResetMs);
  searchTimer_->SetOnTimer([this](TObject*) { SearchTimerTick(); });
}

TSDDCustomComboBox::~TSDDCustomComboBox() {
  // The window goes while the whole control is there; the timer's handler must not outlive it either.
  DestroyHandle();
  searchTimer_.reset();
}

void TSDDCustomComboBox::SetFlatButtons(bool value) {
  if (StoreChanged(flatButtons_, value)) Invalidate();
}

void TSDDCustomComboBox::SetFlatButtonColor(TColor value) {
  if (StoreChanged(flatButtonColor_, value)) Invalidate();
}

void TSDDCustomComboBox::SetDropDownWidth(int value) {
  if (!StoreChanged(dropDownWidth_, value)) return;
  if (HandleAllocated()) SendMessageA(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(value), 0);
}

void TSDDCustomComboBox::SetReadOnly(bool value) {
  if (!StoreChanged(readOnly_, value)) return;
  if (HandleAllocated() && EditHandle()) SendMessageA(EditHandle(), EM_SETREADONLY, value, 0);
  Invalidate();
}

void TSDDCustomComboBox::CreateWnd() {
  Framed::CreateWnd();
  if (dropDownWidth_ > 0) SendMessageA(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(dropDownWidth_), 0);
  if (readOnly_ && EditHandle()) SendMessageA(EditHandle(), EM_SETREADONLY, TRUE, 0);
}

void TSDDCustomComboBox::SetTextNoComplete(const std::string& text) {
  if (text == Text()) return;
  autoComplete_ = false;
  SetText(text);
  autoComplete_ = true;
}

// ---- search and completion ------------------------------------------------------------------------------------

int TSDDCustomComboBox::FindItem(const std::string& text) {
  if (text.empty()) return -1;
  for (int i = 0; i < Items().Count(); ++i)
    if (StartsWithNoCase(Items().Get(i), text)) return i;
  return -1;
}

void TSDDCustomComboBox::InvalidKey() {
  if (beepOnInvalidKey_) MessageBeep(0);
}

void TSDDCustomComboBox::NotifySelection() {
  selecting_ = true;
  try {
    Click();
    Select();
  } catch (...) {
    selecting_ = false;
    throw;
  }
  selecting_ = false;
}

void TSDDCustomComboBox::SetEditText(const std::string& text, bool report) {
  selecting_ = true;
  try {
    SetText(text);
    if (report) Framed::Change();
  } catch (...) {
    selecting_ = false;
    throw;
  }
  selecting_ = false;
}

void TSDDCustomComboBox::SearchAndSelect(const std::string& text, char key) {
  const int index = FindItem(text);
  if (index < 0) return InvalidKey();
  SetItemIndex(index);
  search_ = text;
  NotifySelection();
  KeyPress(key);
}

bool TSDDCustomComboBox::FindAndComplete(const std::string& text, char key) {
  const int index = FindItem(text);
  if (index < 0) return false;
  const std::string item = Items().Get(index);
  if (keepSearchCase_) {
    SetEditText(text + item.substr(text.size()), false);
  } else {
    SetItemIndex(-1);
    SetItemIndex(index);
  }
  search_ = text;
  NotifySelection();
  if (key) KeyPress(key);
  SetSelStart(static_cast<int>(text.size()));
  SetSelLength(static_cast<int>(item.size() - text.size()));
  OnMatch(this);
  return true;
}

void TSDDCustomComboBox::SearchTimerTick() {
  if (typing_) return;
  searchTimer_->SetEnabled(false);
  search_.clear();
}

// ---- keys of the combo window ---------------------------------------------------------------------------------

void TSDDCustomComboBox::SearchKeyDown(TMessage& m) {
  const auto key = static_cast<WORD>(m.WParam);
  if (key == VK_ESCAPE && DroppedDown()) escape_ = true;
  // A read-only combo box still lets the focus move on.
  if (readOnly_ && key != VK_TAB) return;
  switch (key) {
    case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
      search_.clear();
      break;
    default: break;
  }
  Framed::WndProc(m);
}

void TSDDCustomComboBox::SearchChar(TMessage& m) {
  if (readOnly_) return;
  const auto c = static_cast<unsigned char>(m.WParam);
  if (c == VK_BACK) return SearchBackspace(static_cast<char>(c));
  if (c < ' ') {
    // Escape (and Enter, Tab) pass the key-press handlers, where Escape resets the selection.
    inSearchChar_ = true;
    try {
      Framed::WndProc(m);
    } catch (...) {
      inSearchChar_ = false;
      throw;
    }
    inSearchChar_ = false;
    return;
  }
  typing_ = true;
  try {
    search_ += static_cast<char>(c);
    SearchAndSelect(search_, static_cast<char>(c));
  } catch (...) {
    typing_ = false;
    throw;
  }
  searchTimer_->SetEnabled(false);
  searchTimer_->SetEnabled(true);
  typing_ = false;
}

void TSDDCustomComboBox::SearchBackspace(char key) {
  if (search_.empty()) return InvalidKey();
  search_.resize(WithoutLastChar(search_));
  if (!search_.empty()) return SearchAndSelect(search_, key);
  SetItemIndex(0);
  NotifySelection();
  search_.clear();
  KeyPress(key);
}

void TSDDCustomComboBox::KeyPress(char& key) {
  if (inSearchChar_ && key == '\x1b') {
    if (escape_) {
      escape_ = false;
    } else {
      SetItemIndex(0);
      NotifySelection();
    }
  }
  if (key == '\r' && tabOnEnter_ && !DroppedDown()) {
    key = 0;
    PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
    return;
  }
  if (Style() == csDropDown && static_cast<unsigned char>(key) >= ' ' && MaxLength() >= 1 &&
      static_cast<int>(Text().size()) >= MaxLength() && SelLength() == 0) {
    MessageBeep(0);
    key = 0;
    return;
  }
  Framed::KeyPress(key);
  if (key == '\t' && AutoDropDown() && DroppedDown()) SetDroppedDown(false);
}

// ---- keys of the edit -----------------------------------------------------------------------------------------

bool TSDDCustomComboBox::ReadOnlyDropsEditKey(const TMessage& m) const {
  switch (m.Msg) {
    case WM_KEYDOWN:
      switch (m.WParam) {
        case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_F4: return true;
        default: return false;
      }
    case WM_SYSKEYDOWN: return m.WParam != VK_F4;
    case WM_CHAR: return m.WParam != 3;  // Ctrl+C copies
    default: return false;
  }
}

void TSDDCustomComboBox::EditWndProc(TMessage& m) {
  if (m.Msg == WM_MOUSEMOVE) TrackEditMouse();
  if (m.Msg == WM_MOUSELEAVE) {
    trackingEdit_ = false;
    MouseLeft();
  }
  if (readOnly_ && ReadOnlyDropsEditKey(m)) return;
  if (!autoComplete_) return Framed::EditWndProc(m);
  constexpr WPARAM kCtrlX = 24, kCtrlV = 22;
  switch (m.Msg) {
    case WM_CHAR: {
      const auto c = static_cast<unsigned char>(m.WParam);
      if (c == VK_BACK) return CompletionBackspace();
      if (c >= ' ' && c != 127) return CompletionChar(m);
      if (!allowEdit_ && (m.WParam == kCtrlX || m.WParam == kCtrlV)) return;
      Framed::EditWndProc(m);
      if (m.WParam == kCtrlX || m.WParam == kCtrlV) FindAndComplete(Text(), 0);
      return;
    }
    case WM_KEYDOWN: {
      const auto key = static_cast<WORD>(m.WParam);
      if (!allowEdit_ && key == VK_INSERT) return;
      if (!allowEdit_ && key == VK_DELETE && !(SelStart() == 0 && SelLength() == static_cast<int>(Text().size())))
        return;
      if (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT) {
        selecting_ = true;
        search_.clear();
      }
      if (key == VK_RETURN) skipCompletion_ = true;
      Framed::EditWndProc(m);
      if (key == VK_INSERT && GetKeyState(VK_SHIFT) < 0) FindAndComplete(Text(), 0);
      return;
    }
    default: return Framed::EditWndProc(m);
  }
}

// The key-press handlers see the character first and may drop or change it; then it completes the text or, when
// it starts no item, is kept (AllowEdit) or refused.
void TSDDCustomComboBox::CompletionChar(TMessage& m) {
  char key = static_cast<char>(m.WParam);
  KeyPress(key);
  if (key == 0) return;
  std::string typed(1, key);
  MSG trail{};
  if (IsDBCSLeadByte(static_cast<BYTE>(key)) && PeekMessageA(&trail, EditHandle(), WM_CHAR, WM_CHAR, PM_REMOVE))
    typed += static_cast<char>(trail.wParam);
  const std::string text = Text();
  const auto start = static_cast<size_t>(std::min<int>(SelStart(), static_cast<int>(text.size())));
  const auto end = std::min(text.size(), start + static_cast<size_t>(std::max(SelLength(), 0)));
  const std::string prospective = text.substr(0, start) + typed + text.substr(end);
  if (FindAndComplete(prospective, 0)) return;
  if (!allowEdit_) return InvalidKey();
  SetEditText(prospective, true);
  SetSelStart(static_cast<int>(start + typed.size()));
}

void TSDDCustomComboBox::CompletionBackspace() {
  const std::string text = Text();
  if (text.empty()) return InvalidKey();
  const auto start = static_cast<size_t>(std::min<int>(SelStart(), static_cast<int>(text.size())));
  const auto end = std::min(text.size(), start + static_cast<size_t>(std::max(SelLength(), 0)));
  // The selected completion goes with the character before it.
  const size_t from = start > 0 ? WithoutLastChar(text.substr(0, start)) : 0;
  const std::string rest = text.substr(0, from) + text.substr(end);
  if (rest.empty()) {
    SetItemIndex(-1);
    search_.clear();
    SetEditText("", false);
    return NotifySelection();
  }
  if (FindAndComplete(rest, 0)) return;
  search_ = rest;
  SetEditText(rest, true);
  SetSelStart(static_cast<int>(from));
}

// ---- notifications and wheel ----------------------------------------------------------------------------------

void TSDDCustomComboBox::Change() {
  if (Style() == csDropDown && autoComplete_ && !selecting_ && !DroppedDown() && !HasState(csDesigning)) {
    if (skipCompletion_) {
      skipCompletion_ = false;
    } else {
      search_ = Text();
      const int index = FindItem(search_);
      if (index >= 0) {
        selecting_ = true;
        SetItemIndex(index);
        SetSelStart(static_cast<int>(search_.size()));
        SetSelLength(static_cast<int>(Items().Get(index).size() - search_.size()));
      }
    }
  }
  selecting_ = false;
  Framed::Change();
}

void TSDDCustomComboBox::CloseUp() {
  selecting_ = false;
  if (selEndOkPending_) {
    selEndOkPending_ = false;
    OnSelEndOk(this);
  }
  Framed::CloseUp();
  Invalidate();
}

void TSDDCustomComboBox::DeleteItem(void* data) {
  if (data) OnDeleteItem(this, data);
  Framed::DeleteItem(data);
}

void TSDDCustomComboBox::CNCommand(TMessage& m) {
  // What the base keeps from the handlers is not reported here either.
  if (NotificationsMuted()) return Framed::CNCommand(m);
  switch (HIWORD(m.WParam)) {
    case CBN_SELENDOK:
      // The choice made in the open list is reported when the list closes: OnSelEndOk follows it.
      selecting_ = true;
      if (DroppedDown()) selEndOkPending_ = true;
      else OnSelEndOk(this);
      return Framed::CNCommand(m);
    case CBN_SELENDCANCEL:
      Framed::CNCommand(m);
      return OnSelEndCancel(this);
    default: return Framed::CNCommand(m);
  }
}

// One item a notch; at either end, or without items, nothing changes and nothing is reported.
void TSDDCustomComboBox::WMMouseWheel(TMessage& m) {
  m.Result = 1;
  if (FormHandlesMouseWheel(this, m.WParam, m.LParam) || readOnly_) return;
  const int delta = GET_WHEEL_DELTA_WPARAM(m.WParam);
  if (DroppedDown()) {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int top = static_cast<int>(SendMessageA(Handle(), CB_GETTOPINDEX, 0, 0));
    const int next = std::max(0, top - delta / WHEEL_DELTA * static_cast<int>(lines));
    SendMessageA(Handle(), CB_SETTOPINDEX, static_cast<WPARAM>(next), 0);
    return;
  }
  const int count = Items().Count();
  if (count == 0 || delta == 0) return;
  const int index = ItemIndex();
  const int next = std::clamp(delta < 0 ? index + 1 : index - 1, 0, count - 1);
  if (next == index) return;
  SetItemIndex(next);
  NotifySelection();
}

void TSDDCustomComboBox::DoExit() {
  Framed::DoExit();
  search_.clear();
  searchTimer_->SetEnabled(false);
  if (Style() == csDropDown && !Text().empty() && IndexOf(Text()) < 0) OnNotInList(this);
}

// ---- hot state and painting -----------------------------------------------------------------------------------

void TSDDCustomComboBox::HotStateChanged() {
  if (!(flatButtons_ || FrameHotTrack()) || DroppedDown() || !HandleAllocated()) return;
  const TRect client = ClientRect();
  RECT r = ToRECT(client);
  if (!FrameHotTrack()) r.left = client.Right - (ScrollBarWidth() + 2);
  RedrawWindow(Handle(), &r, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW);
}

bool TSDDCustomComboBox::CursorInside() {
  POINT p{};
  RECT r{};
  return HandleAllocated() && GetCursorPos(&p) && GetWindowRect(Handle(), &r) && PtInRect(&r, p);
}

// The mouse over the edit is over the combo box: its edit window reports moves and leaving on its own.
void TSDDCustomComboBox::TrackEditMouse() {
  if (trackingEdit_) return;
  TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, EditHandle(), 0};
  trackingEdit_ = TrackMouseEvent(&tme) != 0;
  MouseEntered();
}

void TSDDCustomComboBox::MouseEntered() {
  if (!MouseInState()) Framed::MouseEntered();
}

void TSDDCustomComboBox::MouseLeft() {
  if (MouseInState() && !CursorInside()) Framed::MouseLeft();
}

TRect TSDDCustomComboBox::ButtonRect(int border) {
  return {Width() - border - ScrollBarWidth(), border, Width() - border, Height() - border};
}

void TSDDCustomComboBox::PaintOver(TCanvas& canvas) {
  const bool styled = VisualStylesEnabled();
  const int border = styled ? 1 : 2;
  const TRect client{0, 0, Width(), Height()};
  const TRect button = ButtonRect(border);
  const TColor color = Color();
  const bool ownFrame = FrameVisible() && !UseThemes();
  if (styled) {
    // The platform's themed field leaves a light ring inside its edge: the control's colour covers it.
    if (ownFrame) DrawFrameLines(canvas, client, color, AllSides, color);
    TRect inner = client;
    inner.Right = button.Left;
    if (ownFrame || ColorToRGB(color) != ColorToRGB(clWhite))
      DrawFrameRings(canvas, inner.Inflate(-1, -1), color, AllSides, 2, color);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect({button.Left - 3, button.Top, button.Left, button.Bottom});
  } else if (ownFrame) {
    DrawFrameRings(canvas, client, color, AllSides, 2, color);
  }
  const bool hot = FocusedState() || MouseInState();
  const bool dropped = DroppedDown();
  if (readOnly_) {
    canvas.Brush().SetColor(color);
    canvas.FillRect(button);
  } else if (flatButtons_ && hot) {
    TThemeHandle theme(L"ComboBox");
    if (!styled || !theme.DrawBackground(Handle(), canvas.Handle(), CP_DROPDOWNBUTTON,
                                         dropped ? CBXS_PRESSED : CBXS_HOT, button))
      DrawFlatButtonFace(canvas, button, flatButtonColor_, dropped);
  } else if (flatButtons_) {
    canvas.Brush().SetColor(color);
    canvas.FillRect(button);
    DrawDropDownArrow(canvas, button, styled ? fpXPThemes : fpCustomFraming, Enabled(), false);
  }
  if (ownFrame) {
    const bool frameHot = FrameHot();
    DrawControlFrame(canvas, Width(), Height(), true, FrameSides(), frameHot ? FrameHotColor() : FrameColor(), color,
                     frameHot ? FrameHotStyle() : FrameStyle());
  }
}

void TSDDCustomComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  const bool selected = state.Contains(odSelected);
  if (index < 0) {
    if (selected) DrawDottedRect(Canvas(), rect);
    else Canvas().FillRect(rect);
    return;
  }
  Framed::DrawItem(index, rect, state);
  if (selected && itemFocusOutline_) DrawDottedRect(Canvas(), rect);
}

// ---- messages -------------------------------------------------------------------------------------------------

void TSDDCustomComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN: return SearchKeyDown(m);
    case WM_CHAR: return SearchChar(m);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (readOnly_) return;
      return Framed::WndProc(m);
    case WM_CUT:
    case WM_PASTE:
      if (!allowEdit_) return;
      Framed::WndProc(m);
      if (autoComplete_) FindAndComplete(Text(), 0);
      return;
    case WM_SIZE:
      Framed::WndProc(m);
      if (FrameVisible() && !UseThemes()) Invalidate();
      return;
    default: return Framed::WndProc(m);
  }
}
