#include "classlib/core/LayoutReader.h"

#include <gtest/gtest.h>

namespace {

enum TShape { shCircle, shSquare, shTriangle };
enum TEdge { edLeft, edTop, edRight, edBottom };

class TStyle : public TPersistent {
public:
  std::string Face;
  int Size = 0;
  void SetFace(const std::string& v) { Face = v; }
  void SetSize(int v) { Size = v; }
};

// A stand-in for a control: a parent, values of every convertible kind, a reference, an event, a sub-object.
class TWidget : public TComponent {
public:
  using TComponent::TComponent;
  TWidget* Parent = nullptr;
  std::vector<TWidget*> Children;
  int Width = 0;
  uint32_t Color = 0;
  bool Visible = true;
  std::string Caption;
  TShape Shape = shCircle;
  TSet<TEdge> Edges;
  std::vector<std::string> Lines;
  std::vector<uint8_t> Data;
  double Scale = 0;
  TWidget* Buddy = nullptr;
  std::string Extra;
  TStyle Style;
  TNotifyEvent OnClick;
  TEvent<TObject*, int> OnValue;
  std::vector<std::string>* LoadLog = nullptr;
  bool LoadingWhileRead = false;

  void SetWidth(int v) { Width = v; }
  void SetColor(uint32_t v) { Color = v; }
  void SetVisible(bool v) { Visible = v; }
  void SetCaption(const std::string& v) {
    Caption = v;
    LoadingWhileRead = HasState(csLoading);
  }
  void SetShape(TShape v) { Shape = v; }
  void SetEdges(TSet<TEdge> v) { Edges = v; }
  void SetLines(const std::vector<std::string>& v) { Lines = v; }
  void SetData(const std::vector<uint8_t>& v) { Data = v; }
  void SetScale(double v) { Scale = v; }
  void SetBuddy(TWidget* v) { Buddy = v; }
  TStyle& GetStyle() { return Style; }
  void Loaded() override {
    TComponent::Loaded();
    if (LoadLog) LoadLog->push_back(Name());
  }
};

class TTestForm : public TWidget {
public:
  using TWidget::TWidget;
  std::vector<std::string> Calls;
  void ButtonClick(TObject*) { Calls.push_back("click"); }
  void ValueChanged(TObject*, int v) { Calls.push_back("value " + std::to_string(v)); }
};

void RegisterOnce() {
  static bool done = [] {
    RegisterLayoutEnum<TShape>({"shCircle", "shSquare", "shTriangle"});
    RegisterLayoutEnum<TEdge>({"edLeft", "edTop", "edRight", "edBottom"});
    RegisterLayoutConstant("clTestRed", 0xFF);
    TLayoutRegistration<TStyle>("TStyle").Property("Face", &TStyle::SetFace).Property("Size", &TStyle::SetSize);
    TLayoutRegistration<TWidget>("TWidget")
        .Property("Width", &TWidget::SetWidth)
        .Property("Color", &TWidget::SetColor)
        .Property("Visible", &TWidget::SetVisible)
        .Property("Caption", &TWidget::SetCaption)
        .Property("Shape", &TWidget::SetShape)
        .Property("Edges", &TWidget::SetEdges)
        .Property("Lines.Strings", &TWidget::SetLines)
        .Property("Data", &TWidget::SetData)
        .Property("Scale", &TWidget::SetScale)
        .Property("Buddy", &TWidget::SetBuddy)
        .SubObject("Style", &TWidget::GetStyle)
        .Event("OnClick", &TWidget::OnClick)
        .Event("OnValue", &TWidget::OnValue)
        .Define("Extra", [](TWidget& w, const TLayoutValue& v, std::string&) {
          w.Extra = v.Text;
          return true;
        })
        .Ignore("OldName")
        .Parenting([](TWidget& child, TComponent& enclosing, std::string& error) {
          auto* parent = dynamic_cast<TWidget*>(&enclosing);
          if (!parent) {
            error = "no parent";
            return false;
          }
          child.Parent = parent;
          parent->Children.push_back(&child);
          return true;
        });
    TLayoutRegistration<TTestForm, TWidget>("TTestForm")
        .Handler("ButtonClick", &TTestForm::ButtonClick)
        .Handler("ValueChanged", &TTestForm::ValueChanged);
    return true;
  }();
  (void)done;
}

const char* const GoodLayout =
    "object Form1: TTestForm\n"
    "  Width = 300\n"
    "  Caption = 'Main'\n"
    "  object Panel1: TWidget\n"
    "    Width = 100\n"
    "    Color = clTestRed\n"
    "    Visible = False\n"
    "    Shape = shTriangle\n"
    "    Edges = [edTop, edBottom]\n"
    "    Lines.Strings = (\n"
    "      'one'\n"
    "      'two')\n"
    "    Data = {0102FF}\n"
    "    Scale = 2.5\n"
    "    Buddy = Label1\n"
    "    Style.Face = 'Tahoma'\n"
    "    Style.Size = -11\n"
    "    OnClick = ButtonClick\n"
    "    OnValue = ValueChanged\n"
    "    Extra = 'kept'\n"
    "    OldName = 12\n"
    "    object Label1: TWidget\n"
    "      Caption = 'inner'\n"
    "      Color = -16777201\n"
    "    end\n"
    "  end\n"
    "end\n";

TEST(LayoutReader, BuildsTheTreeWithPropertiesReferencesAndEvents) {
  RegisterOnce();
  TTestForm form(nullptr);
  std::vector<std::string> loads;
  TLayoutReadError error;
  ASSERT_TRUE(ReadLayout(form, GoodLayout, "test.lay", error)) << error.Text();
  EXPECT_EQ(form.Name(), "Form1");
  EXPECT_EQ(form.Width, 300);
  ASSERT_EQ(form.Children.size(), 1u);
  auto* panel = dynamic_cast<TWidget*>(form.FindComponent("Panel1"));
  auto* label = dynamic_cast<TWidget*>(form.FindComponent("Label1"));
  ASSERT_TRUE(panel && label);
  EXPECT_EQ(panel->Owner(), &form);
  EXPECT_EQ(label->Owner(), &form);
  EXPECT_EQ(label->Parent, panel);
  EXPECT_EQ(panel->Width, 100);
  EXPECT_EQ(panel->Color, 0xFFu);
  EXPECT_FALSE(panel->Visible);
  EXPECT_EQ(panel->Shape, shTriangle);
  EXPECT_EQ(panel->Edges, (TSet<TEdge>{edTop, edBottom}));
  EXPECT_EQ(panel->Lines, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(panel->Data, (std::vector<uint8_t>{1, 2, 0xFF}));
  EXPECT_DOUBLE_EQ(panel->Scale, 2.5);
  EXPECT_EQ(panel->Buddy, label);
  EXPECT_EQ(panel->Style.Face, "Tahoma");
  EXPECT_EQ(panel->Style.Size, -11);
  EXPECT_EQ(panel->Extra, "kept");
  EXPECT_EQ(label->Color, 0xFF00000Fu);
  EXPECT_TRUE(label->LoadingWhileRead);
  EXPECT_FALSE(label->HasState(csLoading));
  panel->OnClick(panel);
  panel->OnValue(panel, 7);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"click", "value 7"}));
}

