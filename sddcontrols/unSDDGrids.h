// The SDD string grid: the class library's string grid with a flat, colour-configurable frame in its non-client
// area (hot-tracked on request), focus and disabled colours, grid-line colours of its own for the fixed and the
// scrolling cells, flat fixed cells and no highlight on selected cells.
//
// The frame is drawn only on a grid with a border (BorderStyle bsSingle): two rings wipe the platform's edge
// (FixedColor at the top and left, Color at the right and bottom), then the frame style draws over them; with the
// themed look preferred and visual styles on, a flat ring in the theme's edit-border colour takes its place.
#pragma once

#include "classlib/Grids.h"
#include "sddcontrols/unSDDFramedControl.h"

class TSDDStringGrid : public TSDDFramedControl<TStringGrid> {
  using Framed = TSDDFramedControl<TStringGrid>;

public:
  explicit TSDDStringGrid(TComponent* owner);

  // The lines of the scrolling cells; drawn a shade darker when they would vanish in Color.
  TColor LineColor() const { return lineColor_; }
  virtual void SetLineColor(TColor value);
  // The lines of the fixed rows and columns.
  TColor FixedLineColor() const { return fixedLineColor_; }
  virtual void SetFixedLineColor(TColor value);

  void WndProc(TMessage& message) override;

protected:
  TColor GridLineColor(bool fixed) override;
  void DrawCellBackground(const TRect& rect, TColor areaColor, TGridDrawState state) override;
  // The grid is its form's active control; without a form, the focus is in the grid's window or a child of it.
  bool GridFocused() override;
  bool HasFocusState() override { return GridFocused(); }
  TInplaceEdit* CreateEditor() override;
  void WMNCPaint(TMessage& m) override;

private:
  void DrawFrame(TCanvas& canvas, TFrameStyle style, TColor color, TSides sides);
  void WMEraseBkgnd(TMessage& m);

  TColor lineColor_ = clBtnFace;
  TColor fixedLineColor_ = clBtnShadow;
  TThemeHandle editTheme_{L"Edit"};
};
