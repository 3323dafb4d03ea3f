// Sections: tab sheet; page control set-up; pages; active page; tabs; loading; keyboard, focus and colours;
// docking.
#include "sddcontrols/unSDDPageControl.h"

#include <algorithm>
#include <cstdio>

#include "classlib/DragDock.h"
#include "classlib/Forms.h"
#include "classlib/core/SysUtils.h"

// ---- tab sheet ------------------------------------------------------------------------------------------------

TSDDTabSheet::TSDDTabSheet(TComponent* owner) : TCustomControl(owner) {
  controlStyle_.Include(csAcceptsControls).Include(csOpaque).Include(csNoDesignVisible);
  ShowPage(false);
  TControl::SetColor(clBtnFace);
  SetAlign(alClient);
}

TSDDTabSheet::~TSDDTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

void TSDDTabSheet::SetPageControl(TSDDPageControl* value) {
  if (value == pageControl_) return;
  if (pageControl_) pageControl_->RemovePage(this);
  SetParent(value);
  if (value) value->InsertPage(this);
}

int TSDDTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TSDDTabSheet::SetPageIndex(int value) {
  if (!pageControl_) return;
  const int last = pageControl_->PageCount() - 1;
  if (value < 0 || value > last) {
    char text[128];
    std::snprintf(text, sizeof(text), "%d is an invalid PageIndex value. PageIndex must be between 0 and %d", value,
                  last);
    throw Exception(text);
  }
  pageControl_->MovePage(this, value);
}

int TSDDTabSheet::TabIndex() const {
  if (!tabVisible_) return -1;
  if (!pageControl_) return 0;
  int index = 0;
  for (const TSDDTabSheet* page : pageControl_->pages_) {
    if (page == this) break;
    if (page->tabVisible_) ++index;
  }
  return index;
}

void TSDDTabSheet::SetColor(TColor value) {
  if (value == Color()) return;
  if (pageControl_ && !pageControl_->UseColoredTabs() && value != pageControl_->Color())
    pageControl_->SetUseColoredTabs(true);
  TControl::SetColor(value);
  TabChanged();
}

void TSDDTabSheet::SetDisabledIndex(int v) {
  if (StoreChanged(disabledIndex_, v)) TabChanged();
}
void TSDDTabSheet::SetImageIndex(int v) {
  if (StoreChanged(imageIndex_, v)) TabChanged();
}
void TSDDTabSheet::SetTabEnabled(bool v) {
  if (StoreChanged(tabEnabled_, v)) TabChanged();
}
void TSDDTabSheet::SetTabVisible(bool v) {
  if (StoreChanged(tabVisible_, v)) TabChanged();
}

void TSDDTabSheet::SetVisible(bool) { throw Exception("You cannot change the Visible property of a page"); }

void TSDDTabSheet::TabChanged() {
  if (pageControl_) pageControl_->LayoutChanged();
}

void TSDDTabSheet::AssignTo(TPersistent& dest) const {
  auto* tab = dynamic_cast<TSDDTabData*>(&dest);
  if (!tab) return TCustomControl::AssignTo(dest);
  tab->Caption = Caption();
  tab->Color = Color();
  tab->Enabled = tabEnabled_;
  tab->Visible = tabVisible_;
  tab->Hint = Hint();
  tab->ImageIndex = imageIndex_;
  tab->DisabledIndex = disabledIndex_;
}

void TSDDTabSheet::Paint() {
  const TRect r = ClientRect();
  bool handled = false;
  OnPaintBackground(this, Canvas(), r, handled);
  if (handled) return;
  Canvas().Brush().SetStyle(bsSolid);
  Canvas().Brush().SetColor(Color());
  Canvas().FillRect(r);
}

void TSDDTabSheet::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_TEXTCHANGED:
      TCustomControl::WndProc(m);
      return TabChanged();
    default: return TCustomControl::WndProc(m);
  }
}

// ---- page control set-up --------------------------------------------------------------------------------------

TSDDPageControl::TSDDPageControl(TComponent* owner) : TSDDCustomTabControl(owner) {
  controlStyle_.Exclude(csAcceptsControls).Include(csOpaque);
  SetHeight(150);
  TSDDCustomTabControl::SetUseColoredTabs(false);
}

TSDDPageControl::~TSDDPageControl() {
  // The pages belong to their owner, which frees them later: they forget this control.
  for (TSDDTabSheet* page : pages_) page->pageControl_ = nullptr;
  pages_.clear();
  activePage_ = nullptr;
  activePageDefault_ = nullptr;
}

