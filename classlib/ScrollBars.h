// The scroll bar control over the platform's SCROLLBAR: a position between Min and Max, moved by the arrows
// (SmallChange), the track (LargeChange) and the thumb, or set by the program. Positions are always clamped to
// the range; OnChange fires on every change of the position, whoever made it.
#pragma once

#include "classlib/Controls.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
// Before the user's move lands: the handler may change the new position.
using TScrollEvent = TEvent<TObject* /*Sender*/, TScrollCode, int& /*ScrollPos*/>;

// What a scroll message (its WParam) asks of bar `bar` (SB_CTL, SB_HORZ, SB_VERT) of `wnd`: the code, and the
// position it moves to from `position` by the steps, or to the ends `first` and `last`. Unknown codes and the end
// of a scroll give scEndScroll and the position unchanged. The thumb's position is read from the bar (the message
// carries only 16 bits of it).
TScrollCode DecodeScroll(HWND wnd, int bar, WPARAM wParam, int position, int smallStep, int largeStep, int first,
                         int last, int& target);

class TScrollBar : public TWinControl {
public:
  explicit TScrollBar(TComponent* owner);

  TScrollBarKind Kind() const { return kind_; }
  // Makes the window again; a bar that changes its direction swaps its width and height (not while a layout,
  // which gives the sizes for the kind it names, is read).
  void SetKind(TScrollBarKind value);
  int Min() const { return min_; }
  void SetMin(int value) { SetParams(position_, value, max_ < value ? value : max_); }
  int Max() const { return max_; }
  void SetMax(int value) { SetParams(position_, min_ > value ? value : min_, value); }
  int Position() const { return position_; }
  void SetPosition(int value) { SetParams(value, min_, max_); }
  // Sets all three at once; a maximum below the minimum is raised to it, the position clamped into the range.
  void SetParams(int position, int min, int max);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int value) { smallChange_ = value; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int value) { largeChange_ = value; }

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Change();
  virtual void Scroll(TScrollCode code, int& position);
  // The bar's own scroll messages, reflected by its parent.
  void CNScroll(TMessage& m);

private:
  void UpdateWindow();

  TScrollBarKind kind_ = sbHorizontal;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int smallChange_ = 1;
  int largeChange_ = 1;
};
