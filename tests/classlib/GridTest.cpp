#include <gtest/gtest.h>

#include <vssym32.h>

#include <cstring>
#include <functional>

#include "classlib/Grids.h"
#include "tests/classlib/StdCtrlsTestScene.h"

using namespace controls_test;

namespace {

// Holds keys down in the thread's keyboard state (what the controls read for Shift and Ctrl).
class TKeysHeld {
public:
  TKeysHeld(std::initializer_list<BYTE> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof(state));
    for (BYTE k : keys) state[k] |= 0x80;
    SetKeyboardState(state);
  }
  ~TKeysHeld() { SetKeyboardState(saved_); }

private:
  BYTE saved_[256];
};

struct GridScene : StdScene {
  TStringGrid* grid = new TStringGrid(form.get());
  GridScene(int width = 380, int height = 280) {
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, width, height);
    grid->OnSelectCell = [this](TObject*, int col, int row, bool&) {
      log.push_back(std::to_string(col) + "," + std::to_string(row));
    };
  }
  HWND Wnd() { return grid->Handle(); }
  void Click(int col, int row, UINT keys = 0) {
    TRect r = grid->CellRect(col, row);
    LPARAM at = MAKELPARAM(r.Left + 3, r.Top + 3);
    SendMessageA(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    SendMessageA(Wnd(), WM_LBUTTONUP, keys, at);
  }
};