void TSDDPageControl::SetSaveResources(bool value) {
  if (!StoreChanged(saveResources_, value) || !value) return;
  for (TSDDTabSheet* page : pages_)
    if (page != activePage_) page->ReleaseWindow();
}

// ---- pages ----------------------------------------------------------------------------------------------------

TSDDTabSheet* TSDDPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return pages_[static_cast<size_t>(index)];
}

void TSDDPageControl::InsertPage(TSDDTabSheet* page) {
  pages_.push_back(page);
  page->pageControl_ = this;
  LayoutChanged();
}

void TSDDPageControl::RemovePage(TSDDTabSheet* page) {
  if (page == activePageDefault_) activePageDefault_ = nullptr;
  if (page == undockingPage_) undockingPage_ = nullptr;
  if (page == newDockSheet_) newDockSheet_ = nullptr;
  const bool destroying = HasState(csDestroying);
  if (page == activePage_) {
    if (destroying) {
      activePage_ = nullptr;
    } else {
      ChangeActivePage(nullptr);
      RenumberSelection(-1);
    }
  }
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  page->pageControl_ = nullptr;
  if (!destroying) LayoutChanged();
}

void TSDDPageControl::MovePage(TSDDTabSheet* page, int index) {
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  pages_.insert(pages_.begin() + index, page);
  LayoutChanged();
}

TSDDTabSheet* TSDDPageControl::FindNextPage(TSDDTabSheet* current, bool forward, bool checkTabVisible) const {
  const int count = PageCount();
  if (count == 0) return nullptr;
  int i = static_cast<int>(std::find(pages_.begin(), pages_.end(), current) - pages_.begin());
  if (i == count) i = forward ? count - 1 : 0;
  for (int k = 0; k < count; ++k) {
    i = forward ? (i + 1) % count : (i + count - 1) % count;
    TSDDTabSheet* page = pages_[static_cast<size_t>(i)];
    if (!checkTabVisible || page->TabVisible()) return page;
  }
  return nullptr;
}

void TSDDPageControl::SelectNextPage(bool forward) {
  TSDDTabSheet* page = FindNextPage(activePage_, forward, true);
  if (page && page != activePage_) SetActivePage(page);
}

TSDDTabSheet* TSDDPageControl::PageOfTab(int tabIndex) const {
  if (tabIndex < 0) return nullptr;
  for (TSDDTabSheet* page : pages_)
    if (page->TabIndex() == tabIndex) return page;
  return nullptr;
}

void TSDDPageControl::CloseTab() {
  if (!activePage_) return;
  const int index = TabIndex();
  delete activePage_;
  if (Tabs().Count() > 0) SetTabIndex(std::max(index - 1, 0));
}

void TSDDPageControl::MoveTab(int newIndex) {
  TSDDTabSheet* target = PageOfTab(newIndex);
  if (activePage_ && target) activePage_->SetPageIndex(target->PageIndex());
}

void TSDDPageControl::HideAllTabs() {
  for (TSDDTabSheet* page : std::vector<TSDDTabSheet*>(pages_)) page->SetTabVisible(false);
}

void TSDDPageControl::ShowAllTabs() {
  for (TSDDTabSheet* page : std::vector<TSDDTabSheet*>(pages_)) page->SetTabVisible(true);
}

// ---- active page ----------------------------------------------------------------------------------------------

void TSDDPageControl::SetActivePage(TSDDTabSheet* page) {
  if (page && page->PageControl() != this) return;
  const bool wasShown = page && page->Visible();
  if (page) page->ShowPage(true);
  if (Loading()) {
    activePage_ = page;
    return;
  }
  const int index = page ? page->TabIndex() : -1;
  if (index < 0 || index == TabIndex()) ChangeActivePage(page);
  SetTabIndex(index);
  // A change OnChanging refused leaves the old page the only one shown.
  if (page && page != activePage_ && !wasShown) page->ShowPage(false);
}

void TSDDPageControl::SetActivePageDefault(TSDDTabSheet* value) {
  if (value == activePageDefault_) return;
  if (activePageDefault_) activePageDefault_->RemoveFreeNotification(this);
  activePageDefault_ = value;
  if (value) value->FreeNotification(this);
}

void TSDDPageControl::Notification(TComponent* component, TOperation operation) {
  TSDDCustomTabControl::Notification(component, operation);
  if (operation == opRemove && component == activePageDefault_) activePageDefault_ = nullptr;
}

