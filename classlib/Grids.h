// Grids: TCustomGrid (cells in rows and columns, fixed rows and columns that do not scroll, grid lines, a current
// cell with a selection, keyboard and mouse, scroll bars, an in-place editor), TDrawGrid (cells painted by the
// program) and TStringGrid (cells holding texts and objects).
//
// Sections: types; the in-place editor; TCustomGrid; TDrawGrid and TStringGrid.
//
// Geometry: every column and row has its size (the default, or one set for it) followed by a grid line of
// GridLineWidth pixels. The fixed columns stand at the left, then the scrolling columns from LeftCol; the same for
// rows from TopRow. Positions are kept as running sums made again only when a size changes, so a grid of
// thousands of columns paints, hit-tests and scrolls at the cost of the cells it shows.
//
// Subclasses change the look per area through GridLineColor, DrawCellBackground, DrawFocusRect and GridFocused,
// and the border through the non-client handlers.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Edits.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Themes.h"

// ---- types ----------------------------------------------------------------------------------------------------

enum TGridOption {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected, goRowSizing,
  goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = TSet<TGridOption>;
enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateFlag>;
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
// The non-client bevel: none, or a band of one or two rings (BevelOuter, then BevelInner) round the client area.
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };

struct TGridCoord {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};
// A block of cells, both corners included.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

using TDrawCellEvent = TEvent<TObject* /*Sender*/, int /*ACol*/, int /*ARow*/, TRect /*Rect*/, TGridDrawState>;
using TSelectCellEvent = TEvent<TObject* /*Sender*/, int /*ACol*/, int /*ARow*/, bool& /*CanSelect*/>;

class TCustomGrid;

// ---- the in-place editor --------------------------------------------------------------------------------------

// Edits the current cell: Enter keeps the text, Escape drops it, the arrows up and down keep it and move, and
// leaving the editor keeps it.
class TInplaceEdit : public TCustomEdit {
public:
  explicit TInplaceEdit(TCustomGrid* grid);

protected:
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoExit() override;

  TCustomGrid* grid_;
};

// ---- TCustomGrid ----------------------------------------------------------------------------------------------

class TCustomGrid : public TCustomControl {
public:
  explicit TCustomGrid(TComponent* owner);
  // The window goes first, with the grid marked as destroying: the editor inside hands nothing back.
  ~TCustomGrid() override;

  // -- cells --
  int ColCount() const { return cols_.Count; }
  void SetColCount(int value);
  int RowCount() const { return rows_.Count; }
  void SetRowCount(int value);
  int FixedCols() const { return cols_.Fixed; }
  void SetFixedCols(int value);
  int FixedRows() const { return rows_.Fixed; }
  void SetFixedRows(int value);
  // Setting a default size drops the sizes set for single columns (rows).
  int DefaultColWidth() const { return cols_.Default; }
  void SetDefaultColWidth(int value);
  int DefaultRowHeight() const { return rows_.Default; }
  void SetDefaultRowHeight(int value);
  int ColWidths(int col) const { return cols_.Size(col); }
  void SetColWidths(int col, int width);
  int RowHeights(int row) const { return rows_.Size(row); }
  void SetRowHeights(int row, int height);
  int GridLineWidth() const { return cols_.Line; }
  void SetGridLineWidth(int value);

  // -- look --
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions value);
  // Cells get their area's background (and the string grid its text) before DrawCell.
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool value);
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  TBevelKind BevelKind() const { return bevelKind_; }
  void SetBevelKind(TBevelKind value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);

  // -- current cell, selection, scrolling --
  // Moving the current cell asks SelectCell (OnSelectCell) first; a refused cell changes nothing.
  int Col() const { return current_.X; }
  void SetCol(int value) { MoveCurrent(value, current_.Y, true, true); }
  int Row() const { return current_.Y; }
  void SetRow(int value) { MoveCurrent(current_.X, value, true, true); }
  TGridRect Selection() const;
  // Selects a block (clamped to the scrolling cells); its bottom-right corner becomes the current cell.
  void SetSelection(TGridRect value);
  int TopRow() const { return rows_.First; }
  void SetTopRow(int value);
  int LeftCol() const { return cols_.First; }
  void SetLeftCol(int value);
  // Scrolling columns (rows) shown completely from LeftCol (TopRow).
  int VisibleColCount();
  int VisibleRowCount();

  // -- geometry --
  // The cell's rectangle without its grid lines, in client coordinates; empty when the cell is scrolled away.
  TRect CellRect(int col, int row);
  // The cell under a client point; -1 for a coordinate beyond the last cell.
  void MouseToCell(int x, int y, int& col, int& row);
  TGridCoord MouseCoord(int x, int y);

  // -- editing (goEditing) --
  bool EditorMode() const;
  void SetEditorMode(bool value);
  TInplaceEdit* InplaceEditor() const { return editor_; }

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;

  void WndProc(TMessage& message) override;

