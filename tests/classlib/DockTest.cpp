#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "classlib/DockTree.h"
#include "classlib/DragDock.h"
#include "classlib/ExtCtrls.h"
#include "tests/classlib/DockTestSupport.h"
#include "tests/classlib/StdCtrlsTestScene.h"

using namespace dock_test;

namespace {

// A 400 x 300 form at the screen's corner with a dock site of its own (a bevel-less panel, 150 wide or 100 high as
// its alignment asks) and a dockable 160 x 60 panel "Tools" at (220, 200) that drags itself (wide enough for a
// sizeable tool window's smallest client area). The log records every
// OnEndDock: "site", "host" (a floating host), "none".
struct DockScene : controls_test::StdScene {
  TPanel* site = new TPanel(form.get());
  TPanel* client = new TPanel(form.get());

  explicit DockScene(TAlign siteAlign = alLeft) {
    site->SetParent(form.get());
    site->SetBevelOuter(bvNone);
    site->SetBounds(0, 0, 150, 100);
    site->SetAlign(siteAlign);
    site->SetDockSite(true);
    site->SetUseDockManager(true);
    client->SetParent(form.get());
    client->SetBounds(220, 200, 160, 60);
    client->SetCaption("Tools");
    client->SetDragKind(dkDock);
    client->SetDragMode(dmAutomatic);
    client->OnEndDock = [this](TObject*, TObject* target, int, int) {
      log.push_back(!target ? "none" : target == site ? "site" : dynamic_cast<TFloatingDockHost*>(target) ? "host"
                                                                                                          : "other");
    };
    PumpMessages();
  }
  TPoint SiteCentre() { return ScreenCentre(*site); }
  // A drag of the client from its point (10, 10) past the threshold to `to`, released there.
  void DragClientTo(TPoint to) {
    const TPoint from = client->ClientToScreen({10, 10});
    DragFrom(*client, {10, 10}, {{from.X + 6, from.Y}, to});
  }
  // Four pixels of the screen from `p`: the drag frame inverts every other one.
  std::array<TColor, 4> Pixels(TPoint p) {
    return {ScreenPixel(p), ScreenPixel({p.X + 1, p.Y}), ScreenPixel({p.X, p.Y + 1}),
            ScreenPixel({p.X + 1, p.Y + 1})};
  }
};

TEST(Docking, APanelDraggedOntoASiteDocksFloatsAndReturns) {
  struct Row {
    const char* name;
    TAlign siteAlign;
    TRect docked;  // the client in the site, right of or below the grabber band
  };
  const Row rows[] = {
      {"a left-aligned site has the grabber on top", alLeft, {0, 12, 150, 300}},
      {"a top-aligned site has the grabber at the left", alTop, {12, 0, 400, 100}},
      {"so has a bottom-aligned one", alBottom, {12, 0, 400, 100}},
      {"a filling site has the grabber on top", alClient, {0, 12, 400, 300}},
  };
  for (const Row& r : rows) {
    DockScene s(r.siteAlign);
    s.DragClientTo(s.SiteCentre());
    EXPECT_EQ(s.client->Parent(), s.site) << r.name;
    EXPECT_EQ(s.client->HostDockSite(), s.site) << r.name;
    EXPECT_EQ(s.client->Align(), alNone) << r.name;
    EXPECT_EQ(s.client->BoundsRect(), r.docked) << r.name;
    ASSERT_EQ(s.site->DockClientCount(), 1) << r.name;
    EXPECT_EQ(GetCapture(), nullptr) << r.name;

    // Out again into empty space: a tool window at the undocked size, placed where the frame was.
    const TPoint grab = s.client->ClientToScreen({40, 30});
    DragFrom(*s.client, {40, 30}, {{grab.X + 6, grab.Y}, {600, 150}});
    auto* host = dynamic_cast<TFloatingDockHost*>(s.client->HostDockSite());
    ASSERT_NE(host, nullptr) << r.name;
    EXPECT_TRUE(s.client->Floating()) << r.name;
    EXPECT_EQ(s.client->Parent(), host) << r.name;
    EXPECT_EQ(s.site->DockClientCount(), 0) << r.name;
    EXPECT_EQ(host->ClientToScreen({0, 0}), (TPoint{560, 120})) << r.name;
    EXPECT_EQ(s.client->BoundsRect(), (TRect{0, 0, 160, 60})) << r.name;
    EXPECT_TRUE(GetWindowLongA(host->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << r.name;
    EXPECT_EQ(host->Caption(), "Tools") << r.name;

    // Back by the host's caption; the host goes.
    const HWND hostWindow = host->Handle();
    RECT w{};
    GetWindowRect(hostWindow, &w);
    const TPoint caption{w.left + 20, (w.top + host->ClientToScreen({0, 0}).Y) / 2};
    PostMessageA(hostWindow, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(caption.X, caption.Y));
    PumpMessages();
    ASSERT_TRUE(MoveThrough({{caption.X + 6, caption.Y}, s.SiteCentre()})) << r.name;
    ReleaseAt(s.SiteCentre());
    PumpMessages();
    EXPECT_EQ(s.client->Parent(), s.site) << r.name;
    EXPECT_EQ(s.client->BoundsRect(), r.docked) << r.name;
    EXPECT_FALSE(IsWindow(hostWindow)) << r.name;
    EXPECT_EQ(s.log, (std::vector<std::string>{"site", "host", "site"})) << r.name;
  }
}

TEST(Docking, AClickOrAShortMoveIsNoDrag) {
  struct Row {
    const char* name;
    TDragMode mode;
    int move;
    std::vector<std::string> ends;
  };
  const Row rows[] = {{"within the threshold", dmAutomatic, 4, {"none"}},
                      {"a manual control does not drag itself", dmManual, 40, {}}};
  for (const Row& r : rows) {
    DockScene s;
    s.client->SetDragMode(r.mode);
    const TPoint from = s.client->ClientToScreen({10, 10});
    PressOn(*s.client, {10, 10});
    PostAt(GetCapture() ? GetCapture() : s.client->Handle(), WM_MOUSEMOVE, {from.X + r.move, from.Y}, MK_LBUTTON);
    PostAt(GetCapture() ? GetCapture() : s.client->Handle(), WM_LBUTTONUP, {from.X + r.move, from.Y}, 0);
    EXPECT_EQ(s.client->Parent(), s.form.get()) << r.name;
    EXPECT_EQ(s.client->BoundsRect(), (TRect{220, 200, 380, 260})) << r.name;
    EXPECT_EQ(s.log, r.ends) << r.name;
    EXPECT_EQ(GetCapture(), nullptr) << r.name;
  }
}

TEST(Docking, EscapeARightPressOrALostCaptureCancels) {
  struct Row {
    const char* name;
    void (*cancel)(DockScene&);
  };
  const Row rows[] = {
      {"Escape", [](DockScene& s) { controls_test::PressKey(s.form->Handle(), VK_ESCAPE); }},
      {"a right press", [](DockScene&) { PostAt(GetCapture(), WM_RBUTTONDOWN, {60, 60}, MK_LBUTTON); }},
      {"the capture taken", [](DockScene& s) { SetCapture(s.form->Handle()); }},
  };
  for (const Row& r : rows) {
    DockScene s;
    const TPoint edge{1, 150};  // on the frame of the site's dock rectangle, its client area
    const auto before = s.Pixels(edge);
    const TPoint from = s.client->ClientToScreen({10, 10});
    PressOn(*s.client, {10, 10});
    ASSERT_TRUE(MoveThrough({{from.X + 6, from.Y}, s.SiteCentre()})) << r.name;
    EXPECT_NE(s.Pixels(edge), before) << r.name << ": the frame shows";
    r.cancel(s);
    PumpMessages();
    EXPECT_EQ(s.Pixels(edge), before) << r.name << ": the frame is gone";
    EXPECT_FALSE(s.client->Dragging()) << r.name;
    ReleaseCapture();
    ReleaseAt(s.SiteCentre());
    EXPECT_EQ(s.client->Parent(), s.form.get()) << r.name;
    EXPECT_EQ(s.site->DockClientCount(), 0) << r.name;
    EXPECT_EQ(s.log, (std::vector<std::string>{"none"})) << r.name;
  }
}

TEST(Docking, RefusalsFloatTheControlOrKeepItDocked) {
  struct Row {
    const char* name;
    bool dockedFirst;
    void (*refuse)(DockScene&);
    std::string end;
  };
  const Row rows[] = {
      {"the site may not take it", false,
       [](DockScene& s) {
         s.site->OnGetSiteInfo = [](TObject*, TControl*, TRect&, TPoint, bool& can) { can = false; };
       },
       "host"},
      {"the site's influence misses the mouse", false,
       [](DockScene& s) {
         s.site->OnGetSiteInfo = [](TObject*, TControl*, TRect& r, TPoint, bool&) { r = {0, 0, 10, 10}; };
       },
       "host"},
      {"the site does not accept it", false,
       [](DockScene& s) {
         s.site->OnDockOver = [](TObject*, TDragDockObject*, int, int, TDragState, bool& a) { a = false; };
       },
       "host"},
      {"the old site does not let it go", true,
       [](DockScene& s) {
         s.site->OnUnDock = [](TObject*, TControl*, TWinControl* target, bool& allow) { allow = target != nullptr; };
       },
       "none"},
  };
  for (const Row& r : rows) {
    DockScene s;
    if (r.dockedFirst) ASSERT_TRUE(s.client->ManualDock(s.site));
    r.refuse(s);
    s.DragClientTo(r.dockedFirst ? TPoint{600, 150} : s.SiteCentre());
    EXPECT_EQ(s.log.back(), r.end) << r.name;
    EXPECT_EQ(s.client->HostDockSite() == s.site, r.dockedFirst) << r.name;
    EXPECT_EQ(s.client->Floating(), !r.dockedFirst) << r.name;
  }
}

TEST(Docking, ClientsShareTheSiteByTheirDropPlace) {
  DockScene s;  // a left site: clients one above the other, grabbers on top
  auto* other = new TPanel(s.form.get());
  other->SetParent(s.form.get());
  other->SetBounds(250, 100, 80, 60);
  other->SetDragKind(dkDock);
  ASSERT_TRUE(s.client->ManualDock(s.site));
  TRect shown;
  s.site->OnDockOver = [&](TObject*, TDragDockObject* source, int, int, TDragState, bool&) {
    shown = source->DockRect;
  };
  // Onto the upper half of the client's zone: the new one goes above it.
  const TPoint upper = s.site->ClientToScreen({75, 60});
  other->BeginDrag(true);
  MoveThrough({upper});
  EXPECT_EQ(shown, (TRect{0, 0, 150, 150}));
  ReleaseAt(upper);
  ASSERT_EQ(s.site->DockManager()->ClientCount(), 2);
  EXPECT_EQ(other->BoundsRect(), (TRect{0, 12, 150, 150}));
  EXPECT_EQ(s.client->BoundsRect(), (TRect{0, 162, 150, 300}));

  // The close button hides a client; the other takes the site.
  const TRect close = s.site->DockManager()->CloseButtonRect(s.site->DockManager()->ZoneRect(other));
  const TPoint onClose = s.site->ClientToScreen({close.Left + 3, close.Top + 3});
  PostAt(s.site->Handle(), WM_LBUTTONDOWN, onClose, MK_LBUTTON);
  PostAt(s.site->Handle(), WM_LBUTTONUP, onClose, 0);
  EXPECT_FALSE(other->Visible());
  EXPECT_EQ(s.client->BoundsRect(), (TRect{0, 12, 150, 300}));

  // A press on the grabber band drags the client out.
  const TPoint band = s.site->ClientToScreen({20, 5});
  PostAt(s.site->Handle(), WM_LBUTTONDOWN, band, MK_LBUTTON);
  ASSERT_TRUE(MoveThrough({{band.X + 6, band.Y}, {600, 150}}));
  ReleaseAt({600, 150});
  EXPECT_TRUE(s.client->Floating());
  EXPECT_EQ(s.site->DockManager()->ClientCount(), 1);
}

// Zones follow each other without a gap, and the last one ends at the site's edge although the site's length does
// not divide by the number of clients (400 / 3 across, 300 / 7 down).
TEST(Docking, ZonesShareTheSiteToItsLastPixel) {
  struct Row {
    TAlign siteAlign;
    int clients;
    int length;
  };
  for (const Row& r : {Row{alTop, 3, 400}, Row{alLeft, 7, 300}}) {
    DockScene s(r.siteAlign);
    std::vector<TPanel*> clients;
    for (int i = 0; i < r.clients; ++i) {
      clients.push_back(new TPanel(s.form.get()));
      clients.back()->SetParent(s.form.get());
      ASSERT_TRUE(clients.back()->ManualDock(s.site)) << r.siteAlign << " " << i;
    }
    TDockTree& tree = *s.site->DockManager();
    const bool across = r.siteAlign == alTop;
    int edge = 0;
    for (TPanel* client : clients) {
      const TRect zone = tree.ZoneRect(client);
      EXPECT_EQ(across ? zone.Left : zone.Top, edge) << r.siteAlign;
      edge = across ? zone.Right : zone.Bottom;
    }
    EXPECT_EQ(edge, r.length) << r.siteAlign;
    const TRect last = clients.back()->BoundsRect();
    EXPECT_EQ(across ? last.Right : last.Bottom, r.length) << r.siteAlign << ": the last client reaches the edge";
  }
}

// Only a release on the close button that was pressed hides its client; a press elsewhere (on the band, or on the
// other client's close button) that ends there hides nothing.
TEST(Docking, TheCloseButtonHidesOnlyWhatWasPressedOnIt) {
  struct Row {
    const char* name;
    bool pressOnOther;  // else on this client's band, left of its close button
    bool pressOnClose;
    bool hidden;
  };
  const Row rows[] = {
      {"pressed and released on it", false, true, true},
      {"pressed on the band beside it", false, false, false},
      {"pressed on the other client's close button", true, true, false},
  };
  for (const Row& r : rows) {
    DockScene s;
    auto* other = new TPanel(s.form.get());
    other->SetParent(s.form.get());
    s.client->SetDragKind(dkDrag);  // a press on a band starts no dock drag
    ASSERT_TRUE(s.client->ManualDock(s.site));
    ASSERT_TRUE(other->ManualDock(s.site));
    TDockTree& tree = *s.site->DockManager();
    const TRect closeRect = tree.CloseButtonRect(tree.ZoneRect(s.client));
    const TRect pressZone = tree.ZoneRect(r.pressOnOther ? other : s.client);
    const TRect pressClose = tree.CloseButtonRect(pressZone);
    const TPoint press = r.pressOnClose ? TPoint{pressClose.Left + 3, pressClose.Top + 3}
                                        : TPoint{pressZone.Left + 20, pressZone.Top + 5};
    const TPoint release{closeRect.Left + 3, closeRect.Top + 3};
    PostAt(s.site->Handle(), WM_LBUTTONDOWN, s.site->ClientToScreen(press), MK_LBUTTON);
    PostAt(s.site->Handle(), WM_LBUTTONUP, s.site->ClientToScreen(release), 0);
    EXPECT_EQ(IsWindowVisible(s.client->Handle()), !r.hidden) << r.name;
    EXPECT_TRUE(IsWindowVisible(other->Handle())) << r.name;
  }
}

// A control that is a dock site itself (and holds one) is no place to dock into when it is dragged over itself or
// over its own child: neither is asked, and it floats.
TEST(Docking, AControlDraggedOverItselfOrItsChildDoesNotDockThere) {
  for (bool overChild : {false, true}) {
    DockScene s;
    auto* inner = new TPanel(s.form.get());
    inner->SetParent(s.client);
    inner->SetBounds(100, 10, 50, 40);
    for (TPanel* own : {s.client, inner}) {
      own->SetDockSite(true);
      own->OnDockOver = [&s](TObject* sender, TDragDockObject*, int, int, TDragState, bool& accept) {
        s.log.push_back(sender == s.client ? "over itself" : "over its child");
        accept = false;
      };
    }
    PumpMessages();
    s.DragClientTo(overChild ? ScreenCentre(*inner) : s.client->ClientToScreen({40, 30}));
    EXPECT_EQ(s.log, (std::vector<std::string>{"host"})) << overChild;
    EXPECT_TRUE(s.client->Floating()) << overChild;
  }
}

TEST(Docking, FreedControlsLeaveTheDragAndTheSite) {
  struct Row {
    const char* name;
    void (*free)(DockScene&);
  };
  const Row rows[] = {
      {"the dragged control", [](DockScene& s) { delete s.client; }},
      {"the site under the drag", [](DockScene& s) { delete s.site; }},
  };
  for (const Row& r : rows) {
    DockScene s;
    s.client->OnEndDock = nullptr;
    const TPoint from = s.client->ClientToScreen({10, 10});
    PressOn(*s.client, {10, 10});
    ASSERT_TRUE(MoveThrough({{from.X + 6, from.Y}, s.SiteCentre()})) << r.name;
    r.free(s);
    MoveThrough({{60, 60}});
    ReleaseAt({60, 60});
    PumpMessages();
    EXPECT_EQ(DockDragControl(), nullptr) << r.name;
  }

  // A docked client freed leaves the site's records; a freed site leaves its clients undocked.
  DockScene s;
  auto* other = new TPanel(s.form.get());
  other->SetParent(s.form.get());
  ASSERT_TRUE(s.client->ManualDock(s.site));
  ASSERT_TRUE(other->ManualDock(s.site));
  delete other;
  EXPECT_EQ(s.site->DockClientCount(), 1);
  EXPECT_EQ(s.client->BoundsRect(), (TRect{0, 12, 150, 300}));
  delete s.site;
  EXPECT_EQ(s.client->HostDockSite(), nullptr);
  EXPECT_EQ(s.client->Parent(), nullptr);
}

TEST(Docking, GdiObjectsComeBack) {
  const auto work = [] {
    DockScene s;
    s.DragClientTo(s.SiteCentre());
    const TPoint grab = s.client->ClientToScreen({10, 10});
    DragFrom(*s.client, {10, 10}, {{grab.X + 6, grab.Y}, {600, 150}});
    s.client->ManualDock(s.site);
    s.site->Repaint();
    PumpMessages();
  };
  const DWORD settled = controls_test::SettledGdiObjectCount(work);
  work();
  EXPECT_EQ(controls_test::GdiObjectCount(), settled);
}

}  // namespace