// The tile picker's shape: 7 columns of 96 x 64 without fixed cells; and a grid of 2,000 columns 20 wide with
// one fixed column and a wider fifth column.
TEST(Grid, CellRectAndMouseToCellAgreeOnSevenAndOnTwoThousandColumns) {
  GridScene picker(700, 300);
  picker.grid->SetBorderStyle(bsNone);
  picker.grid->SetScrollBars(ssNone);
  picker.grid->SetFixedCols(0);
  picker.grid->SetFixedRows(0);
  picker.grid->SetColCount(7);
  picker.grid->SetDefaultColWidth(96);
  picker.grid->SetDefaultRowHeight(64);
  struct Row {
    int lineWidth, col, row;
    TRect rect;
  };
  const Row rows[] = {
      {1, 0, 0, {0, 0, 96, 64}}, {1, 6, 2, {582, 130, 678, 194}}, {0, 6, 2, {576, 128, 672, 192}},
      {1, 1, 4, {97, 260, 193, 324}}, {1, 0, 5, {}},  // past the last row: no rectangle
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.col) + "," + std::to_string(row.row));
    picker.grid->SetGridLineWidth(row.lineWidth);
    EXPECT_EQ(picker.grid->CellRect(row.col, row.row), row.rect);
    if (row.rect.IsEmpty()) continue;
    EXPECT_EQ(picker.grid->MouseCoord(row.rect.Left, row.rect.Top), (TGridCoord{row.col, row.row}));
    // The line right of and below a cell belongs to it.
    EXPECT_EQ(picker.grid->MouseCoord(row.rect.Right + row.lineWidth - 1, row.rect.Bottom + row.lineWidth - 1),
              (TGridCoord{row.col, row.row}));
  }
  EXPECT_EQ(picker.grid->MouseCoord(690, 10), (TGridCoord{-1, 0}));

  GridScene wide;
  wide.grid->SetColCount(2000);
  wide.grid->SetRowCount(3);
  wide.grid->SetDefaultColWidth(20);
  wide.grid->SetColWidths(5, 50);
  EXPECT_EQ(wide.grid->CellRect(5, 1), (TRect{105, 25, 155, 49}));
  EXPECT_EQ(wide.grid->CellRect(6, 1), (TRect{156, 25, 176, 49}));
  int drawn = 0;
  wide.grid->OnDrawCell = [&](TObject*, int, int, TRect, TGridDrawState) { ++drawn; };
  PressKey(wide.Wnd(), VK_END);
  EXPECT_EQ(wide.grid->Col(), 1999);
  TRect last = wide.grid->CellRect(1999, 1);
  EXPECT_LE(last.Right, wide.grid->ClientWidth());
  EXPECT_GT(last.Right, wide.grid->ClientWidth() - 21);
  EXPECT_EQ(wide.grid->MouseCoord(last.Left + 1, last.Top), (TGridCoord{1999, 1}));
  EXPECT_TRUE(wide.grid->CellRect(wide.grid->LeftCol() - 1, 1).IsEmpty());
  EXPECT_EQ(GetScrollPos(wide.Wnd(), SB_HORZ), wide.grid->LeftCol());
  drawn = 0;
  RedrawWindow(wide.Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  // Three rows of the fixed column and the columns that fit into 380 pixels, and not one more.
  EXPECT_GE(drawn, 3 * 17);
  EXPECT_LE(drawn, 3 * (1 + 380 / 21 + 1));
  SendMessageA(wide.Wnd(), WM_HSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
  EXPECT_EQ(wide.grid->LeftCol(), 1);
}

TEST(Grid, KeyboardAndMouseMoveTheCurrentCellAndSelectionUnlessRefused) {
  struct Row {
    const char* name;
    std::function<void(GridScene&)> act;
    TGridCoord current;
    TGridRect selection;
    std::vector<std::string> asked;  // the cells SelectCell was asked about
  };
  const Row rows[] = {
      {"arrows", [](GridScene& s) {
         PressKey(s.Wnd(), VK_RIGHT);
         PressKey(s.Wnd(), VK_DOWN);
       }, {2, 2}, {2, 2, 2, 2}, {"2,1", "2,2"}},
      {"shift and arrows extend", [](GridScene& s) {
         TKeysHeld shift{VK_SHIFT};
         PressKey(s.Wnd(), VK_RIGHT);
         PressKey(s.Wnd(), VK_DOWN);
       }, {2, 2}, {1, 1, 2, 2}, {"2,1", "2,2"}},
      {"end and ctrl+end", [](GridScene& s) {
         PressKey(s.Wnd(), VK_END);
         TKeysHeld ctrl{VK_CONTROL};
         PressKey(s.Wnd(), VK_END);
       }, {4, 4}, {4, 4, 4, 4}, {"4,1", "4,4"}},
      {"tab wraps to the next row", [](GridScene& s) {
         s.grid->SetOptions(s.grid->Options() + TGridOptions{goTabs});
         s.grid->SetCol(4);
         PressKey(s.Wnd(), VK_TAB);
       }, {1, 2}, {1, 2, 1, 2}, {"4,1", "1,2"}},
      {"a click on a cell, none on a fixed cell", [](GridScene& s) {
         s.Click(3, 2);
         s.Click(0, 3);
       }, {3, 2}, {3, 2, 3, 2}, {"3,2"}},
      {"a click on the current cell is asked about again", [](GridScene& s) { s.Click(1, 1); },
       {1, 1}, {1, 1, 1, 1}, {"1,1"}},
      {"a drag selects a block", [](GridScene& s) {
         TRect from = s.grid->CellRect(1, 1), to = s.grid->CellRect(3, 3);
         SendMessageA(s.Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.Left + 2, from.Top + 2));
         SendMessageA(s.Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.Left + 2, to.Top + 2));
         SendMessageA(s.Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(to.Left + 2, to.Top + 2));
       }, {3, 3}, {1, 1, 3, 3}, {"1,1", "3,3"}},
      {"row select spans the row", [](GridScene& s) {
         s.grid->SetOptions(s.grid->Options() + TGridOptions{goRowSelect});
         PressKey(s.Wnd(), VK_DOWN);
       }, {1, 2}, {1, 2, 4, 2}, {"1,2"}},
      {"a refused cell is neither reached by keys nor by clicks nor by the program", [](GridScene& s) {
         s.grid->OnSelectCell = [&s](TObject*, int col, int row, bool& canSelect) {
           s.log.push_back(std::to_string(col) + "," + std::to_string(row));
           canSelect = col != 2;
         };
         PressKey(s.Wnd(), VK_RIGHT);
         s.Click(2, 3);
         s.grid->SetCol(2);
       }, {1, 1}, {1, 1, 1, 1}, {"2,1", "2,3", "2,1"}},
      {"as many fixed columns as columns are refused", [](GridScene& s) { s.grid->SetFixedCols(5); },
       {1, 1}, {1, 1, 1, 1}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GridScene s;
    row.act(s);
    EXPECT_EQ((TGridCoord{s.grid->Col(), s.grid->Row()}), row.current);
    EXPECT_EQ(s.grid->Selection(), row.selection);
    EXPECT_EQ(s.log, row.asked);
  }
}

