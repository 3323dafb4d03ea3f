// What the tab and page control tests share: a page control set up as the main window's side panel sets its own
// (Tahoma 8, bold current tab, coloured tabs, margin 2, rows indented and overlapping by 10, no shadow) on a shown
// form, with pages of the given captions; the exceptions that reached the application (none may, unless a test
// takes them); and mouse messages posted to a control.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/Themes.h"
#include "sddcontrols/unSDDPageControl.h"
#include "tests/classlib/RuntimeTestSupport.h"
#include "tests/classlib/StdCtrlsTestScene.h"
#include "tests/sddcontrols/SDDTestScene.h"

namespace sdd_test {

// The side panel's page colour, 14538706, and its background 13616833.
constexpr TColor kPageColor = 0xDDD7D2, kSideBackground = 0xCFC6C1;

inline void PostMouseTo(HWND wnd, UINT msg, TPoint p, WPARAM buttons) {
  PostMessageA(wnd, msg, buttons, MAKELPARAM(p.X, p.Y));
  PumpMessages();
}

inline void ClickAt(TWinControl& control, TPoint p) {
  PostMouseTo(control.Handle(), WM_LBUTTONDOWN, p, MK_LBUTTON);
  PostMouseTo(control.Handle(), WM_LBUTTONUP, p, 0);
}

inline TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

struct PagesScene : TFormScene {
  TClassicThemesScope classic;
  runtimetest::TReportCapture reports;
  bool reportsExpected = false;
  TSDDPageControl* pc = new TSDDPageControl(form.get());
  std::vector<TSDDTabSheet*> pages;
  std::vector<std::string> log;

  explicit PagesScene(const std::vector<std::string>& captions, int w = 240, int h = 100)
      : TFormScene(bsNone, 400, 300) {
    pc->SetParent(form.get());
    pc->SetBounds(0, 0, w, h);
    pc->SetBoldCurrentTab(true);
    pc->SetMargin(2);
    pc->SetRowIndent(10);
    pc->SetRowOverlap(10);
    pc->SetShowShadow(false);
    pc->SetBackgroundColor(kSideBackground);
    for (const std::string& caption : captions) AddPage(caption);
    pc->SetActivePage(pages.front());
    Settle();
  }
  ~PagesScene() {
    form.reset();
    PumpMessages();
    if (!reportsExpected) {
      EXPECT_TRUE(reports.Reports.empty()) << reports.Reports.front().Text;
    }
  }
  TSDDTabSheet* AddPage(const std::string& caption) {
    auto* page = new TSDDTabSheet(form.get());
    page->SetPageControl(pc);
    page->SetCaption(caption);
    page->SetColor(kPageColor);
    pages.push_back(page);
    return page;
  }
  // Painted and laid out.
  void Settle() {
    pc->UpdateLayout();
    pc->Repaint();
    PumpMessages();
  }
  void Logs() {
    pc->OnChange = [this](TObject*) { log.push_back("change " + std::to_string(pc->TabIndex())); };
    pc->OnTabClick = [this](TObject*) { log.push_back("click " + std::to_string(pc->TabIndex())); };
  }
  // OnChanging refuses the tabs in `refused` and logs every question.
  void Refuses(std::vector<int> refused) {
    pc->OnChanging = [this, refused](TObject*, int index, bool& allow) {
      log.push_back("changing " + std::to_string(index));
      for (int r : refused) allow = allow && r != index;
    };
  }
  int VisiblePages() const {
    int n = 0;
    for (TSDDTabSheet* page : pages) n += page->Visible();
    return n;
  }
};

}  // namespace sdd_test
