#include "classlib/Themes.h"

namespace {

struct TThemeState {
  bool useThemes = true;
  int classicScopes = 0;
  unsigned generation = 1;  // bumped by every change; handles and cached answers compare against it
  unsigned answeredGeneration = 0;
  bool themesEnabled = false;
  bool visualStyles = false;
  TThemeHandleCounts handles;
};

TThemeState& State() {
  static TThemeState state;
  return state;
}

// The process runs with the version 6 common controls when its activation context redirects comctl32 there (a
// manifest asks for it). The version the library reports does not tell: Wine's version 6 library reports 5.81.
bool CommonControlsV6() {
  ACTCTX_SECTION_KEYED_DATA data{};
  data.cbSize = sizeof(data);
  return FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &data);
}

void Answer() {
  TThemeState& s = State();
  if (s.answeredGeneration == s.generation) return;
  s.answeredGeneration = s.generation;
  s.themesEnabled = s.useThemes && s.classicScopes == 0 && IsThemeActive() && IsAppThemed();
  s.visualStyles = s.themesEnabled && CommonControlsV6();
}

}  // namespace

bool UseThemes() { return State().useThemes; }

void SetUseThemes(bool value) {
  if (value == State().useThemes) return;
  State().useThemes = value;
  ThemeChanged();
}

bool ThemesEnabled() {
  Answer();
  return State().themesEnabled;
}

bool VisualStylesEnabled() {
  Answer();
  return State().visualStyles;
}

TClassicThemesScope::TClassicThemesScope() {
  ++State().classicScopes;
  ThemeChanged();
}

TClassicThemesScope::~TClassicThemesScope() {
  --State().classicScopes;
  ThemeChanged();
}

void ThemeChanged() { ++State().generation; }

TThemeHandleCounts ThemeHandleCounts() { return State().handles; }

HTHEME TThemeHandle::Get(HWND wnd) {
  if (!VisualStylesEnabled()) {
    Close();
    return nullptr;
  }
  if (theme_ && wnd == wnd_ && generation_ == State().generation) return theme_;
  Close();
  theme_ = OpenThemeData(wnd, classList_);
  wnd_ = wnd;
  generation_ = State().generation;
  if (theme_) {
    ++State().handles.Open;
    ++State().handles.Opened;
  }
  return theme_;
}

void TThemeHandle::Close() {
  if (!theme_) return;
  CloseThemeData(theme_);
  theme_ = nullptr;
  wnd_ = nullptr;
  --State().handles.Open;
}

bool TThemeHandle::DrawBackground(HWND wnd, HDC dc, int part, int state, const TRect& r) {
  HTHEME theme = Get(wnd);
  if (!theme) return false;
  RECT rc = ToRECT(r);
  return SUCCEEDED(DrawThemeBackground(theme, dc, part, state, &rc, nullptr));
}

bool TThemeHandle::Color(HWND wnd, int part, int state, int property, TColor& color) {
  HTHEME theme = Get(wnd);
  COLORREF c = 0;
  if (!theme || FAILED(GetThemeColor(theme, part, state, property, &c))) return false;
  color = static_cast<TColor>(c);
  return true;
}
