#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Edits.h"
#include "classlib/core/LayoutReader.h"
#include "classlib/core/SysUtils.h"
#include "sddcontrols/unSDDLayoutClasses.h"
#include "tests/sddcontrols/SDDSplitTestSupport.h"
#include "tests/sddcontrols/SDDTabTestScene.h"

using namespace sdd_test;

namespace {

// Pages with an edit each; the first edit has the focus.
struct EditPagesScene : PagesScene {
  std::vector<TEdit*> edits;
  EditPagesScene() : PagesScene({"Option", " Merchant ", "Map Info"}) {
    for (TSDDTabSheet* page : pages) {
      auto* edit = new TEdit(form.get());
      edit->SetParent(page);
      edit->SetBounds(5, 5, 80, 20);
      edits.push_back(edit);
    }
    PumpMessages();
    edits[0]->SetFocus();
    PumpMessages();
  }
};

TEST(SDDPageControl, OnePageShowsAndTakesTheFocusWithIt) {
  struct Row {
    const char* name;
    std::vector<int> refused;
    int request;     // page asked for
    int active;      // page active afterwards
    int focusedEdit; // -1: a page itself
  };
  const Row rows[] = {
      {"another page", {}, 1, 1, 1},
      {"a refused page stays hidden", {2}, 2, 0, 0},
      {"the active page again", {}, 0, 0, 0},
  };
  for (const Row& r : rows) {
    EditPagesScene s;
    ASSERT_EQ(s.form->ActiveControl(), s.edits[0]);
    s.Refuses(r.refused);
    s.pc->SetActivePage(s.pages[static_cast<size_t>(r.request)]);
    PumpMessages();
    EXPECT_EQ(s.pc->ActivePage(), s.pages[static_cast<size_t>(r.active)]) << r.name;
    EXPECT_EQ(s.pc->TabIndex(), r.active) << r.name;
    for (size_t i = 0; i < s.pages.size(); ++i)
      EXPECT_EQ(s.pages[i]->Visible(), static_cast<int>(i) == r.active) << r.name << " page " << i;
    EXPECT_EQ(s.form->ActiveControl(), s.edits[static_cast<size_t>(r.focusedEdit)]) << r.name;
  }
}

TEST(SDDPageControl, CtrlTabCyclesThroughThePagesWithVisibleTabs) {
  struct Row {
    bool shift;
    std::vector<int> pages;  // active page after each stroke
  };
  for (const Row& r : {Row{false, {2, 0, 2}}, Row{true, {2, 0, 2}}}) {
    EditPagesScene s;
    s.pages[1]->SetTabVisible(false);
    s.Settle();
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    keys[VK_SHIFT] = keys[VK_LSHIFT] = r.shift ? 0x80 : 0;
    SetKeyboardState(keys);
    for (int expected : r.pages) {
      controls_test::PressKey(GetFocus(), VK_TAB);
      PumpMessages();
      EXPECT_EQ(s.pc->ActivePage(), s.pages[static_cast<size_t>(expected)]) << r.shift << " " << expected;
      EXPECT_EQ(s.form->ActiveControl(), s.edits[static_cast<size_t>(expected)]) << r.shift;
    }
    keys[VK_CONTROL] = keys[VK_LCONTROL] = keys[VK_SHIFT] = keys[VK_LSHIFT] = 0;
    SetKeyboardState(keys);
  }
}

TEST(SDDPageControl, APageWithoutATabStaysShownAsAPlainFrame) {
  PagesScene s({"Option", " Merchant "});
  s.pages[0]->SetTabVisible(false);
  s.Settle();
  EXPECT_EQ(s.pc->TabIndex(), -1);
  EXPECT_EQ(s.pc->ActivePage(), s.pages[0]);
  EXPECT_TRUE(s.pages[0]->Visible());
  EXPECT_EQ(s.pages[1]->TabIndex(), 0);
  EXPECT_EQ(s.pages[0]->TabIndex(), -1);
  s.pages[1]->SetTabVisible(false);
  s.Settle();
  EXPECT_EQ(s.pc->FixedDimension(), 0);
  EXPECT_EQ(s.pages[0]->BoundsRect(), (TRect{1, 1, 239, 99}));
  // Focused, the plain frame hands the focus to the page's first control.
  auto* edit = new TEdit(s.form.get());
  edit->SetParent(s.pages[0]);
  s.pc->SetFocus();
  PumpMessages();
  EXPECT_EQ(s.form->ActiveControl(), edit);
  // A colour other than the control's switches coloured tabs on.
  PagesScene plain({"Option"});
  plain.pc->SetUseColoredTabs(false);
  EXPECT_EQ(plain.pages[0]->Color(), plain.pc->Color());
  plain.pages[0]->SetColor(clRed);
  EXPECT_TRUE(plain.pc->UseColoredTabs());
}

TEST(SDDPageControl, PageIndexAndVisibleErrorsKeepEverythingAsItWas) {
  struct Row {
    const char* name;
    std::function<void(PagesScene&)> act;
    const char* message;
  };
  const Row rows[] = {
      {"past the last page", [](PagesScene& s) { s.pages[0]->SetPageIndex(3); },
       "3 is an invalid PageIndex value. PageIndex must be between 0 and 2"},
      {"below the first", [](PagesScene& s) { s.pages[2]->SetPageIndex(-1); },
       "-1 is an invalid PageIndex value. PageIndex must be between 0 and 2"},
      {"visibility", [](PagesScene& s) { s.pages[1]->SetVisible(true); },
       "You cannot change the Visible property of a page"},
  };
  for (const Row& r : rows) {
    for (bool insideAMessage : {false, true}) {
      PagesScene s({"Option", " Merchant ", "Map Info"});
      if (!insideAMessage) {
        try {
          r.act(s);
          ADD_FAILURE() << r.name;
        } catch (const Exception& e) {
          EXPECT_EQ(e.Message, r.message) << r.name;
        }
      } else {
        // Raised by a handler of a click: reported by the library's boundary, and nothing crosses the platform.
        s.reportsExpected = true;
        s.pc->OnTabClick = [&](TObject*) { r.act(s); };
        ClickAt(*s.pc, Centre(s.pc->TabRect(1)));
        ASSERT_EQ(s.reports.Reports.size(), 1u) << r.name;
        EXPECT_EQ(s.reports.Reports[0].Text, r.message) << r.name;
      }
      for (size_t i = 0; i < s.pages.size(); ++i) EXPECT_EQ(s.pages[i]->PageIndex(), static_cast<int>(i)) << r.name;
      EXPECT_EQ(s.VisiblePages(), 1) << r.name;
    }
  }
  PagesScene s({"Option", " Merchant ", "Map Info"});
  s.pages[2]->SetPageIndex(0);
  EXPECT_EQ(s.pc->Pages(0), s.pages[2]);
  EXPECT_EQ(s.pc->Tabs().Items(0).Caption, "Map Info");
  EXPECT_EQ(s.pc->TabIndex(), 1);  // the active page keeps its tab under its new number
}

TEST(SDDPageControl, CloseButtonDraggingAndAcceleratorsActOnThePages) {
  PagesScene s({"Option", "&Merchant", "Map Info"});
  s.pc->SetShowCloseButton(true);
  s.pc->SetAllowTabDragging(true);
  s.Settle();
  // Alt+M selects the tab whose caption marks M.
  s.pc->SetFocus();
  s.form->Perform(CM_DIALOGCHAR, 'm');
  EXPECT_EQ(s.pc->ActivePage(), s.pages[1]);
  // The active tab dragged onto the last one moves its page there.
  const TPoint from = Centre(s.pc->TabRect(1)), to = Centre(s.pc->TabRect(2));
  PostMouseTo(s.pc->Handle(), WM_LBUTTONDOWN, from, MK_LBUTTON);
  PostMouseTo(s.pc->Handle(), WM_MOUSEMOVE, to, MK_LBUTTON);
  PostMouseTo(s.pc->Handle(), WM_LBUTTONUP, to, 0);
  EXPECT_EQ(s.pages[1]->PageIndex(), 2);
  EXPECT_EQ(s.pc->ActivePage(), s.pages[1]);
  // The close button frees the active page when OnClose allows it; the tab before it is selected.
  TSDDTabCloseButton* close = s.pc->CloseButton();
  ASSERT_TRUE(close && close->Visible());
  bool allow = false;
  s.pc->OnClose = [&](TObject*, bool& a) { a = allow; };
  ClickAt(*close, {5, 5});
  EXPECT_EQ(s.pc->PageCount(), 3);
  allow = true;
  ClickAt(*close, {5, 5});
  ASSERT_EQ(s.pc->PageCount(), 2);
  s.pages.erase(s.pages.begin() + 1);
  EXPECT_EQ(s.pc->TabIndex(), 1);
  EXPECT_EQ(s.pc->ActivePage()->Caption(), "Map Info");
  EXPECT_EQ(s.VisiblePages(), 1);
}

TEST(SDDPageControl, LayoutsDeclarePageControlsWithSheetsAndChildren) {
  RegisterSDDLayoutClasses();
  TFormScene scene(bsNone, 300, 400);
  TClassicThemesScope classic;
  const std::string text = R"(object F: TForm
  object pcSide: TSDDPageControl
    Left = 0
    Top = 0
    Width = 240
    Height = 150
    ActivePage = tsInfo
    ActivePageDefault = tsOption
    BackgroundColor = 13616833
    BoldCurrentTab = True
    UseColoredTabs = True
    Margin = 2
    ParentBackgroundColor = False
    RowIndent = 10
    RowOverlap = 10
    ShowShadow = False
    TabIndex = 1
    Transparent = True
    TabColors.HighlightBar = clRed
    FixedDimension = 21
    object tsOption: TSDDTabSheet
      Caption = 'Option'
      Color = 14538706
      object edJump: TEdit
        Left = 8
        Top = 8
      end
    end
    object tsInfo: TSDDTabSheet
      Caption = 'Map Info'
      Color = 14538706
    end
  end
  object pcView: TSDDPageControl
    Top = 160
    Width = 240
    Height = 100
    ActivePage = tsView
    ActivePageDefault = tsView
    UseColoredTabs = True
    ShowShadow = False
    FixedDimension = 0
    object tsView: TSDDTabSheet
      Color = clBlack
      TabVisible = False
    end
  end
end
)";
  TLayoutReadError error;
  ASSERT_TRUE(scene.form->LoadLayoutText(text, "test", error)) << error.Text();
  auto* side = Made<TSDDPageControl>(*scene.form, "pcSide");
  auto* option = Made<TSDDTabSheet>(*scene.form, "tsOption");
  auto* info = Made<TSDDTabSheet>(*scene.form, "tsInfo");
  auto* view = Made<TSDDPageControl>(*scene.form, "pcView");
  ASSERT_TRUE(side && option && info && view);
  EXPECT_EQ(side->PageCount(), 2);
  EXPECT_EQ(option->PageControl(), side);
  // The default page wins over the streamed one, which is hidden again.
  EXPECT_EQ(side->ActivePage(), option);
  EXPECT_EQ(side->TabIndex(), 0);
  EXPECT_TRUE(option->Visible());
  EXPECT_FALSE(info->Visible());
  // Before the first layout the streamed row thickness places the page; the layout measures it anew.
  EXPECT_EQ(option->BoundsRect(), (TRect{1, 22, 239, 149}));
  side->UpdateLayout();
  EXPECT_EQ(option->BoundsRect(), (TRect{1, 20, 239, 149}));
  EXPECT_EQ(Made<TControl>(*scene.form, "edJump")->Parent(), option);
  EXPECT_EQ(side->TabColors().HighlightBar(), clRed);
  EXPECT_EQ(side->BackgroundColor(), kSideBackground);
  EXPECT_EQ(view->TabIndex(), -1);
  EXPECT_TRUE(Made<TSDDTabSheet>(*scene.form, "tsView")->Visible());
  EXPECT_EQ(Made<TSDDTabSheet>(*scene.form, "tsView")->BoundsRect(), (TRect{1, 1, 239, 99}));

  struct Bad {
    std::string text;
    int line;
  };
  for (const Bad& bad :
       {Bad{"object F: TForm\n object P: TSDDPageControl\n  object S: TSDDTabSheet\n   Visible = True\n  end\n"
            " end\nend\n", 4},
        Bad{"object F: TForm\n object P: TSDDPageControl\n  object E: TEdit\n  end\n end\nend\n", 3},
        Bad{"object F: TForm\n object P: TSDDPageControl\n  TabStyle = tsRound\n end\nend\n", 3}}) {
    TLayoutReadError wrong;
    EXPECT_FALSE(scene.form->LoadLayoutText(bad.text, "wrong", wrong)) << bad.text;
    EXPECT_EQ(wrong.Line, bad.line) << bad.text << wrong.Text();
  }
}

}  // namespace
