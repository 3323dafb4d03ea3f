// Sections: geometry of one axis; the in-place editor; cells and look; current cell, selection and scrolling;
// geometry; painting; keyboard and mouse; editing; border; messages; TStringGrid.
#include "classlib/Grids.h"

#include <vssym32.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>

#include "classlib/DeviceContext.h"
#include "classlib/ScrollBars.h"

namespace {

bool Intersects(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

// ---- geometry of one axis -------------------------------------------------------------------------------------

int TCustomGrid::TAxis::Size(int i) const {
  auto it = Sizes.find(i);
  return it == Sizes.end() ? Default : it->second;
}

int TCustomGrid::TAxis::Start(int i) const {
  i = std::clamp(i, 0, Count);
  if (Sizes.empty()) return i * (Default + Line);
  if (Dirty) {
    Starts.assign(static_cast<size_t>(Count) + 1, 0);
    for (size_t k = 0; k < static_cast<size_t>(Count); ++k)
      Starts[k + 1] = Starts[k] + Size(static_cast<int>(k)) + Line;
    Dirty = false;
  }
  return Starts[static_cast<size_t>(i)];
}

int TCustomGrid::TAxis::Position(int i) const {
  if (i < Fixed) return Start(i);
  if (i < First) return INT_MIN;
  return FixedExtent() + Start(i) - Start(First);
}

int TCustomGrid::TAxis::CellAt(int pos) const {
  if (pos < 0) return -1;
  int lo = 0, hi = Fixed;  // the cell is in [lo, hi)
  int target = pos;
  if (pos >= FixedExtent()) {
    lo = First;
    hi = Count;
    target = pos - FixedExtent() + Start(First);
  }
  if (lo >= hi || target >= Start(hi)) return -1;
  // The last cell of [lo, hi) starting at or before target.
  while (hi - lo > 1) {
    int mid = lo + (hi - lo) / 2;
    if (Start(mid) <= target) lo = mid;
    else hi = mid;
  }
  return lo;
}

int TCustomGrid::TAxis::MaxFirst(int extent) const {
  int available = extent - FixedExtent();
  // The smallest first cell from which the rest up to the last cell's end fits.
  int lo = Fixed, hi = Count - 1;
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (Start(Count) - Line - Start(mid) <= available) hi = mid;
    else lo = mid + 1;
  }
  return std::max(Fixed, lo);
}

int TCustomGrid::TAxis::FullyVisible(int extent) const {
  int available = extent - FixedExtent();
  // The last cell from First whose end fits.
  int lo = First - 1, hi = Count - 1;
  while (lo < hi) {
    int mid = hi - (hi - lo) / 2;
    if (Start(mid + 1) - Line - Start(First) <= available) lo = mid;
    else hi = mid - 1;
  }
  return lo - First + 1;
}

// ---- the in-place editor --------------------------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : TCustomEdit(grid), grid_(grid) {
  SetBorderStyle(bsNone);
  SetTabStop(false);
  SetVisible(false);
}

void TInplaceEdit::KeyDown(WORD& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  switch (key) {
    case VK_RETURN:
      grid_->HideEditor(true);
      break;
    case VK_ESCAPE:
      grid_->HideEditor(false);
      break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
      grid_->HideEditor(true);
      grid_->KeyDown(key, shift);
      break;
    default:
      return;
  }
  key = 0;
}

void TInplaceEdit::KeyPress(char& key) {
  TCustomEdit::KeyPress(key);
  if (key == '\r' || key == '\x1b') key = 0;
}

void TInplaceEdit::DoExit() {
  TCustomEdit::DoExit();
  if (!grid_->HasState(csDestroying)) grid_->HideEditor(true);
}

// ---- cells and look -------------------------------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner) {
  controlStyle_.Include(csOpaque);
  controlStyle_.Exclude(csSetCaption);
  cols_.Default = 64;
  rows_.Default = 24;
  SetColor(clWindow);
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
}