TEST(Grid, PaintsAreasLinesSelectionAndBevelAsTheyAreSet) {
  GridScene s(200, 150);
  TClassicThemesScope classic;
  s.grid->SetRowCount(3);
  s.grid->SetColCount(3);
  s.grid->SetDefaultColWidth(40);
  s.grid->SetDefaultRowHeight(30);
  s.grid->SetBorderStyle(bsNone);
  s.grid->SetBevelKind(bkFlat);
  s.grid->SetBevelInner(bvSpace);
  s.grid->SetSelection({1, 1, 2, 1});
  s.grid->SetColor(clTeal);
  TBitmap image;
  CaptureClient(s.Wnd(), image);
  const TColor face = GetSysColor(COLOR_BTNFACE);
  const TColor highlight = GetSysColor(COLOR_HIGHLIGHT);
  struct Pixel {
    const char* what;
    int x, y;
    TColor color;
  };
  const Pixel pixels[] = {
      {"fixed cell", 20, 15, face},       {"selected cell", 60, 45, highlight},
      {"current cell (not highlighted)", 100, 45, clTeal}, {"cell outside the selection", 80, 75, clTeal},
      {"line between scrolling cells", 81, 75, clSilver}, {"line below a fixed cell", 20, 30, clBlack},
      {"beyond the last column", 150, 15, clTeal}, {"below the last row", 20, 120, clTeal},
  };
  for (const Pixel& p : pixels) EXPECT_EQ(PixelAt(image, p.x, p.y), p.color) << p.what;
  // The flat bevel and its space ring lie inside the window, round the client area.
  RECT client{};
  GetClientRect(s.Wnd(), &client);
  EXPECT_EQ(client.right, 200 - 4);
  HDC dc = GetWindowDC(s.Wnd());
  EXPECT_EQ(GetPixel(dc, 0, 50), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 1, 50), clTeal);
  ReleaseDC(s.Wnd(), dc);
}

