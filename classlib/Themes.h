// Visual styles: whether the program draws with the platform's theme, and the theme handles controls draw with.
//
// Three answers, from plain to strict:
// - UseThemes(): the program-wide switch (on by default); off gives the classic look everywhere.
// - ThemesEnabled(): the switch is on, the user's theme is active and applies to this program ("themes on").
// - VisualStylesEnabled(): themes on and the program runs with the version 6 common controls (its manifest asks for
//   them); only then do the standard controls look themed, so only then do our controls draw theme elements.
// A test forces the classic paths with a TClassicThemesScope. Answers are cached until the theme changes: every
// control's window procedure reports WM_THEMECHANGED through ThemeChanged(), which also renews the theme handles.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include "classlib/Graphics.h"

bool UseThemes();
void SetUseThemes(bool value);
bool ThemesEnabled();
bool VisualStylesEnabled();

// While one exists, ThemesEnabled() and VisualStylesEnabled() answer false. Scopes nest.
class TClassicThemesScope {
public:
  TClassicThemesScope();
  ~TClassicThemesScope();
  TClassicThemesScope(const TClassicThemesScope&) = delete;
  TClassicThemesScope& operator=(const TClassicThemesScope&) = delete;
};

// The theme (or the switches) changed: cached answers are dropped and every theme handle opens again on next use.
void ThemeChanged();

// Theme handles open right now and opened so far, over all TThemeHandle objects (tests check that every one is
// closed again, and that a theme change opens them anew).
struct TThemeHandleCounts {
  int Open = 0;
  int Opened = 0;
};
TThemeHandleCounts ThemeHandleCounts();

// One control's theme data for one theme class list (L"Edit", L"Header"...): opened for the control's window on
// first use, opened again after a theme change or for a new window, closed by Close() and by the destructor.
class TThemeHandle {
public:
  explicit TThemeHandle(const wchar_t* classList) : classList_(classList) {}
  ~TThemeHandle() { Close(); }
  TThemeHandle(const TThemeHandle&) = delete;
  TThemeHandle& operator=(const TThemeHandle&) = delete;

  // The theme data for `wnd`; null while visual styles are off or when the theme has no such class.
  HTHEME Get(HWND wnd);
  void Close();
  bool IsOpen() const { return theme_ != nullptr; }

  // Draws a part of the theme into r; false (and nothing drawn) when there is no theme data, so the caller draws
  // the classic look instead.
  bool DrawBackground(HWND wnd, HDC dc, int part, int state, const TRect& r);
  // A colour property of a part (TMT_BORDERCOLOR...); false when the theme has none.
  bool Color(HWND wnd, int part, int state, int property, TColor& color);

private:
  const wchar_t* classList_;
  HTHEME theme_ = nullptr;
  HWND wnd_ = nullptr;
  unsigned generation_ = 0;
};