void TSDDPageControl::ChangeActivePage(TSDDTabSheet* page) {
  if (page == activePage_) return;
  TCustomForm* form = GetParentForm(this);
  TSDDTabSheet* old = activePage_;
  // The focus leaves the old page through the page itself, so that it can go on to the new one.
  if (form && old && form->ActiveControl() && old->ContainsControl(form->ActiveControl()))
    form->SetActiveControl(old);
  if (page) {
    page->BringToFront();
    page->ShowPage(true);
    if (form && old && form->ActiveControl() == old)
      form->SetActiveControl(page->CanFocus() ? static_cast<TWinControl*>(page) : this);
  }
  if (old) {
    old->ShowPage(false);
    if (saveResources_) old->ReleaseWindow();
  }
  activePage_ = page;
  if (form && page && form->ActiveControl() == page) page->SelectNext(nullptr, true, true);
}

void TSDDPageControl::DoChanging(int newIndex, bool& allowChange) {
  if (!inLoaded_) TSDDCustomTabControl::DoChanging(newIndex, allowChange);
  if (allowChange) ChangeActivePage(PageOfTab(newIndex));
}

void TSDDPageControl::Change() {
  if (!inLoaded_) TSDDCustomTabControl::Change();
}

// ---- tabs -----------------------------------------------------------------------------------------------------

void TSDDPageControl::RebuildTabs() {
  Tabs().Clear();
  for (TSDDTabSheet* page : pages_) {
    if (!page->TabVisible()) continue;
    auto* tab = new TSDDTabData;
    Tabs().Add(tab);
    tab->Assign(page);
  }
  // The active page keeps its tab selected under the tab's new number (none while its tab is hidden).
  if (activePage_) RenumberSelection(activePage_->TabIndex());
}

void TSDDPageControl::LayoutChanged() {
  RebuildTabs();
  TSDDCustomTabControl::LayoutChanged();
}

void TSDDPageControl::PaintCardBackground(TCanvas& canvas, int row, const TRect& rect, bool& handled) {
  TSDDCustomTabControl::PaintCardBackground(canvas, row, rect, handled);
  if (handled || row != 0 || TabIndex() < 0 || !activePage_) return;
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(activePage_->Color());
  canvas.FillRect(rect);
  handled = true;
}

// ---- loading --------------------------------------------------------------------------------------------------

void TSDDPageControl::Loaded() {
  inLoaded_ = true;
  struct TLoadedScope {
    bool& flag;
    ~TLoadedScope() { flag = false; }
  } scope{inLoaded_};
  // The page to show comes from ActivePage (or ActivePageDefault), not from a streamed TabIndex.
  RenumberSelection(-1);
  TSDDCustomTabControl::Loaded();
  RebuildTabs();
  TSDDTabSheet* page = activePage_;
  if (activePageDefault_ && activePageDefault_ != activePage_) {
    if (activePage_) activePage_->ShowPage(false);
    page = activePageDefault_;
  }
  activePage_ = nullptr;
  LayoutChanged();
  SetActivePage(page);
}

// ---- keyboard, focus and colours ------------------------------------------------------------------------------

void TSDDPageControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGKEY: return CMDialogKey(m);
    case CM_COLORCHANGED: return CMColorChanged(m);
    case CM_SHOWCONTROL: return CMShowControl(m);
    case WM_SETFOCUS: return WMSetFocus(m);
    default: return TSDDCustomTabControl::WndProc(m);
  }
}

// Ctrl+Tab (Ctrl+Shift+Tab) from a control inside the page control moves to the next (previous) page.
void TSDDPageControl::CMDialogKey(TMessage& m) {
  TSDDCustomTabControl::WndProc(m);
  if (m.Result != 0 || m.WParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0) return;
  TCustomForm* form = GetParentForm(this);
  if (!form || !form->ActiveControl() || !ContainsControl(form->ActiveControl())) return;
  SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
  m.Result = 1;
}

void TSDDPageControl::CMColorChanged(TMessage& m) {
  if (!UseColoredTabs())
    for (TSDDTabSheet* page : std::vector<TSDDTabSheet*>(pages_)) page->SetColor(Color());
  TSDDCustomTabControl::WndProc(m);
}

void TSDDPageControl::SetUseColoredTabs(bool value) {
  if (value == UseColoredTabs()) return;
  TSDDCustomTabControl::SetUseColoredTabs(value);
  if (!value && Parent()) Perform(CM_COLORCHANGED);
}