// The window goes while this class's part is still there. A subclass's part is gone already: the grid is marked as
// destroying first, so that the editor, losing the focus as the windows go, hands nothing back to it.
TCustomGrid::~TCustomGrid() {
  Destroying();
  DestroyHandle();
}

void TCustomGrid::AxisChanged(TAxis& axis) {
  axis.Dirty = true;
  axis.Fixed = std::clamp(axis.Fixed, 0, axis.Count - 1);
  axis.First = std::clamp(axis.First, axis.Fixed, axis.Count - 1);
  if (HandleAllocated()) axis.First = std::min(axis.First, axis.MaxFirst(&axis == &cols_ ? ClientWidth()
                                                                                      : ClientHeight()));
  ClampCurrent();
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::SetColCount(int value) {
  if (value < 1 || value == cols_.Count) return;
  cols_.Count = value;
  std::erase_if(cols_.Sizes, [value](const auto& s) { return s.first >= value; });
  AxisChanged(cols_);
}

void TCustomGrid::SetRowCount(int value) {
  if (value < 1 || value == rows_.Count) return;
  rows_.Count = value;
  std::erase_if(rows_.Sizes, [value](const auto& s) { return s.first >= value; });
  AxisChanged(rows_);
}

// New fixed cells show the scrolling ones from their start, with the current cell at the first of them.
void TCustomGrid::SetFixedCols(int value) {
  if (value < 0 || value >= cols_.Count || !StoreChanged(cols_.Fixed, value)) return;
  cols_.First = current_.X = anchor_.X = value;
  AxisChanged(cols_);
}

void TCustomGrid::SetFixedRows(int value) {
  if (value < 0 || value >= rows_.Count || !StoreChanged(rows_.Fixed, value)) return;
  rows_.First = current_.Y = anchor_.Y = value;
  AxisChanged(rows_);
}

void TCustomGrid::SetDefaultColWidth(int value) {
  if (value < 0) return;
  cols_.Default = value;
  cols_.Sizes.clear();
  AxisChanged(cols_);
}

void TCustomGrid::SetDefaultRowHeight(int value) {
  if (value < 0) return;
  rows_.Default = value;
  rows_.Sizes.clear();
  AxisChanged(rows_);
}

void TCustomGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= cols_.Count || width < 0) return;
  cols_.Sizes[col] = width;
  AxisChanged(cols_);
}

void TCustomGrid::SetRowHeights(int row, int height) {
  if (row < 0 || row >= rows_.Count || height < 0) return;
  rows_.Sizes[row] = height;
  AxisChanged(rows_);
}

void TCustomGrid::SetGridLineWidth(int value) {
  if (value < 0 || value == cols_.Line) return;
  cols_.Line = rows_.Line = value;
  AxisChanged(cols_);
  AxisChanged(rows_);
}

void TCustomGrid::SetOptions(TGridOptions value) {
  if (value == options_) return;
  options_ = value;
  if (!options_.Contains(goEditing)) HideEditor(true);
  if (!options_.Contains(goRangeSelect)) anchor_ = current_;
  Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool value) {
  if (StoreChanged(defaultDrawing_, value)) Invalidate();
}

void TCustomGrid::SetFixedColor(TColor value) {
  if (StoreChanged(fixedColor_, value)) Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle value) {
  if (StoreChanged(borderStyle_, value)) RecreateWnd();
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
  if (StoreChanged(scrollBars_, value)) RecreateWnd();
}

void TCustomGrid::SetBevelKind(TBevelKind value) {
  if (StoreChanged(bevelKind_, value)) RecreateWnd();
}

void TCustomGrid::SetBevelInner(TBevelCut value) {
  if (StoreChanged(bevelInner_, value)) RecreateWnd();
}

void TCustomGrid::SetBevelOuter(TBevelCut value) {
  if (StoreChanged(bevelOuter_, value)) RecreateWnd();
}