TEST(LayoutReader, LoadedRunsOnEveryComponentAfterReferencesAreFixed) {
  RegisterOnce();
  TTestForm form(nullptr);
  std::vector<std::string> log;
  form.LoadLog = &log;
  // The reference points forward: it can only be resolved after the whole text is read.
  const char* text =
      "object F: TTestForm\n"
      "  Buddy = B\n"
      "  object A: TWidget\n"
      "  end\n"
      "  object B: TWidget\n"
      "  end\n"
      "end\n";
  TLayoutReadError error;
  ASSERT_TRUE(ReadLayout(form, text, "f.lay", error)) << error.Text();
  EXPECT_EQ(form.Buddy, form.FindComponent("B"));
  EXPECT_EQ(log, (std::vector<std::string>{"F"}));
  EXPECT_FALSE(form.HasState(csLoading));
}

struct ErrorRow {
  const char* body;  // lines inside "object F: TTestForm" ... "end"; line 2 is the first
  int line;
  const char* fragment;
};

TEST(LayoutReader, ErrorsNameFileAndLineAndFreeWhatWasCreated) {
  RegisterOnce();
  const ErrorRow rows[] = {
      {"  object X: TNoSuchClass\n  end\n", 2, "unknown class 'TNoSuchClass'"},
      {"  Widht = 3\n", 2, "unknown property 'Widht'"},
      {"  object P: TWidget\n    Width = 1\n    OnClick = NoSuchHandler\n  end\n", 4,
       "unknown handler 'NoSuchHandler'"},
      {"  OnClick = ValueChanged\n", 2, "does not fit"},
      {"  Shape = shOval\n", 2, "shOval"},
      {"  Edges = [edTop, edMiddle]\n", 2, "edMiddle"},
      {"  Width = 'wide'\n", 2, "expected an integer"},
      {"  Width = 3000000000\n", 2, "out of range"},
      {"  Color = clNoSuchColour\n", 2, "unknown value"},
      {"  Visible = Yes\n", 2, "True or False"},
      {"  Buddy = Nobody\n", 2, "unknown component 'Nobody'"},
      {"  Style.Colour = 1\n", 2, "unknown property 'Style.Colour'"},
      {"  Width.X = 1\n", 2, "no sub-properties"},
      {"  Style = 1\n", 2, "needs a sub-property"},
      {"  object A: TWidget\n  end\n  object a: TWidget\n  end\n", 4, "already exists"},
      {"  Caption = 'x\n", 2, "no closing quote"},
  };
  for (const ErrorRow& row : rows) {
    SCOPED_TRACE(row.body);
    TTestForm form(nullptr);
    TLayoutReadError error;
    std::string text = std::string("object F: TTestForm\n") + row.body + "end\n";
    EXPECT_FALSE(ReadLayout(form, text, "forms\\f.lay", error));
    EXPECT_EQ(error.File, "forms\\f.lay");
    EXPECT_EQ(error.Line, row.line);
    EXPECT_NE(error.Message.find(row.fragment), std::string::npos) << error.Message;
    EXPECT_EQ(error.Text().rfind("forms\\f.lay(" + std::to_string(row.line) + "): ", 0), 0u);
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_TRUE(form.Children.empty() || form.Children.size() <= 2);  // parents are not told; owner frees
    EXPECT_FALSE(form.HasState(csLoading));
  }
}

TEST(LayoutReader, RootClassMustMatchTheLayout) {
  RegisterOnce();
  TTestForm form(nullptr);
  TLayoutReadError error;
  EXPECT_FALSE(ReadLayout(form, "object F: TWidget\nend\n", "f.lay", error));
  EXPECT_EQ(error.Line, 1);
  EXPECT_NE(error.Message.find("TWidget"), std::string::npos);
}

}  // namespace
