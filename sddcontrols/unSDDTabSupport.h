// What the SDD tab control is built from: the tab record and its list, the two colour sets it publishes, the
// cache of tab-shape regions, and the two child buttons it places on its tab strip (the scroller of a single row
// and the close button).
//
// Sections: tab data; colour sets; region cache; strip buttons; scroller; close button.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/Themes.h"
#include "sddcontrols/core/unSDDCommonTypes.h"

class TSDDCustomTabControl;

// ---- tab data -------------------------------------------------------------------------------------------------

// One tab as the tab control sees it. Rect and Row are written by the layout (Rect in row space).
class TSDDTabData : public TPersistent {
public:
  std::string Caption;
  TColor Color = clBtnFace;
  int DisabledIndex = -1;  // image shown while the tab is disabled; -1: the image greyed
  bool Enabled = true;
  std::string Hint;
  int ImageIndex = -1;
  TRect Rect;
  bool Visible = true;
  int Row = 0;

  // From another tab: everything but Rect and Row. Other sources assign themselves (a tab sheet does).
  void Assign(const TPersistent* source) override;
};

// Owns its tabs.
class TSDDTabDataList : public TPersistent {
public:
  ~TSDDTabDataList() override;

  int Count() const { return static_cast<int>(items_.size()); }
  // Throws EListError for an index out of range.
  TSDDTabData& Items(int index) const;
  // Frees the tab it replaces and takes `item`.
  void SetItems(int index, TSDDTabData* item);
  // Takes `item`.
  void Add(TSDDTabData* item);
  void Clear();
  // From another list: a copy of every tab.
  void Assign(const TPersistent* source) override;

private:
  std::vector<std::unique_ptr<TSDDTabData>> items_;
};

// ---- colour sets ----------------------------------------------------------------------------------------------

// What both colour sets share: a change repaints their owner (the tab control) once.
class TSDDTabColorSet : public TPersistent {
public:
  explicit TSDDTabColorSet(TSDDCustomTabControl* owner) : owner_(owner) {}

protected:
  void Store(TColor& field, TColor value) {
    if (StoreChanged(field, value)) Changed();
  }
  void Changed();

private:
  TSDDCustomTabControl* owner_;
};

// The tab colours: the bar on the selected tab, the fill of the unselected tabs and the end colour of their
// gradient.
class TSDDTabColors : public TSDDTabColorSet {
public:
  using TSDDTabColorSet::TSDDTabColorSet;
  TColor HighlightBar() const { return highlightBar_; }
  void SetHighlightBar(TColor value) { Store(highlightBar_, value); }
  TColor Shadow() const { return shadow_; }
  void SetShadow(TColor value) { Store(shadow_, value); }
  TColor Unselected() const { return unselected_; }
  void SetUnselected(TColor value) { Store(unselected_, value); }
  void Assign(const TPersistent* source) override;

private:
  TColor highlightBar_ = clHighlight;
  TColor shadow_ = clBtnFace;
  TColor unselected_ = clWindow;
};

// The caption colours.
class TSDDTextColors : public TSDDTabColorSet {
public:
  using TSDDTabColorSet::TSDDTabColorSet;
  TColor DisabledHighlight() const { return disabledHighlight_; }
  void SetDisabledHighlight(TColor value) { Store(disabledHighlight_, value); }
  TColor DisabledShadow() const { return disabledShadow_; }
  void SetDisabledShadow(TColor value) { Store(disabledShadow_, value); }
  TColor Selected() const { return selected_; }
  void SetSelected(TColor value) { Store(selected_, value); }
  TColor Unselected() const { return unselected_; }
  void SetUnselected(TColor value) { Store(unselected_, value); }
  void Assign(const TPersistent* source) override;

private:
  TColor disabledHighlight_ = clBtnHighlight;
  TColor disabledShadow_ = clBtnShadow;
  TColor selected_ = clBtnText;
  TColor unselected_ = clBtnText;
};

// ---- region cache ---------------------------------------------------------------------------------------------