void TCustomGrid::SetBevelWidth(int value) {
  if (value >= 1 && StoreChanged(bevelWidth_, value)) RecreateWnd();
}

// ---- current cell, selection and scrolling --------------------------------------------------------------------

TGridRect TCustomGrid::Selection() const {
  TGridRect r{std::min(anchor_.X, current_.X), std::min(anchor_.Y, current_.Y), std::max(anchor_.X, current_.X),
              std::max(anchor_.Y, current_.Y)};
  if (options_.Contains(goRowSelect)) {
    r.Left = cols_.Fixed;
    r.Right = cols_.Count - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(TGridRect value) {
  MoveCurrent(value.Left, value.Top, true, false);
  MoveCurrent(value.Right, value.Bottom, !options_.Contains(goRangeSelect), true);
}

void TCustomGrid::ClampCurrent() {
  auto clamp = [](TGridCoord& c, const TAxis& cols, const TAxis& rows) {
    c.X = std::clamp(c.X, cols.Fixed, cols.Count - 1);
    c.Y = std::clamp(c.Y, rows.Fixed, rows.Count - 1);
  };
  clamp(current_, cols_, rows_);
  clamp(anchor_, cols_, rows_);
}

void TCustomGrid::MoveCurrent(int col, int row, bool moveAnchor, bool show) {
  if (col < cols_.Fixed || col >= cols_.Count || row < rows_.Fixed || row >= rows_.Count) return;
  TGridCoord target{col, row};
  bool anchorMoves = moveAnchor || !options_.Contains(goRangeSelect);
  if (target != current_ || (anchorMoves && anchor_ != target)) {
    if (target != current_ && !SelectCell(col, row)) return;
    HideEditor(true);
    current_ = target;
    if (anchorMoves) anchor_ = target;
    Invalidate();
  }
  if (show) ScrollInView(col, row);
}

void TCustomGrid::ScrollInView(int col, int row) {
  if (!HandleAllocated()) return;
  auto first = [](const TAxis& a, int cell, int extent) {
    if (cell < a.Fixed) return a.First;
    if (cell < a.First) return cell;
    int available = extent - a.FixedExtent();
    int end = a.Start(cell + 1) - a.Line;
    if (end - a.Start(a.First) <= available) return a.First;
    // The smallest first cell from which `cell` ends within the client area.
    int lo = a.First, hi = cell;
    while (lo < hi) {
      int mid = lo + (hi - lo) / 2;
      if (end - a.Start(mid) <= available) hi = mid;
      else lo = mid + 1;
    }
    return lo;
  };
  SetLeftCol(first(cols_, col, ClientWidth()));
  SetTopRow(first(rows_, row, ClientHeight()));
}

void TCustomGrid::SetLeftCol(int value) {
  value = std::clamp(value, cols_.Fixed, cols_.Count - 1);
  if (HandleAllocated()) value = std::min(value, cols_.MaxFirst(ClientWidth()));
  if (value == cols_.First) return;
  HideEditor(true);
  cols_.First = value;
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::SetTopRow(int value) {
  value = std::clamp(value, rows_.Fixed, rows_.Count - 1);
  if (HandleAllocated()) value = std::min(value, rows_.MaxFirst(ClientHeight()));
  if (value == rows_.First) return;
  HideEditor(true);
  rows_.First = value;
  UpdateScrollBars();
  Invalidate();
}

int TCustomGrid::VisibleColCount() { return cols_.FullyVisible(ClientWidth()); }
int TCustomGrid::VisibleRowCount() { return rows_.FullyVisible(ClientHeight()); }

// Showing or hiding a bar changes the client area and so what has to scroll: the bars are set until they agree
// with the client area they leave.
void TCustomGrid::UpdateScrollBars() {
  if (!HandleAllocated() || updatingBars_) return;
  updatingBars_ = true;
  for (int pass = 0; pass < 3; ++pass) {
    TRect before = ClientRect();
    auto set = [&](TAxis& axis, int bar, int extent) {
      int maxFirst = axis.MaxFirst(extent);
      axis.First = std::min(axis.First, maxFirst);
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
      si.nMin = axis.Fixed;
      si.nMax = axis.Count - 1;
      si.nPage = static_cast<UINT>(axis.Count - maxFirst + (maxFirst == axis.Fixed ? 1 : 0));
      si.nPos = axis.First;
      SetScrollInfo(Handle(), bar, &si, TRUE);
    };
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) set(cols_, SB_HORZ, ClientWidth());
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) set(rows_, SB_VERT, ClientHeight());
    if (ClientRect() == before) break;
  }
  updatingBars_ = false;
}

// ---- geometry -------------------------------------------------------------------------------------------------

TRect TCustomGrid::CellRect(int col, int row) {
  if (col < 0 || col >= cols_.Count || row < 0 || row >= rows_.Count) return {};
  int x = cols_.Position(col), y = rows_.Position(row);
  if (x == INT_MIN || y == INT_MIN) return {};
  return {x, y, x + cols_.Size(col), y + rows_.Size(row)};
}

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) {
  col = cols_.CellAt(x);
  row = rows_.CellAt(y);
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) {
  TGridCoord c;
  MouseToCell(x, y, c.X, c.Y);
  return c;
}

