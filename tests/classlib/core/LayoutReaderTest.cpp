#include "classlib/core/LayoutReader.h"

#include <gtest/gtest.h>

namespace {

enum TEdge { edLeft, edTop, edRight, edBottom };

struct TStyle : TPersistent {
  int Size = 0;
  void SetSize(int v) { Size = v; }
};

// A stand-in for a control: a parent, values of several kinds, a reference, events, a sub-object. The resource
// layout of the Win32 tests reads the other kinds into the real classes.
class TWidget : public TComponent {
public:
  using TComponent::TComponent;
  TWidget* Parent = nullptr;
  int Width = 0;
  bool LoadingWhileRead = false;
  uint32_t Color = 0;
  TSet<TEdge> Edges;
  std::vector<std::string> Lines;
  TWidget* Buddy = nullptr;
  TWidget* BuddyAtLoaded = nullptr;
  TStyle Style;
  TNotifyEvent OnClick;
  TEvent<TObject*, int> OnValue;

  void SetWidth(int v) {
    Width = v;
    LoadingWhileRead = HasState(csLoading);
  }
  void SetColor(uint32_t v) { Color = v; }
  void SetEdges(TSet<TEdge> v) { Edges = v; }
  void SetLines(const std::vector<std::string>& v) { Lines = v; }
  void SetBuddy(TWidget* v) { Buddy = v; }
  TStyle& GetStyle() { return Style; }
  void Loaded() override {
    TComponent::Loaded();
    BuddyAtLoaded = Buddy;
  }
};

struct TTestForm : TWidget {
  using TWidget::TWidget;
  std::vector<std::string> Calls;
  void ValueChanged(TObject*, int v) { Calls.push_back("value " + std::to_string(v)); }
};

void RegisterOnce() {
  static bool done = [] {
    RegisterLayoutEnum<TEdge>({"edLeft", "edTop", "edRight", "edBottom"});
    RegisterLayoutConstant("clTestRed", 0xFF);
    TLayoutRegistration<TStyle>("TStyle").Property("Size", &TStyle::SetSize);
    TLayoutRegistration<TWidget>("TWidget")
        .Property("Width", &TWidget::SetWidth)
        .Property("Color", &TWidget::SetColor)
        .Property("Edges", &TWidget::SetEdges)
        .Property("Lines.Strings", &TWidget::SetLines)
        .Property("Buddy", &TWidget::SetBuddy)
        .SubObject("Style", &TWidget::GetStyle)
        .Event("OnClick", &TWidget::OnClick)
        .Event("OnValue", &TWidget::OnValue)
        .Parenting([](TWidget& child, TComponent& enclosing, std::string&) {
          child.Parent = dynamic_cast<TWidget*>(&enclosing);
          return true;
        });
    TLayoutRegistration<TTestForm, TWidget>("TTestForm")
        .Handler("ValueChanged", &TTestForm::ValueChanged);
    return true;
  }();
  (void)done;
}

// What the resource layout of the Win32 tests cannot show with the real classes.
TEST(LayoutReader, BuildsTheTreeWithPropertiesReferencesAndEvents) {
  RegisterOnce();
  TTestForm form(nullptr);
  TLayoutReadError error;
  ASSERT_TRUE(ReadLayout(form,
                         "object Form1: TTestForm\n"
                         "  object Panel1: TWidget\n"
                         "    Lines.Strings = (\n"
                         "      'one'\n"
                         "      'two')\n"
                         "    Buddy = Label1\n"  // forward: resolved after the whole text is read
                         "    OnValue = ValueChanged\n"
                         "    object Label1: TWidget\n"
                         "      Width = 100\n"
                         "      Color = -16777201\n"
                         "    end\n"
                         "  end\n"
                         "end\n",
                         "test.lay", error))
      << error.Text();
  auto* panel = dynamic_cast<TWidget*>(form.FindComponent("Panel1"));
  auto* label = dynamic_cast<TWidget*>(form.FindComponent("Label1"));
  ASSERT_TRUE(panel && label);
  EXPECT_EQ(label->Parent, panel);
  EXPECT_EQ(panel->Lines, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(panel->BuddyAtLoaded, label);  // Loaded runs after references are fixed
  EXPECT_EQ(label->Color, 0xFF00000Fu);    // the signed spelling of a colour
  EXPECT_TRUE(label->LoadingWhileRead);
  EXPECT_FALSE(label->HasState(csLoading));
  panel->OnValue(panel, 7);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"value 7"}));
}

// A second window of one layout under the same owner (a second dialog) gets a name of its own; references to the
// layout's name still reach it.
TEST(LayoutReader, AnotherWindowOfTheSameLayoutGetsANameOfItsOwn) {
  RegisterOnce();
  TWidget owner(nullptr);
  const char* text =
      "object Dialog: TTestForm\n"
      "  object Button: TWidget\n"
      "    Buddy = Dialog\n"
      "  end\n"
      "end\n";
  std::vector<std::string> names;
  for (int i = 0; i < 3; ++i) {
    auto* form = new TTestForm(&owner);
    TLayoutReadError error;
    ASSERT_TRUE(ReadLayout(*form, text, "dialog.lay", error)) << error.Text();
    names.push_back(form->Name());
    EXPECT_EQ(dynamic_cast<TWidget*>(form->FindComponent("Button"))->Buddy, form);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Dialog", "Dialog_1", "Dialog_2"}));
}

// Errors name the file and line, and the components created before them are freed (ASan sees any leak).
TEST(LayoutReader, ErrorsNameFileAndLineAndFreeWhatWasCreated) {
  RegisterOnce();
  const struct {
    const char* body;  // the lines inside "object F: TTestForm" ... "end"; line 2 is the first
    int line;
    const char* fragment;
  } rows[] = {
      {"  object X: TNoSuchClass\n  end\n", 2, "unknown class 'TNoSuchClass'"},
      {"  object P: TWidget\n    Widht = 3\n  end\n", 3, "unknown property 'Widht'"},
      {"  object P: TWidget\n    Width = 1\n    OnClick = Nothing\n  end\n", 4, "unknown handler 'Nothing'"},
      {"  OnClick = ValueChanged\n", 2, "does not fit"},
      {"  Edges = [edTop, edMiddle]\n", 2, "edMiddle"},
      {"  Width = 3000000000\n", 2, "out of range"},
      {"  Color = clNoSuchColour\n", 2, "unknown value"},
      {"  object P: TWidget\n    Buddy = Nobody\n  end\n", 3, "unknown component 'Nobody'"},
      {"  Style.Colour = 1\n", 2, "unknown property 'Style.Colour'"},
      {"  Style = 1\n", 2, "needs a sub-property"},
      {"  object A: TWidget\n  end\n  object a: TWidget\n  end\n", 4, "already exists"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.body);
    TTestForm form(nullptr);
    TLayoutReadError error;
    EXPECT_FALSE(ReadLayout(form, std::string("object F: TTestForm\n") + row.body + "end\n", "forms\\f.lay", error));
    EXPECT_EQ(error.Text().rfind("forms\\f.lay(" + std::to_string(row.line) + "): ", 0), 0u) << error.Text();
    EXPECT_NE(error.Message.find(row.fragment), std::string::npos) << error.Message;
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_FALSE(form.HasState(csLoading));
  }
  TTestForm form(nullptr);
  TLayoutReadError error;
  EXPECT_FALSE(ReadLayout(form, "object F: TWidget\nend\n", "f.lay", error));  // the root's class must match
  EXPECT_EQ(error.Line, 1);
  EXPECT_NE(error.Message.find("TWidget"), std::string::npos);
}

}  // namespace