class TSDDTabRegionCacheItem : public TObject {
public:
  TSDDTabRegionCacheItem() = default;
  ~TSDDTabRegionCacheItem() override { SetRegion(nullptr); }
  TSDDTabRegionCacheItem(const TSDDTabRegionCacheItem&) = delete;
  TSDDTabRegionCacheItem& operator=(const TSDDTabRegionCacheItem&) = delete;

  TRect Rect{-1, -1, -1, -1};
  HRGN Region() const { return region_; }
  // Deletes the held region before it holds a different one.
  virtual void SetRegion(HRGN region);

private:
  HRGN region_ = nullptr;
};

// Regions of tab shapes by the tab's client rectangle, most recently used first. The cache owns (and deletes)
// every region it took.
class TSDDTabRegionCache : public TObject {
public:
  TSDDTabRegionCache() = default;
  ~TSDDTabRegionCache() override { Clear(); }
  TSDDTabRegionCache(const TSDDTabRegionCache&) = delete;
  TSDDTabRegionCache& operator=(const TSDDTabRegionCache&) = delete;

  // The region held for `rect`, or null.
  HRGN Find(const TRect& rect) const;
  // Takes `region` for `rect` at the front, freeing the least recently used items beyond the capacity; true. When
  // `rect` is cached already, its item moves to the front and `region` is not taken: false, and the caller keeps
  // (and deletes) it.
  bool Add(const TRect& rect, HRGN region);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  int Capacity() const { return capacity_; }
  // -1 (unlimited) or at least 1; anything else throws Exception "Capacity must be -1 (to cache all regions) or
  // > 0" and keeps the old capacity.
  void SetCapacity(int value);

private:
  void Trim();
  std::vector<std::unique_ptr<TSDDTabRegionCacheItem>> items_;
  int capacity_ = 1;
};

// ---- strip buttons --------------------------------------------------------------------------------------------

// What the scroller and the close button share: a frame colour, and a press that tracks whether the mouse stays
// inside the pressed part while the button is held; a release inside clicks it.
class TSDDTabStripButton : public TCustomControl {
public:
  TSDDTabStripButton(TComponent* owner, TSDDCustomTabControl& tabControl);

  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  bool Pressed() const { return pressed_; }

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // A press at (x, y) picks the part it holds.
  virtual void PressAt(int /*x*/, int /*y*/) {}
  // Where the mouse counts as inside the pressed part.
  virtual TRect TrackingRect() const { return ClientRect(); }
  // Released inside the pressed part.
  virtual void Released() = 0;
  // Drawn pushed: pressed with the mouse inside.
  bool Pushed() const { return pressed_ && mouseInside_; }
  // The classic frame round the button.
  void DrawFrame(TCanvas& canvas, const TRect& r);

  TSDDCustomTabControl& tabControl_;

private:
  TColor frameColor_ = clBtnShadow;
  bool pressed_ = false;
  bool mouseInside_ = false;
};

// ---- scroller -------------------------------------------------------------------------------------------------

// The two-arrow button that scrolls a single tab row: a press picks a half (up/right or down/left), and a release
// inside that half clicks it.
class TSDDTabScroller : public TSDDTabStripButton {
public:
  using TSDDTabStripButton::TSDDTabStripButton;

  TOrientation Orientation() const { return orientation_; }
  void SetOrientation(TOrientation value);

  TNotifyEvent OnUpRightClick;
  TNotifyEvent OnDownLeftClick;

protected:
  void Paint() override;
  void PressAt(int x, int y) override;
  TRect TrackingRect() const override;
  void Released() override;
  virtual void DoDownLeftClick();
  virtual void DoUpRightClick();

private:
  void PaintHalf(TCanvas& canvas, const TRect& r, bool upRight, bool enabled);

  TOrientation orientation_ = orHorizontal;
  int part_ = 0;  // 1 up/right, 0 down/left
  TThemeHandle theme_{L"Spin"};
};

// ---- close button ---------------------------------------------------------------------------------------------

class TSDDTabCloseButton : public TSDDTabStripButton {
public:
  using TSDDTabStripButton::TSDDTabStripButton;

  TNotifyEvent OnClose;

protected:
  void Paint() override;
  void Released() override { DoClose(); }
  virtual void DoClose();

private:
  TThemeHandle theme_{L"Window"};
};