void TCustomGrid::InvalidateCell(int col, int row) {
  TRect r = CellRect(col, row);
  if (!r.IsEmpty()) InvalidateRect(r.Inflate(cols_.Line, rows_.Line), false);
}

// ---- painting -------------------------------------------------------------------------------------------------

TColor TCustomGrid::GridLineColor(bool fixed) { return fixed ? clBlack : clSilver; }

bool TCustomGrid::GridFocused() { return Focused() || (editor_ && editor_->Focused()); }

void TCustomGrid::DrawCellBackground(const TRect& rect, TColor areaColor, TGridDrawState state) {
  TCanvas& c = Canvas();
  bool selected = state.Contains(gdSelected);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(selected ? clHighlight : areaColor);
  c.FillRect(rect);
  c.Font().Assign(&Font());
  if (selected) c.Font().SetColor(clHighlightText);
  if (state.Contains(gdFixed)) Frame3D(c, rect, clBtnHighlight, clBtnShadow, 1);
}

void TCustomGrid::DrawFocusRect(const TRect& rect) { Canvas().DrawFocusRect(rect); }

void TCustomGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  OnDrawCell(this, col, row, rect, state);
}

bool TCustomGrid::SelectCell(int col, int row) {
  bool canSelect = true;
  OnSelectCell(this, col, row, canSelect);
  return canSelect;
}

// The line right of and the line below a cell, in the colour of the cell's area; a line the options leave out is
// filled with the area's background.
void TCustomGrid::PaintLines(TCanvas& c, int col, int row, const TRect& rect, bool fixed) {
  (void)col;
  (void)row;
  const int w = cols_.Line, h = rows_.Line;
  if (w <= 0) return;
  TColor line = GridLineColor(fixed), back = fixed ? fixedColor_ : Color();
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(options_.Contains(fixed ? goFixedVertLine : goVertLine) ? line : back);
  c.FillRect({rect.Right, rect.Top, rect.Right + w, rect.Bottom + h});
  c.Brush().SetColor(options_.Contains(fixed ? goFixedHorzLine : goHorzLine) ? line : back);
  c.FillRect({rect.Left, rect.Bottom, rect.Right, rect.Bottom + h});
}