void TSDDPageControl::CMShowControl(TMessage& m) {
  auto* control = reinterpret_cast<TControl*>(m.LParam);
  auto* page = dynamic_cast<TSDDTabSheet*>(control);
  if (!page || page->PageControl() != this) return TSDDCustomTabControl::WndProc(m);
  SetActivePage(page);
  m.Result = 1;
}

// A page without a tab is a plain frame: the focus goes on to the page's first control.
void TSDDPageControl::WMSetFocus(TMessage& m) {
  TSDDCustomTabControl::WndProc(m);
  if (!activePage_ || activePage_->TabVisible() || activePage_->ControlCount() == 0) return;
  if (TWinControl* first = activePage_->FindNextControl(nullptr, true, true, false)) first->SetFocus();
}

// ---- docking --------------------------------------------------------------------------------------------------

namespace {

// A caption for a tab: the text up to its first line break.
std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

}  // namespace

TControl* TSDDPageControl::DockClientOfPage(const TSDDTabSheet* page) const {
  if (!page) return nullptr;
  for (int i = 0; i < page->ControlCount(); ++i)
    if (page->Controls(i)->HostDockSite() == this) return page->Controls(i);
  return nullptr;
}

TSDDTabSheet* TSDDPageControl::PageOfDockClient(const TControl* client) const {
  if (!client || client->HostDockSite() != this) return nullptr;
  for (TSDDTabSheet* page : pages_)
    if (client->Parent() == page) return page;
  return nullptr;
}

void TSDDPageControl::DockOver(TDragDockObject& source, int x, int y, TDragState state, bool& accept) {
  RECT r{};
  GetWindowRect(Handle(), &r);
  source.DockRect = FromRECT(r);
  DoDockOver(source, x, y, state, accept);
}

void TSDDPageControl::GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos, bool& canDock) {
  canDock = PageOfDockClient(client) == nullptr;
  TSDDCustomTabControl::GetSiteInfo(client, influenceRect, mousePos, canDock);
}

void TSDDPageControl::DockClient(TDragDockObject& source, TPoint clientPos) {
  TControl* client = source.Control();
  auto* sheet = new TSDDTabSheet(this);
  struct TSheetScope {
    TSDDTabSheet*& field;
    ~TSheetScope() { field = nullptr; }
  } scope{newDockSheet_};
  newDockSheet_ = sheet;
  try {
    sheet->SetCaption(FirstLine(client->Caption()));
    sheet->SetPageControl(this);
    TSDDCustomTabControl::DockClient(source, clientPos);
  } catch (...) {
    if (client->Parent() != sheet) delete sheet;
    throw;
  }
  sheet->SetTabVisible(client->Visible());
  if (client->Visible()) SetActivePage(sheet);
}

void TSDDPageControl::DoAddDockClient(TControl* client, const TRect& rect) {
  if (!newDockSheet_) return TSDDCustomTabControl::DoAddDockClient(client, rect);
  client->SetParent(newDockSheet_);
  client->SetAlign(alClient);
}

bool TSDDPageControl::DoUnDock(TWinControl* newTarget, TControl* client) {
  if (!TSDDCustomTabControl::DoUnDock(newTarget, client)) return false;
  undockingPage_ = PageOfDockClient(client);
  client->SetAlign(alNone);
  return true;
}

// `client` may be in its destructor (then it still sits on its sheet): only its place in the tree is read.
void TSDDPageControl::DoRemoveDockClient(TControl* client) {
  TSDDTabSheet* page = undockingPage_;
  undockingPage_ = nullptr;
  if (!page)
    for (TSDDTabSheet* p : pages_)
      if (client->Parent() == p) page = p;
  if (!page || HasState(csDestroying)) return;
  if (page == activePage_)
    if (TSDDTabSheet* next = FindNextPage(page, true, true); next && next != page) SetActivePage(next);
  delete page;
}

void TSDDPageControl::CMDockNotification(TMessage& m) {
  const auto* client = reinterpret_cast<const TControl*>(m.WParam);
  if (TSDDTabSheet* page = PageOfDockClient(client)) {
    if (m.LParam == CM_TEXTCHANGED) page->SetCaption(FirstLine(client->Caption()));
    if (m.LParam == CM_VISIBLECHANGED) page->SetTabVisible(client->Visible());
  }
  TSDDCustomTabControl::CMDockNotification(m);
}

void TSDDPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TSDDCustomTabControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  TControl* client = DockClientOfPage(PageOfTab(TabAtPos(x, y)));
  if (!client) return;
  if (!shift.Contains(ssDouble))
    client->BeginDrag(false, -1);
  else if (dblClickUndocks_)
    client->ManualDock(nullptr);
}