// The sunken edge of a single border: in the theme's border colour with visual styles, the platform's 3-D edge
// on the classic path.
TEST(Grid, TheBorderFollowsVisualStyles) {
  HTHEME theme = OpenThemeData(nullptr, L"Edit");
  COLORREF themed = 0;
  ASSERT_TRUE(theme && SUCCEEDED(GetThemeColor(theme, EP_EDITTEXT, ETS_NORMAL, TMT_BORDERCOLOR, &themed)));
  CloseThemeData(theme);
  for (bool classic : {false, true}) {
    SCOPED_TRACE(classic ? "classic" : "themed");
    std::unique_ptr<TClassicThemesScope> scope(classic ? new TClassicThemesScope : nullptr);
    GridScene s(200, 150);
    RedrawWindow(s.Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetWindowDC(s.Wnd());
    EXPECT_EQ(GetPixel(dc, 0, 50), classic ? GetSysColor(COLOR_BTNSHADOW) : themed);
    EXPECT_EQ(GetPixel(dc, 1, 50), classic ? GetSysColor(COLOR_3DDKSHADOW) : GetSysColor(COLOR_WINDOW));
    ReleaseDC(s.Wnd(), dc);
  }
}

TEST(StringGrid, ObjectsBelongToTheirCellsBesideTheTextAndOutliveCountChanges) {
  struct Row {
    const char* name;
    std::function<void(TStringGrid&, TObject* a, TObject* b)> act;
    TPoint cell;
    int object;  // 0 none, 1 a, 2 b
    const char* text;
  };
  // Every row starts with a at (1, 2) and b at (2, 1) in a 5 x 5 grid.
  const Row rows[] = {
      {"each cell its own", [](TStringGrid&, TObject*, TObject*) {}, {1, 2}, 1, ""},
      {"the cell across", [](TStringGrid&, TObject*, TObject*) {}, {2, 1}, 2, ""},
      {"a cell without one", [](TStringGrid&, TObject*, TObject*) {}, {2, 2}, 0, ""},
      {"replaced", [](TStringGrid& g, TObject*, TObject* b) { g.SetObjects(1, 2, b); }, {1, 2}, 2, ""},
      {"the text cleared keeps the object", [](TStringGrid& g, TObject*, TObject*) {
         g.SetCells(1, 2, "x");
         g.SetCells(1, 2, "");
       }, {1, 2}, 1, ""},
      {"the object cleared keeps the text", [](TStringGrid& g, TObject*, TObject*) {
         g.SetCells(1, 2, "x");
         g.SetObjects(1, 2, nullptr);
       }, {1, 2}, 0, "x"},
      {"more rows and columns", [](TStringGrid& g, TObject*, TObject*) {
         g.SetColCount(9);
         g.SetRowCount(9);
       }, {1, 2}, 1, ""},
      {"fewer and then more again", [](TStringGrid& g, TObject*, TObject*) {
         g.SetCells(1, 2, "x");
         g.SetColCount(1);
         g.SetRowCount(2);
         g.SetColCount(5);
         g.SetRowCount(5);
       }, {1, 2}, 1, "x"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GridScene s;
    TComponent* objects[] = {nullptr, new TComponent(s.form.get()), new TComponent(s.form.get())};
    s.grid->SetColCount(5);
    s.grid->SetRowCount(5);
    s.grid->SetObjects(1, 2, objects[1]);
    s.grid->SetObjects(2, 1, objects[2]);
    row.act(*s.grid, objects[1], objects[2]);
    EXPECT_EQ(s.grid->Objects(row.cell.X, row.cell.Y), objects[row.object]);
    EXPECT_EQ(s.grid->Cells(row.cell.X, row.cell.Y), row.text);
  }
}

TEST(Grid, TheInPlaceEditorKeepsOrDropsWhatWasTyped) {
  struct Row {
    const char* name;
    std::function<void(GridScene&)> act;
    std::string cell;
  };
  const Row rows[] = {
      {"a typed character opens the editor; Enter keeps", [](GridScene& s) {
         TypeChars(s.Wnd(), "x");
         ASSERT_TRUE(s.grid->EditorMode());
         TypeChars(s.grid->InplaceEditor()->Handle(), "y");
         PressKey(s.grid->InplaceEditor()->Handle(), VK_RETURN);
       }, "xy"},
      {"F2 edits the text; Escape drops the change", [](GridScene& s) {
         PressKey(s.Wnd(), VK_F2);
         TypeChars(s.grid->InplaceEditor()->Handle(), "z");
         PressKey(s.grid->InplaceEditor()->Handle(), VK_ESCAPE);
       }, "old"},
      {"an arrow keeps the text and moves on", [](GridScene& s) {
         PressKey(s.Wnd(), VK_F2);
         SendMessageA(s.grid->InplaceEditor()->Handle(), EM_SETSEL, 3, 3);
         TypeChars(s.grid->InplaceEditor()->Handle(), "!");
         PressKey(s.grid->InplaceEditor()->Handle(), VK_DOWN);
         EXPECT_EQ(s.grid->Row(), 2);
       }, "old!"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GridScene s;
    s.grid->SetOptions(s.grid->Options() + TGridOptions{goEditing});
    s.grid->SetCells(1, 1, "old");
    row.act(s);
    EXPECT_FALSE(s.grid->EditorMode());
    EXPECT_EQ(s.grid->Cells(1, 1), row.cell);
  }
}

}  // namespace
