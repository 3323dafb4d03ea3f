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
  explicit TfrmLayoutTest(TComponent* owner, bool load = true) : TForm(owner) {
    Register();
    if (load) LoadLayout("LAYOUTTESTFORM");
  }
  std::vector<std::string> Calls;
  void FormCreate(TObject*) { Calls.push_back("create"); }
  void ImageClick(TObject* sender) { Calls.push_back("click " + static_cast<TComponent*>(sender)->Name()); }
  void ImageMouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
    Calls.push_back("down " + std::to_string(x) + "," + std::to_string(y));
  }

  static void Register() {
    static bool done = (TLayoutRegistration<TfrmLayoutTest, TForm>("TfrmLayoutTest")
                            .Handler("FormCreate", &TfrmLayoutTest::FormCreate)
                            .Handler("ImageClick", &TfrmLayoutTest::ImageClick)
                            .Handler("ImageMouseDown", &TfrmLayoutTest::ImageMouseDown),
                        true);
    (void)done;
  }
};

template <class T>
T* Find(TComponent& root, const char* name) {
  T* c = dynamic_cast<T*>(root.FindComponent(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

TEST(Layout, ResourceBuildsTheTreeWithPropertiesAndEvents) {
  TfrmLayoutTest form(nullptr);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"create"}));
  EXPECT_EQ(form.Name(), "frmLayoutTest");
  EXPECT_EQ(form.Caption(), "Layout test");
  EXPECT_EQ(form.BorderStyle(), bsNone);
  EXPECT_EQ(form.ClientWidth(), 300);
  EXPECT_EQ(form.ClientHeight(), 200);
  EXPECT_EQ(form.Color(), clBlack);

  auto* outer = Find<TPanel>(form, "plOuter");
  auto* inner = Find<TPanel>(form, "plInner");
  auto* second = Find<TPanel>(form, "plSecond");
  auto* bottom = Find<TPanel>(form, "plBottom");
  auto* label = Find<TLabel>(form, "lblName");
  auto* image = Find<TImage>(form, "imgLogo");
  ASSERT_TRUE(outer && inner && second && bottom && label && image);

  // The tree: parents as nested in the text, the form owns everything.
  EXPECT_EQ(outer->Parent(), &form);
  EXPECT_EQ(inner->Parent(), outer);
  EXPECT_EQ(label->Parent(), inner);
  EXPECT_EQ(image->Parent(), outer);
  EXPECT_EQ(image->Owner(), &form);
  EXPECT_EQ(outer->ControlCount(), 4);
  EXPECT_EQ(outer->Controls(2), image);  // z-order follows the text

  // Properties, sub-properties and inherited values.
  EXPECT_EQ(outer->Color(), 7697781u);
  EXPECT_EQ(outer->BevelOuter(), bvNone);
  EXPECT_EQ(inner->Color(), 7697781u);  // ParentColor
  EXPECT_TRUE(inner->Font().Style().Contains(fsBold));
  EXPECT_EQ(inner->Font().Name(), "Tahoma");
  EXPECT_EQ(label->Caption(), "&Name 'quoted'");
  EXPECT_TRUE(label->Transparent());
  EXPECT_EQ(label->FocusControl(), second);  // a reference to a control read later
  EXPECT_EQ(second->TabOrder(), 0);
  EXPECT_EQ(inner->TabOrder(), 1);
  EXPECT_EQ(second->Anchors(), (TAnchors{akLeft, akTop, akRight}));
  EXPECT_EQ(image->Cursor(), crHandPoint);
  EXPECT_EQ(image->Hint(), "Logo");
  EXPECT_EQ(image->Picture().Width(), 4);
  EXPECT_NE(dynamic_cast<TPngGraphic*>(image->Picture().Graphic()), nullptr);
  EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 150, 280, 180}));

  // The screen-centred form.
  form.Show();
  PumpMessages();
  EXPECT_EQ(form.Left(), (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
  EXPECT_EQ(form.Top(), (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);

  // Bound events fire with the sender: a click on the windowless image reaches ImageClick.
  HWND panel = outer->Handle();
  SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(121, 6));
  SendMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(121, 6));
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"create", "down 1,1", "click imgLogo"}));

  // The label's accelerator focuses its FocusControl.
  PostMessageA(form.Handle(), WM_SYSCHAR, 'n', 0x20000000);
  PumpMessages();
  EXPECT_EQ(form.ActiveControl(), second);
}

struct LayoutErrorRow {
  const char* body;
  int line;
  const char* fragment;
};

TEST(Layout, ErrorsNameTheLine) {
  const LayoutErrorRow rows[] = {
      {"  object P: TPanel\n    object X: TButtonThatIsNot\n    end\n  end\n", 3, "unknown class 'TButtonThatIsNot'"},
      {"  object P: TPanel\n    Colour = clRed\n  end\n", 3, "unknown property 'Colour'"},
      {"  object I: TImage\n    OnClick = NoSuchHandler\n  end\n", 3, "unknown handler 'NoSuchHandler'"},
      {"  object I: TImage\n    OnClick = ImageMouseDown\n  end\n", 3, "does not fit"},
      {"  Position = poNowhere\n", 2, "poNowhere"},
      {"  object I: TImage\n    Picture.Data = {0102}\n  end\n", 3, "no readable PNG or BMP"},
      {"  object L: TLabel\n    object P: TPanel\n    end\n  end\n", 3, "cannot hold controls"},
      {"  object L: TLabel\n    FocusControl = Nowhere\n  end\n", 3, "unknown component 'Nowhere'"},
      {"  object L: TLabel\n    FocusControl = L\n  end\n", 3, "wrong class"},
      {"  Font.Style = [fsBold, fsShiny]\n", 2, "fsShiny"},
  };
  for (const LayoutErrorRow& row : rows) {
    SCOPED_TRACE(row.body);
    TfrmLayoutTest form(nullptr, false);
    TLayoutReadError error;
    std::string text = std::string("object F: TfrmLayoutTest\n") + row.body + "end\n";
    EXPECT_FALSE(form.LoadLayoutText(text, "Test.lay", error));
    EXPECT_EQ(error.Line, row.line);
    EXPECT_NE(error.Message.find(row.fragment), std::string::npos) << error.Message;
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(form.ControlCount(), 0);
  }
}

TEST(Layout, AMissingResourceIsAClearError) {
  TfrmLayoutTest form(nullptr, false);
  try {
    form.LoadLayout("NOSUCHLAYOUT");
    FAIL() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("NOSUCHLAYOUT"), std::string::npos);
  }
}

}  // namespace