void TCustomGrid::Paint() {
  TCanvas& c = Canvas();
  const TRect clip = c.ClipRect();
  const int width = ClientWidth(), height = ClientHeight();
  const TGridRect selection = Selection();
  const bool focused = GridFocused();
  const bool selectFocused = options_.Contains(goDrawFocusSelected) || options_.Contains(goRowSelect);
  // The cells shown along one axis: the fixed ones, then the scrolling ones from First while they start inside.
  auto shown = [](const TAxis& a, int extent) {
    std::vector<int> cells;
    for (int i = 0; i < a.Fixed; ++i) cells.push_back(i);
    for (int i = a.First; i < a.Count && a.Position(i) < extent; ++i) cells.push_back(i);
    return cells;
  };
  const std::vector<int> cols = shown(cols_, width), rows = shown(rows_, height);
  int right = 0, bottom = 0;
  for (int row : rows) {
    for (int col : cols) {
      TRect cell = CellRect(col, row);
      right = std::max(right, cell.Right + cols_.Line);
      bottom = std::max(bottom, cell.Bottom + rows_.Line);
      if (!Intersects(cell.Inflate(cols_.Line, rows_.Line), clip)) continue;
      bool fixed = col < cols_.Fixed || row < rows_.Fixed;
      bool current = col == current_.X && row == current_.Y;
      TGridDrawState state;
      if (fixed) state.Include(gdFixed);
      if (!fixed && selection.Contains(col, row) && (!current || selectFocused)) state.Include(gdSelected);
      if (!fixed && current && focused) state.Include(gdFocused);
      if (defaultDrawing_) DrawCellBackground(cell, fixed ? fixedColor_ : Color(), state);
      DrawCell(col, row, cell, state);
      PaintLines(c, col, row, cell, fixed);
    }
  }
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(Color());
  if (right < width) c.FillRect({right, 0, width, height});
  if (bottom < height) c.FillRect({0, bottom, std::min(right, width), height});
  if (focused && !EditorMode()) {
    TRect r = CellRect(current_.X, current_.Y);
    if (options_.Contains(goRowSelect) && !r.IsEmpty()) {
      r.Left = cols_.FixedExtent();
      r.Right = std::min(right - cols_.Line, width);
    }
    if (!r.IsEmpty()) DrawFocusRect(r);
  }
}

// ---- keyboard and mouse ---------------------------------------------------------------------------------------

void TCustomGrid::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  const bool extend = shift.Contains(ssShift) && options_.Contains(goRangeSelect);
  const bool ctrl = shift.Contains(ssCtrl);
  const int page = std::max(1, VisibleRowCount());
  int col = current_.X, row = current_.Y;
  switch (key) {
    case VK_UP:
      --row;
      break;
    case VK_DOWN:
      ++row;
      break;
    case VK_LEFT:
      --col;
      break;
    case VK_RIGHT:
      ++col;
      break;
    case VK_PRIOR:
      row -= page;
      break;
    case VK_NEXT:
      row += page;
      break;
    case VK_HOME:
      if (ctrl) row = rows_.Fixed;
      else col = cols_.Fixed;
      break;
    case VK_END:
      if (ctrl) row = rows_.Count - 1;
      else col = cols_.Count - 1;
      break;
    case VK_TAB:
      if (!options_.Contains(goTabs)) return;
      col += shift.Contains(ssShift) ? -1 : 1;
      if (col >= cols_.Count) {
        col = cols_.Fixed;
        ++row;
      } else if (col < cols_.Fixed) {
        col = cols_.Count - 1;
        --row;
      }
      break;
    case VK_F2:
    case VK_RETURN:
      if (!options_.Contains(goEditing)) return;
      ShowEditor(0);
      key = 0;
      return;
    default:
      return;
  }
  col = std::clamp(col, cols_.Fixed, cols_.Count - 1);
  row = std::clamp(row, rows_.Fixed, rows_.Count - 1);
  MoveCurrent(col, row, !extend || key == VK_TAB, true);
  key = 0;
}

