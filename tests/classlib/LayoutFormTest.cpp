#include <gtest/gtest.h>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/core/LayoutReader.h"
#include "classlib/core/SysUtils.h"
#include "tests/classlib/ControlsTestSupport.h"

using namespace controls_test;

namespace {

// The form the layout resource LAYOUTTESTFORM describes.
class TfrmLayoutTest : public TForm {
public:
  explicit TfrmLayoutTest(bool load = true) : TForm(nullptr) {
    static const bool registered = (TLayoutRegistration<TfrmLayoutTest, TForm>("TfrmLayoutTest")
                                        .Handler("FormCreate", &TfrmLayoutTest::FormCreate)
                                        .Handler("ImageClick", &TfrmLayoutTest::ImageClick)
                                        .Handler("ImageMouseDown", &TfrmLayoutTest::ImageMouseDown),
                                    true);
    if (registered && load) LoadLayout("LAYOUTTESTFORM");
  }
  std::vector<std::string> Calls;
  void FormCreate(TObject*) { Calls.push_back("create"); }
  void ImageClick(TObject* sender) { Calls.push_back("click " + static_cast<TComponent*>(sender)->Name()); }
  void ImageMouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
    Calls.push_back("down " + std::to_string(x) + "," + std::to_string(y));
  }
};

// The layout reader's own tests cover the value kinds; this one reads a resource into the real classes.
TEST(Layout, ResourceBuildsTheTreeWithPropertiesAndEvents) {
  TfrmLayoutTest form;
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"create"}));
  auto* outer = dynamic_cast<TPanel*>(form.FindComponent("plOuter"));
  auto* inner = dynamic_cast<TPanel*>(form.FindComponent("plInner"));
  auto* second = dynamic_cast<TPanel*>(form.FindComponent("plSecond"));
  auto* label = dynamic_cast<TLabel*>(form.FindComponent("lblName"));
  ASSERT_TRUE(outer && inner && second && label);
  EXPECT_EQ(label->Parent(), inner);
  EXPECT_EQ(inner->Color(), 7697781u);  // ParentColor
  EXPECT_TRUE(inner->Font().Style().Contains(fsBold));
  EXPECT_EQ(inner->Font().Name(), "Tahoma");  // ParentFont for the rest
  EXPECT_EQ(label->Caption(), "&Name 'quoted'");
  EXPECT_EQ(label->FocusControl(), second);  // a reference to a control read later
  EXPECT_EQ(outer->Controls(3)->BoundsRect(), (TRect{0, 150, 280, 180}));  // aligned to the bottom

  form.Show();
  PumpMessages();
  // A click on the windowless PNG image reaches the handlers bound by name, with the sender.
  SendMessageA(outer->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(121, 6));
  SendMessageA(outer->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(121, 6));
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"create", "down 1,1", "click imgLogo"}));
  PostMessageA(form.Handle(), WM_SYSCHAR, 'n', 0x20000000);  // the label's accelerator focuses its FocusControl
  PumpMessages();
  EXPECT_EQ(form.ActiveControl(), second);
}

TEST(Layout, ErrorsNameTheLineAndAMissingResourceIsAClearError) {
  const struct {
    const char* body;
    int line;
    const char* fragment;
  } rows[] = {
      {"  Position = poNowhere\n", 2, "poNowhere"},
      {"  object I: TImage\n    Picture.Data = {0102}\n  end\n", 3, "no readable PNG or BMP"},
      {"  object L: TLabel\n    object P: TPanel\n    end\n  end\n", 3, "cannot hold controls"},
      {"  object L: TLabel\n    FocusControl = L\n  end\n", 3, "wrong class"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.body);
    TfrmLayoutTest form(false);
    TLayoutReadError error;
    EXPECT_FALSE(form.LoadLayoutText(std::string("object F: TfrmLayoutTest\n") + row.body + "end\n", "T.lay", error));
    EXPECT_EQ(error.Line, row.line);
    EXPECT_NE(error.Message.find(row.fragment), std::string::npos) << error.Message;
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(form.ControlCount(), 0);
  }
  TfrmLayoutTest form(false);
  try {
    form.LoadLayout("NOSUCHLAYOUT");
    ADD_FAILURE() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("NOSUCHLAYOUT"), std::string::npos);
  }
}

}  // namespace
