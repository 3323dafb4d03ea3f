// The SDD page control and its tab sheets: the tab control with pages. Each TSDDTabSheet child is one page that
// fills the page area; the tabs are built from the pages whose tab is visible, and selecting a tab shows its page
// and hides the one shown before. A page whose tab is hidden can still be the active page (the control is then a
// plain frame round one page).
//
// Pages join when a layout reads them inside the page control or when their PageControl is set, and leave when
// they are freed or given another page control. Only the page control shows and hides pages.
//
// Docking (with DockSite): every control docked onto the page control gets a sheet of its own, the page control
// owning it; the sheet's caption is the control's caption up to its first line break and follows its changes, the
// tab shows while the control does, and a shown control's sheet becomes the active page. While a control is dragged
// over, the dock rectangle is the whole window; a control docked here already cannot dock again. A left press on
// the tab of such a sheet drags the control (it undocks where it is dropped); a double click floats it (with
// DblClickUndocks). When a docked control leaves, or is destroyed, its sheet is freed, and when that sheet was the
// active page the next page with a visible tab becomes active.
//
// Sections: tab sheet; page control.
#pragma once

#include <string>
#include <vector>

#include "sddcontrols/unSDDTabs.h"

class TSDDPageControl;

// ---- tab sheet ------------------------------------------------------------------------------------------------

class TSDDTabSheet : public TCustomControl {
public:
  explicit TSDDTabSheet(TComponent* owner);
  ~TSDDTabSheet() override;

  TSDDPageControl* PageControl() const { return pageControl_; }
  // Leaves the old page control, takes the new one as parent and joins the end of its pages.
  void SetPageControl(TSDDPageControl* value);
  // The place among the page control's pages, -1 without one.
  int PageIndex() const;
  // Throws Exception "<value> is an invalid PageIndex value. PageIndex must be between 0 and <PageCount - 1>" for
  // a place that does not exist; nothing without a page control.
  void SetPageIndex(int value);
  // -1 while the tab is hidden, else the number of pages before this one whose tab is visible.
  int TabIndex() const;

  TColor Color() const { return TControl::Color(); }
  // A colour other than the page control's switches its UseColoredTabs on.
  void SetColor(TColor value);
  int DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(int value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  bool TabEnabled() const { return tabEnabled_; }
  void SetTabEnabled(bool value);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool value);
  bool Visible() const { return TControl::Visible(); }
  // Throws Exception "You cannot change the Visible property of a page": the page control shows its pages.
  void SetVisible(bool value);

  TSDDPaintBackgroundEvent OnPaintBackground;

  void WndProc(TMessage& message) override;

protected:
  void Paint() override;
  // Into a tab record: Caption, Color, TabEnabled, TabVisible, Hint, ImageIndex and DisabledIndex.
  void AssignTo(TPersistent& dest) const override;

private:
  friend class TSDDPageControl;
  void ShowPage(bool value) { TControl::SetVisible(value); }
  void ReleaseWindow() { DestroyHandle(); }
  void TabChanged();

  TSDDPageControl* pageControl_ = nullptr;
  int disabledIndex_ = -1;
  int imageIndex_ = -1;
  bool tabEnabled_ = true;
  bool tabVisible_ = true;
};

// ---- page control ---------------------------------------------------------------------------------------------

class TSDDPageControl : public TSDDCustomTabControl {
public:
  explicit TSDDPageControl(TComponent* owner);
  ~TSDDPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  // Throws EListError for an index out of range.
  TSDDTabSheet* Pages(int index) const;

  TSDDTabSheet* ActivePage() const { return activePage_; }
  // A page of another page control is ignored. The page shows, then its tab is selected (OnChanging may refuse:
  // the old page then stays the only one shown). While a layout is read the page is only stored.
  void SetActivePage(TSDDTabSheet* value);
  // The page shown after loading when it differs from the streamed ActivePage.
  TSDDTabSheet* ActivePageDefault() const { return activePageDefault_; }
  void SetActivePageDefault(TSDDTabSheet* value);
  int ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }
  void SetActivePageIndex(int value) { SetActivePage(Pages(value)); }
  // Only the active page keeps its window (not while a layout is read).
  bool SaveResources() const { return saveResources_; }
  void SetSaveResources(bool value);
  bool DblClickUndocks() const { return dblClickUndocks_; }
  void SetDblClickUndocks(bool value) { dblClickUndocks_ = value; }
  // The control docked on a page, or null.
  TControl* DockClientOfPage(const TSDDTabSheet* page) const;
  // The page of a control docked here, or null.
  TSDDTabSheet* PageOfDockClient(const TControl* client) const;

  // The next (or previous) page after `current` with a visible tab (any page without `checkTabVisible`),
  // wrapping round; a page not in the list starts from the last page going forward, the first going back. Null
  // without pages or after a full circle.
  TSDDTabSheet* FindNextPage(TSDDTabSheet* current, bool forward, bool checkTabVisible) const;
  void SelectNextPage(bool forward);

  // The close button: frees the active page and selects the tab before it (or tab 0).
  void CloseTab() override;
  // A tab dropped onto tab `newIndex`: the active page moves to that tab's page's place.
  void MoveTab(int newIndex) override;
  // Rebuilds the tabs from the pages, then lays out again.
  void LayoutChanged() override;
  // Off (with a parent) sets every page's colour to the control's.
  void SetUseColoredTabs(bool value) override;

  // The dock rectangle is the window; a control docked here already is refused.
  void DockOver(TDragDockObject& source, int x, int y, TDragState state, bool& accept) override;
  void GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos, bool& canDock) override;

  void WndProc(TMessage& message) override;

protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Asks OnChanging (not while loading) and shows the page of the new tab.
  void DoChanging(int newIndex, bool& allowChange) override;
  void Change() override;
  // The front card shows the active page's colour.
  void PaintCardBackground(TCanvas& canvas, int row, const TRect& rect, bool& handled) override;
  void HideAllTabs() override;
  void ShowAllTabs() override;
  // A press on a docked control's tab drags the control; a double click floats it.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void DockClient(TDragDockObject& source, TPoint clientPos) override;
  void DoAddDockClient(TControl* client, const TRect& rect) override;
  bool DoUnDock(TWinControl* newTarget, TControl* client) override;
  void DoRemoveDockClient(TControl* client) override;
  void CMDockNotification(TMessage& m) override;

private:
  friend class TSDDTabSheet;
  void InsertPage(TSDDTabSheet* page);
  void RemovePage(TSDDTabSheet* page);
  void MovePage(TSDDTabSheet* page, int index);
  void RebuildTabs();
  void ChangeActivePage(TSDDTabSheet* page);
  TSDDTabSheet* PageOfTab(int tabIndex) const;
  void CMDialogKey(TMessage& m);
  void CMColorChanged(TMessage& m);
  void CMShowControl(TMessage& m);
  void WMSetFocus(TMessage& m);

  std::vector<TSDDTabSheet*> pages_;  // in page order; the pages belong to their owner
  TSDDTabSheet* activePage_ = nullptr;
  TSDDTabSheet* activePageDefault_ = nullptr;
  bool saveResources_ = false;
  bool dblClickUndocks_ = true;
  bool inLoaded_ = false;
  TSDDTabSheet* newDockSheet_ = nullptr;   // the sheet a control being docked goes into
  TSDDTabSheet* undockingPage_ = nullptr;  // the sheet of a control leaving, freed once it has left
};
