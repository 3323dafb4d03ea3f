#include "classlib/Buttons.h"

TRect DrawButtonFace(TCanvas& canvas, const TRect& r, int bevelWidth, bool rounded, bool down, bool focused) {
  if (r.IsEmpty()) return r;
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(cl3DDkShadow);
  const int c = rounded ? 1 : 0;  // corner pixels left out
  canvas.MoveTo(r.Left + c, r.Top);
  canvas.LineTo(r.Right - c, r.Top);
  canvas.MoveTo(r.Left + c, r.Bottom - 1);
  canvas.LineTo(r.Right - c, r.Bottom - 1);
  canvas.MoveTo(r.Left, r.Top + c);
  canvas.LineTo(r.Left, r.Bottom - c);
  canvas.MoveTo(r.Right - 1, r.Top + c);
  canvas.LineTo(r.Right - 1, r.Bottom - c);
  TRect inner = r.Inflate(-1, -1);
  if (down)
    inner = Frame3D(canvas, inner, clBtnShadow, clBtnFace, 1);
  else
    inner = Frame3D(canvas, inner, clBtnHighlight, clBtnShadow, bevelWidth);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect(inner);
  if (focused) canvas.DrawFocusRect(inner.Inflate(-1, -1));
  return down ? inner.Offset(1, 1) : inner;
}