protected:
  friend class TInplaceEdit;

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Paint() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Resize() override;

  // Paints a cell's content (after the default background): OnDrawCell.
  virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
  // Whether the cell may become the current one: OnSelectCell.
  virtual bool SelectCell(int col, int row);
  // -- per-area hooks --
  // The colour of the grid lines of the fixed or of the scrolling area.
  virtual TColor GridLineColor(bool fixed);
  // With DefaultDrawing, before DrawCell: fills the cell with its area's colour (the highlight for selected cells)
  // and gives fixed cells a raised edge; sets the canvas's font for the text.
  virtual void DrawCellBackground(const TRect& rect, TColor areaColor, TGridDrawState state);
  // Outlines the current cell (the current row with goRowSelect) while GridFocused().
  virtual void DrawFocusRect(const TRect& rect);
  virtual bool GridFocused();
  // -- editing --
  virtual std::string GetEditText(int col, int row);
  virtual void SetEditText(int col, int row, const std::string& value);
  virtual TInplaceEdit* CreateEditor();
  // -- border --
  virtual void WMNCCalcSize(TMessage& m);
  virtual void WMNCPaint(TMessage& m);

  // Moves the current cell (and, with moveAnchor, the selection's other corner) when SelectCell allows it, and
  // scrolls it into view with show.
  void MoveCurrent(int col, int row, bool moveAnchor, bool show);
  void InvalidateCell(int col, int row);

private:
  // One direction of the grid: columns or rows.
  struct TAxis {
    int Count = 5;
    int Fixed = 1;
    int Default = 64;
    int First = 1;  // the first scrolling cell shown
    std::map<int, int> Sizes;  // cells with a size of their own
    mutable std::vector<int> Starts;  // running sums, Starts[i] = start of cell i counted from cell 0
    mutable bool Dirty = true;
    int Line = 1;

    int Size(int i) const;
    int Start(int i) const;
    // Pixels the fixed cells take, lines included.
    int FixedExtent() const { return Start(Fixed); }
    // The client position of cell i's start; INT_MIN when it is scrolled away.
    int Position(int i) const;
    // The cell at a client position; -1 beyond the last.
    int CellAt(int pos) const;
    // The largest First that still shows the last cell completely within `extent` pixels.
    int MaxFirst(int extent) const;
    int FullyVisible(int extent) const;
  };

  void AxisChanged(TAxis& axis);
  void ClampCurrent();
  void ScrollInView(int col, int row);
  void UpdateScrollBars();
  void WMScroll(TMessage& m, TAxis& axis, int bar);
  void PaintLines(TCanvas& c, int col, int row, const TRect& rect, bool fixed);
  void HideEditor(bool keep);
  void ShowEditor(char firstChar);
  int BevelSize() const;

  TAxis cols_;
  TAxis rows_;
  TGridOptions options_ = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  bool defaultDrawing_ = true;
  TColor fixedColor_ = clBtnFace;
  TBorderStyle borderStyle_ = bsSingle;
  TScrollStyle scrollBars_ = ssBoth;
  TBevelKind bevelKind_ = bkNone;
  TBevelCut bevelInner_ = bvRaised;
  TBevelCut bevelOuter_ = bvLowered;
  int bevelWidth_ = 1;
  TGridCoord current_{1, 1};
  TGridCoord anchor_{1, 1};
  bool selecting_ = false;  // the left button is held over the cells
  bool updatingBars_ = false;
  TInplaceEdit* editor_ = nullptr;
  bool hidingEditor_ = false;
  TThemeHandle editTheme_{L"Edit"};
};

// ---- TDrawGrid and TStringGrid --------------------------------------------------------------------------------

class TDrawGrid : public TCustomGrid {
public:
  using TCustomGrid::TCustomGrid;
};

class TStringGrid : public TDrawGrid {
public:
  using TDrawGrid::TDrawGrid;

  std::string Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& value);
  // Objects the grid does not own.
  TObject* Objects(int col, int row) const;
  void SetObjects(int col, int row, TObject* value);

protected:
  // With DefaultDrawing, the cell's text two pixels inside its rectangle, then OnDrawCell.
  void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
  std::string GetEditText(int col, int row) override { return Cells(col, row); }
  void SetEditText(int col, int row, const std::string& value) override { SetCells(col, row, value); }

private:
  struct TCell {
    std::string Text;
    TObject* Object = nullptr;
  };
  std::map<std::pair<int, int>, TCell> cells_;  // only the cells given a text or an object
};