void TCustomGrid::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (options_.Contains(goEditing) && static_cast<unsigned char>(key) >= ' ' && !EditorMode()) {
    ShowEditor(key);
    key = 0;
  }
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    int col = -1, row = -1;
    MouseToCell(x, y, col, row);
    if (col >= cols_.Fixed && row >= rows_.Fixed) {
      // A click on the current cell is still a choice the program hears of (a picker picks what was clicked).
      if (TGridCoord{col, row} == current_) SelectCell(col, row);
      MoveCurrent(col, row, !(shift.Contains(ssShift) && options_.Contains(goRangeSelect)), true);
      selecting_ = true;
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y) {
  if (selecting_ && shift.Contains(ssLeft) && options_.Contains(goRangeSelect)) {
    int col = -1, row = -1;
    MouseToCell(x, y, col, row);
    if (col >= cols_.Fixed && row >= rows_.Fixed) MoveCurrent(col, row, false, true);
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) selecting_ = false;
  TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGrid::Resize() {
  SetLeftCol(cols_.First);
  SetTopRow(rows_.First);
  UpdateScrollBars();
  TCustomControl::Resize();
}

// ---- editing --------------------------------------------------------------------------------------------------

std::string TCustomGrid::GetEditText(int, int) { return {}; }
void TCustomGrid::SetEditText(int, int, const std::string&) {}
TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::EditorMode() const { return editor_ && editor_->Visible(); }

void TCustomGrid::SetEditorMode(bool value) {
  if (value) ShowEditor(0);
  else HideEditor(true);
}

void TCustomGrid::ShowEditor(char firstChar) {
  if (!options_.Contains(goEditing) || EditorMode()) return;
  ScrollInView(current_.X, current_.Y);
  TRect r = CellRect(current_.X, current_.Y);
  if (r.IsEmpty()) return;
  if (!editor_) {
    editor_ = CreateEditor();
    editor_->SetParent(this);
  }
  editor_->SetBoundsRect(r);
  editor_->SetText(firstChar ? std::string(1, firstChar) : GetEditText(current_.X, current_.Y));
  editor_->Show();
  editor_->SetFocus();
  if (firstChar) editor_->SetSelStart(1);
  else editor_->SelectAll();
}

void TCustomGrid::HideEditor(bool keep) {
  if (!EditorMode() || hidingEditor_) return;
  hidingEditor_ = true;
  bool hadFocus = editor_->Focused();
  if (keep) SetEditText(current_.X, current_.Y, editor_->Text());
  editor_->Hide();
  if (hadFocus) SetFocus();
  hidingEditor_ = false;
  InvalidateCell(current_.X, current_.Y);
}

// ---- border ---------------------------------------------------------------------------------------------------

int TCustomGrid::BevelSize() const {
  if (bevelKind_ == bkNone) return 0;
  return (bevelInner_ != bvNone ? bevelWidth_ : 0) + (bevelOuter_ != bvNone ? bevelWidth_ : 0);
}

// The bevel lies between the platform's border and scroll bars and the client area.
void TCustomGrid::WMNCCalcSize(TMessage& m) {
  DefaultHandler(m);
  int bevel = BevelSize();
  auto* r = reinterpret_cast<RECT*>(m.LParam);
  if (bevel > 0) InflateRect(r, -bevel, -bevel);
}

void TCustomGrid::WMNCPaint(TMessage& m) {
  DefaultHandler(m);
  bool themedEdge = borderStyle_ == bsSingle && VisualStylesEnabled();
  if (BevelSize() == 0 && !themedEdge) return;
  TWindowDC dc(Handle(), TWindowDC::Whole);
  if (!dc) return;
  TCanvas canvas;
  TCanvasOnDc scope(canvas, dc.Handle());
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  TRect inner = FromRECT(client).Offset(-window.left, -window.top);
  TRect band = inner.Inflate(BevelSize(), BevelSize());
  auto ring = [&](TRect r, TBevelCut cut) {
    if (cut == bvNone) return r;
    TColor light = clBtnHighlight, dark = clBtnShadow;
    if (cut == bvSpace) light = dark = Color();
    else if (bevelKind_ == bkFlat) light = clBtnShadow;
    else if (cut == bvLowered) std::swap(light, dark);
    return Frame3D(canvas, r, light, dark, bevelWidth_);
  };
  ring(ring(band, bevelOuter_), bevelInner_);
  // With visual styles the sunken edge takes the theme's border colour, as the platform's themed edits show it.
  TColor border = clBtnShadow;
  if (themedEdge && editTheme_.Color(Handle(), EP_EDITTEXT, ETS_NORMAL, TMT_BORDERCOLOR, border)) {
    TRect edge{0, 0, window.right - window.left, window.bottom - window.top};
    Frame3D(canvas, Frame3D(canvas, edge, border, border, 1), Color(), Color(), 1);
  }
}

// ---- messages -------------------------------------------------------------------------------------------------

void TCustomGrid::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= WS_HSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.Style |= WS_VSCROLL;
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBars();
}

