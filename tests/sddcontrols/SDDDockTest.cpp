#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/DockTree.h"
#include "classlib/DragDock.h"
#include "classlib/Edits.h"
#include "classlib/Themes.h"
#include "classlib/core/LayoutReader.h"
#include "sddcontrols/unSDDLayoutClasses.h"
#include "sddcontrols/unSDDDockManager.h"
#include "sddcontrols/unSDDSizePanel.h"
#include "sddcontrols/unSDDSplit.h"
#include "tests/classlib/DockTestSupport.h"
#include "tests/sddcontrols/SDDSplitTestSupport.h"
#include "tests/sddcontrols/SDDTabTestScene.h"

using namespace sdd_test;
using dock_test::MoveThrough;
using dock_test::ReleaseAt;
using dock_test::ScreenCentre;

namespace {

// A dockable SDD panel "Tools" with an edit, on `form` at (220, 200), 160 x 60.
TSDDPanel* ToolPanel(TForm& form) {
  auto* tools = new TSDDPanel(&form);
  tools->SetParent(&form);
  tools->SetBounds(220, 200, 160, 60);
  tools->SetCaption("Tools");
  tools->SetDragKind(dkDock);
  tools->SetDragMode(dmAutomatic);
  auto* edit = new TEdit(&form);
  edit->SetParent(tools);
  edit->SetBounds(40, 20, 60, 20);
  return tools;
}

// A drag of `control` from its point (10, 10) past the threshold to the screen point `to`, released there.
void DragTo(TWinControl& control, TPoint to) {
  const TPoint from = control.ClientToScreen({10, 10});
  dock_test::DragFrom(control, {10, 10}, {{from.X + 6, from.Y}, to});
}

// An SDD panel dock site on a 400 x 300 form (150 wide, or 100 high, as its alignment asks) and the tool panel.
struct PanelSiteScene : TFormScene {
  TClassicThemesScope classic;
  runtimetest::TReportCapture reports;
  TSDDPanel* site = new TSDDPanel(form.get());
  TSDDPanel* tools = ToolPanel(*form);
  explicit PanelSiteScene(TAlign align) : TFormScene(bsNone, 400, 300) {
    site->SetParent(form.get());
    site->SetBorderOuter(fsNone);
    site->SetBounds(0, 0, 150, 100);
    site->SetAlign(align);
    site->SetDockSite(true);
    PumpMessages();
  }
  ~PanelSiteScene() {
    form.reset();
    PumpMessages();
    EXPECT_TRUE(reports.Reports.empty()) << reports.Reports.front().Text;
  }
};

TEST(SDDPanelDockManager, CaptionBandsShowTheClientAndTheFocus) {
  struct Row {
    const char* name;
    TAlign align;
    bool focused;
    TRect docked;
    TPoint bandPixel;  // in the band, clear of caption and cross
    TColor band, text;
  };
  const Row rows[] = {
      {"left band, inactive", alTop, false, {14, 0, 400, 100}, {1, 50}, clInactiveCaption, clCaptionText},
      {"left band, active", alTop, true, {14, 0, 400, 100}, {1, 50}, clActiveCaption, clCaptionText},
      {"top band, inactive", alLeft, false, {0, 14, 150, 300}, {90, 12}, clInactiveCaption, clInactiveCaptionText},
      {"top band, active", alLeft, true, {0, 14, 150, 300}, {90, 12}, clActiveCaption, clCaptionText},
  };
  for (const Row& r : rows) {
    PanelSiteScene s(r.align);
    ASSERT_NE(dynamic_cast<TSDDPanelDockManager*>(s.site->DockManager()), nullptr) << r.name;
    DragTo(*s.tools, ScreenCentre(*s.site));
    ASSERT_EQ(s.tools->HostDockSite(), s.site) << r.name;
    EXPECT_EQ(s.tools->BoundsRect(), r.docked) << r.name;
    if (r.focused) static_cast<TWinControl*>(s.tools->Controls(0))->SetFocus();
    // A mouse activation anywhere in the site repaints the captions.
    ValidateRect(s.site->Handle(), nullptr);
    s.site->Perform(WM_MOUSEACTIVATE);
    UpdateWindow(s.site->Handle());
    EXPECT_EQ(WindowPixel(*s.site, r.bandPixel), Rgb(r.band)) << r.name;
    // The caption and the cross are drawn in the text colour inside the band.
    const TRect band = r.align == alTop ? TRect{0, 0, 14, 100} : TRect{0, 0, 150, 14};
    int ink = 0;
    for (int y = band.Top; y < band.Bottom; ++y)
      for (int x = band.Left; x < band.Right; ++x) ink += WindowPixel(*s.site, {x, y}) == Rgb(r.text);
    EXPECT_GT(ink, 10) << r.name;
  }
}

// Counts the messages that reach it, then hands them on.
struct TWatch {
  int* count;
  std::function<void(TMessage&)> next;
  void operator()(TMessage& m) const {
    ++*count;
    next(m);
  }
};

TEST(SDDPanelDockManager, TheWindowProcedureComesBackWhenTheManagerGoes) {
  struct Row {
    const char* name;
    void (*drop)(TSDDPanel&);
    bool replacedMeanwhile;
  };
  const Row rows[] = {
      {"no longer a dock site", [](TSDDPanel& p) { p.SetDockSite(false); }, false},
      {"no dock manager wanted", [](TSDDPanel& p) { p.SetUseDockManager(false); }, false},
      {"replaced after the manager", [](TSDDPanel& p) { p.SetDockSite(false); }, true},
  };
  const auto invalidatedBy = [](TSDDPanel& p, UINT msg) {
    ValidateRect(p.Handle(), nullptr);
    p.Perform(msg);
    RECT r{};
    return GetUpdateRect(p.Handle(), &r, FALSE) != FALSE;
  };
  for (const Row& r : rows) {
    PanelSiteScene s(alLeft);
    s.site->SetDockSite(false);
    int count = 0;
    s.site->WindowProc = TWatch{&count, s.site->WindowProc};
    s.site->SetDockSite(true);
    EXPECT_EQ(s.site->WindowProc.target<TWatch>(), nullptr) << r.name << ": the manager took it over";
    EXPECT_TRUE(invalidatedBy(*s.site, WM_MOUSEACTIVATE)) << r.name;
    EXPECT_TRUE(invalidatedBy(*s.site, WM_COMMAND)) << r.name;
    EXPECT_EQ(count, 2) << r.name << ": and handed the messages on";
    int later = 0;
    if (r.replacedMeanwhile) s.site->WindowProc = TWatch{&later, s.site->WindowProc};
    r.drop(*s.site);
    EXPECT_EQ(s.site->DockManager(), nullptr) << r.name;
    EXPECT_NE(s.site->WindowProc.target<TWatch>(), nullptr) << r.name;
    EXPECT_FALSE(invalidatedBy(*s.site, WM_MOUSEACTIVATE)) << r.name;
    EXPECT_EQ(count, 3) << r.name;
    EXPECT_EQ(later, r.replacedMeanwhile ? 1 : 0) << r.name;
  }
}

TEST(SDDSizePanelDockManager, BandsFollowTheAlignmentAndTheBar) {
  struct Row {
    const char* name;
    TAlign align;
    TRect dockRect;  // on the screen, the panel at the form's corner or edge
    TRect docked;    // the client in the panel
    TPoint bandPixel;
  };
  // 150 x 120 panels on a 400 x 300 form, size bar 4 pixels (and one beyond it) on the side facing the free area
  // (on top for top- and bottom-aligned panels).
  const Row rows[] = {
      {"top: band at the left, area below the bar", alTop, {0, 5, 400, 120}, {14, 5, 400, 120}, {1, 60}},
      {"bottom: band at the left, area below the bar", alBottom, {0, 185, 400, 300}, {14, 5, 400, 120}, {1, 60}},
      {"left: band on top", alLeft, {0, 0, 145, 300}, {0, 14, 145, 300}, {70, 12}},
      {"right: band on top, right of the bar", alRight, {255, 0, 400, 300}, {5, 14, 150, 300}, {70, 12}},
      {"filling: no band", alClient, {}, {}, {-1, -1}},
  };
  for (const Row& r : rows) {
    TFormScene scene(bsNone, 400, 300);
    TClassicThemesScope classic;
    auto* panel = new TSDDSizePanel(scene.form.get());
    panel->SetParent(scene.form.get());
    panel->SetAlign(r.align);
    panel->SetBounds(0, 0, 150, 120);
    panel->SetDockSite(true);
    TSDDPanel* tools = ToolPanel(*scene.form);
    PumpMessages();
    ASSERT_NE(dynamic_cast<TSDDSizePanelDockManager*>(panel->DockManager()), nullptr) << r.name;
    TRect shown;
    panel->OnDockOver = [&](TObject*, TDragDockObject* source, int, int, TDragState, bool&) {
      shown = source->DockRect;
    };
    DragTo(*tools, ScreenCentre(*panel));
    ASSERT_EQ(tools->HostDockSite(), panel) << r.name;
    if (r.bandPixel.X < 0) {
      EXPECT_EQ(tools->BoundsRect(), panel->ClientRect()) << r.name;
      continue;
    }
    EXPECT_EQ(shown, r.dockRect) << r.name;
    EXPECT_EQ(tools->BoundsRect(), r.docked) << r.name;
    panel->Repaint();
    const TPoint at = r.bandPixel;
    EXPECT_EQ(WindowPixel(*panel, at), Rgb(clInactiveCaption)) << r.name;
    // Collapsed, the panel draws no frames.
    panel->SetHotSpotVisible(true);
    panel->SetSizeBarWidth(4);
    panel->ReadHotSpotClosed(true);
    panel->Repaint();
    EXPECT_NE(WindowPixel(*panel, at), Rgb(clInactiveCaption)) << r.name;
  }
}

TEST(SDDSplitter, PaneDockEventsReachTheSplitter) {
  for (int pane = 0; pane < 2; ++pane) {
    TFormScene scene(bsNone, 400, 300);
    TClassicThemesScope classic;
    auto* split = new TSDDSplitter(scene.form.get());
    split->SetParent(scene.form.get());
    split->SetBounds(0, 0, 300, 150);
    split->UpdatePosition(146);
    TSDDSplitterPane& site = pane == 0 ? split->UpperLeftPane() : split->LowerRightPane();
    (pane == 0 ? split->UpperLeft() : split->LowerRight()).SetDockSite(true);
    std::vector<std::string> log;
    const auto from = [&](const char* what) {
      return [&log, &site, what](TObject* sender) { log.push_back(std::string(what) + (sender == &site ? "" : "?")); };
    };
    const auto info = [f = from("info")](TObject* s, TControl*, TRect&, TPoint, bool&) { f(s); };
    const auto over = [f = from("over")](TObject* s, TDragDockObject*, int, int, TDragState, bool&) { f(s); };
    const auto drop = [f = from("drop")](TObject* s, TDragDockObject*, int, int) { f(s); };
    const auto undock = [f = from("undock")](TObject* s, TControl*, TWinControl*, bool&) { f(s); };
    if (pane == 0) {
      split->OnULGetSiteInfo = info, split->OnULDockOver = over, split->OnULDockDrop = drop, split->OnULUnDock = undock;
    } else {
      split->OnLRGetSiteInfo = info, split->OnLRDockOver = over, split->OnLRDockDrop = drop, split->OnLRUnDock = undock;
    }
    TSDDPanel* tools = ToolPanel(*scene.form);
    PumpMessages();
    DragTo(*tools, ScreenCentre(site));
    EXPECT_EQ(tools->HostDockSite(), &site) << pane;
    DragTo(*tools, {600, 150});
    EXPECT_TRUE(tools->Floating()) << pane;
    EXPECT_EQ(log, (std::vector<std::string>{"info", "over", "drop", "info", "over", "over", "undock"})) << pane;
  }
}

// The side panel's page control as a dock site, with a tool panel beside it and a log of its dock events.
struct PageDockScene : PagesScene {
  TSDDPanel* tools = ToolPanel(*form);
  PageDockScene() : PagesScene({"Option", "Map Info"}) {
    pc->SetDockSite(true);
    pc->OnDockOver = [this](TObject*, TDragDockObject* source, int, int, TDragState, bool&) {
      log.push_back("over");
      shown = source->DockRect;
    };
    PumpMessages();
  }
  TRect shown;
  TSDDTabSheet* Sheet() { return pc->PageOfDockClient(tools); }
  TPoint TabCentre(TSDDTabSheet* page) {
    pc->UpdateLayout();
    return pc->ClientToScreen(Centre(pc->TabRect(page->TabIndex())));
  }
};

TEST(SDDPageControl, ADockedControlGetsASheetOfItsOwn) {
  PageDockScene s;
  DragTo(*s.tools, ScreenCentre(*s.pc));
  TSDDTabSheet* sheet = s.Sheet();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(s.pc->PageCount(), 3);
  EXPECT_EQ(sheet->Owner(), s.pc);
  EXPECT_EQ(sheet->Caption(), "Tools");
  EXPECT_EQ(s.pc->ActivePage(), sheet);
  EXPECT_EQ(s.tools->Parent(), sheet);
  EXPECT_EQ(s.tools->Align(), alClient);
  RECT window{};
  GetWindowRect(s.pc->Handle(), &window);
  EXPECT_EQ(s.shown, FromRECT(window));

  // The tab follows the control's text and visibility.
  s.tools->SetCaption("Tile\r\nPicker");
  EXPECT_EQ(sheet->Caption(), "Tile");
  s.Settle();
  EXPECT_EQ(s.pc->Tabs().Items(2).Caption, "Tile");
  s.tools->Hide();
  EXPECT_FALSE(sheet->TabVisible());
  EXPECT_EQ(s.pc->Tabs().Count(), 2);
  s.tools->Show();
  EXPECT_TRUE(sheet->TabVisible());

  // Docked here already, it cannot dock here again: dragged from its tab over the page control, it floats.
  TRect influence;
  bool canDock = true;
  s.pc->GetSiteInfo(s.tools, influence, ScreenCentre(*s.pc), canDock);
  EXPECT_FALSE(canDock);
  s.log.clear();
  const TPoint tab = s.TabCentre(sheet);
  dock_test::PostAt(s.pc->Handle(), WM_LBUTTONDOWN, tab, MK_LBUTTON);
  ASSERT_TRUE(MoveThrough({{tab.X + 6, tab.Y}, ScreenCentre(*s.pc)}));
  ReleaseAt(ScreenCentre(*s.pc));
  EXPECT_TRUE(s.log.empty());
  EXPECT_TRUE(s.tools->Floating());
  EXPECT_EQ(s.pc->PageCount(), 2);
}

TEST(SDDPageControl, UndockingFreesTheSheetAndSelectsTheNextVisiblePage) {
  struct Row {
    const char* name;
    void (*undock)(PageDockScene&);
    bool undocks;
  };
  const Row rows[] = {
      {"dragged from its tab",
       [](PageDockScene& s) {
         const TPoint tab = s.TabCentre(s.Sheet());
         dock_test::PostAt(s.pc->Handle(), WM_LBUTTONDOWN, tab, MK_LBUTTON);
         MoveThrough({{tab.X + 6, tab.Y}, {600, 150}});
         ReleaseAt({600, 150});
       },
       true},
      {"a double click on its tab",
       [](PageDockScene& s) {
         const TPoint tab = s.TabCentre(s.Sheet());
         dock_test::PostAt(s.pc->Handle(), WM_LBUTTONDBLCLK, tab, MK_LBUTTON);
         dock_test::PostAt(s.pc->Handle(), WM_LBUTTONUP, tab, 0);
       },
       true},
      {"a double click without DblClickUndocks",
       [](PageDockScene& s) {
         s.pc->SetDblClickUndocks(false);
         const TPoint tab = s.TabCentre(s.Sheet());
         dock_test::PostAt(s.pc->Handle(), WM_LBUTTONDBLCLK, tab, MK_LBUTTON);
         dock_test::PostAt(s.pc->Handle(), WM_LBUTTONUP, tab, 0);
       },
       false},
      {"the control freed", [](PageDockScene& s) { delete s.tools; }, true},
  };
  for (const Row& r : rows) {
    PageDockScene s;
    s.pages[0]->SetTabVisible(false);  // the next visible page after the last is the second
    const int owned = s.pc->ComponentCount();
    DragTo(*s.tools, ScreenCentre(*s.pc));
    ASSERT_EQ(s.pc->PageCount(), 3) << r.name;
    TSDDTabSheet* sheet = s.Sheet();
    r.undock(s);
    PumpMessages();
    EXPECT_EQ(s.pc->PageCount(), r.undocks ? 2 : 3) << r.name;
    EXPECT_EQ(s.pc->ActivePage(), r.undocks ? s.pages[1] : sheet) << r.name;
    EXPECT_EQ(s.pc->ComponentCount(), r.undocks ? owned : owned + 1) << r.name << ": the sheet is freed";
  }
}

TEST(SDDDocking, LayoutsSetTheDockProperties) {
  TFormScene scene;
  RegisterSDDLayoutClasses();
  const char* text = R"(object F: TForm
  object Site: TSDDPanel
    DockSite = True
    ShowDockClientCaptions = False
  end
  object Plain: TSDDPanel
    DockSite = True
    UseDockManager = False
  end
  object Tools: TSDDPanel
    DragKind = dkDock
    DragMode = dmAutomatic
  end
  object Split: TSDDSplitter
    UpperLeft.DockSite = True
  end
  object Pages: TSDDPageControl
    DockSite = True
    DblClickUndocks = False
  end
end
)";
  TLayoutReadError error;
  ASSERT_TRUE(scene.form->LoadLayoutText(text, "test", error)) << error.Text();
  auto* site = Made<TSDDPanel>(*scene.form, "Site");
  auto* plain = Made<TSDDPanel>(*scene.form, "Plain");
  auto* tools = Made<TSDDPanel>(*scene.form, "Tools");
  auto* split = Made<TSDDSplitter>(*scene.form, "Split");
  auto* pages = Made<TSDDPageControl>(*scene.form, "Pages");
  ASSERT_TRUE(site && plain && tools && split && pages);
  EXPECT_NE(dynamic_cast<TSDDPanelDockManager*>(site->DockManager()), nullptr);
  EXPECT_FALSE(site->ShowDockClientCaptions());
  EXPECT_EQ(plain->DockManager(), nullptr);
  EXPECT_EQ(tools->DragKind(), dkDock);
  EXPECT_EQ(tools->DragMode(), dmAutomatic);
  EXPECT_TRUE(split->UpperLeftPane().DockSite());
  EXPECT_TRUE(pages->DockSite());
  EXPECT_FALSE(pages->DblClickUndocks());
}

TEST(SDDDocking, GdiObjectsComeBack) {
  const auto work = [] {
    {
      PanelSiteScene s(alTop);
      DragTo(*s.tools, ScreenCentre(*s.site));
      s.site->Repaint();
      DragTo(*s.tools, {600, 150});
      s.tools->ManualDock(s.site);
      s.site->Repaint();
      PumpMessages();
    }
    PageDockScene s;
    DragTo(*s.tools, ScreenCentre(*s.pc));
    s.Settle();
    s.tools->ManualDock(nullptr);
    PumpMessages();
  };
  const DWORD settled = controls_test::SettledGdiObjectCount(work);
  work();
  EXPECT_EQ(controls_test::GdiObjectCount(), settled);
}

}  // namespace