void TCustomGrid::WMScroll(TMessage& m, TAxis& axis, int bar) {
  int extent = &axis == &cols_ ? ClientWidth() : ClientHeight();
  int page = std::max(1, axis.FullyVisible(extent));
  int first = axis.First;
  if (DecodeScroll(Handle(), bar, m.WParam, axis.First, 1, page, axis.Fixed, axis.Count - 1, first) == scEndScroll)
    return;
  if (&axis == &cols_) SetLeftCol(first);
  else SetTopRow(first);
}

void TCustomGrid::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | (options_.Contains(goTabs) ? DLGC_WANTTAB : 0) |
                 (options_.Contains(goEditing) ? DLGC_WANTCHARS : 0);
      return;
    case WM_HSCROLL:
      if (m.LParam) break;
      return WMScroll(m, cols_, SB_HORZ);
    case WM_VSCROLL:
      if (m.LParam) break;
      return WMScroll(m, rows_, SB_VERT);
    case WM_MOUSEWHEEL: {
      if (FormHandlesMouseWheel(this, m.WParam, m.LParam)) return;
      UINT lines = 3;
      SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      SetTopRow(rows_.First - GET_WHEEL_DELTA_WPARAM(m.WParam) * static_cast<int>(lines) / WHEEL_DELTA);
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(m);
      return InvalidateCell(current_.X, current_.Y);
    case WM_NCCALCSIZE: return WMNCCalcSize(m);
    case WM_NCPAINT: return WMNCPaint(m);
    case CM_COLORCHANGED:
      // The bevel's space ring and the themed edge show the colour too.
      TCustomControl::WndProc(m);
      if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      return;
    default: break;
  }
  TCustomControl::WndProc(m);
}

// ---- TStringGrid ----------------------------------------------------------------------------------------------

std::string TStringGrid::Cells(int col, int row) const {
  auto it = cells_.find({col, row});
  return it == cells_.end() ? std::string() : it->second.Text;
}

void TStringGrid::SetCells(int col, int row, const std::string& value) {
  TCell& cell = cells_[{col, row}];
  cell.Text = value;
  if (value.empty() && !cell.Object) cells_.erase({col, row});
  InvalidateCell(col, row);
}

TObject* TStringGrid::Objects(int col, int row) const {
  auto it = cells_.find({col, row});
  return it == cells_.end() ? nullptr : it->second.Object;
}

void TStringGrid::SetObjects(int col, int row, TObject* value) {
  TCell& cell = cells_[{col, row}];
  cell.Object = value;
  if (!value && cell.Text.empty()) cells_.erase({col, row});
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  if (DefaultDrawing()) {
    std::string text = Cells(col, row);
    if (!text.empty()) Canvas().TextRect(rect, rect.Left + 2, rect.Top + 2, text);
  }
  TDrawGrid::DrawCell(col, row, rect, state);
}
