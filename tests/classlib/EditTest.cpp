#include <gtest/gtest.h>

#include <functional>

#include "classlib/Edits.h"
#include "tests/classlib/StdCtrlsTestScene.h"

using namespace controls_test;

namespace {

struct EditScene : StdScene {
  TEdit* edit = new TEdit(form.get());
  EditScene() {
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 121, 21);
    edit->OnChange = Logs("change");
  }
  HWND Wnd() { return edit->Handle(); }
};

TEST(Edit, TypingAndSelectionReachTheTextAndOnChange) {
  struct Row {
    const char* name;
    std::function<void(EditScene&)> act;
    std::string text;
    int changes;
  };
  const Row rows[] = {
      {"typed characters", [](EditScene& s) { TypeChars(s.Wnd(), "abc"); }, "abc", 3},
      {"MaxLength stops typing", [](EditScene& s) {
         s.edit->SetMaxLength(3);
         TypeChars(s.Wnd(), "abcd");
       }, "abc", 3},
      {"OnKeyPress changes and drops characters", [](EditScene& s) {
         s.edit->OnKeyPress = [](TObject*, char& key) { key = key == '-' ? 0 : static_cast<char>(toupper(key)); };
         TypeChars(s.Wnd(), "a-b");
       }, "AB", 2},
      {"OnKeyDown drops a key", [](EditScene& s) {
         s.edit->SetText("abc");
         s.edit->SetSelStart(0);
         s.edit->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
           if (key == VK_DELETE) key = 0;
         };
         PressKey(s.Wnd(), VK_DELETE);
       }, "abc", 1},
      {"typing replaces the selection", [](EditScene& s) {
         s.edit->SetText("hello");
         s.edit->SetSelStart(1);
         s.edit->SetSelLength(3);
         EXPECT_EQ(s.edit->SelText(), "ell");
         TypeChars(s.Wnd(), "X");
         EXPECT_EQ(s.edit->SelStart(), 2);
       }, "hXo", 2},
      {"the focus selects the whole text", [](EditScene& s) {
         s.edit->SetText("abc");
         s.edit->SetFocus();
         EXPECT_EQ(s.edit->SelLength(), 3);
       }, "abc", 1},
      {"a read-only edit refuses typing", [](EditScene& s) {
         s.edit->SetReadOnly(true);
         TypeChars(s.Wnd(), "abc");
       }, "", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EditScene s;
    row.act(s);
    EXPECT_EQ(s.edit->Text(), row.text);
    EXPECT_EQ(static_cast<int>(s.log.size()), row.changes);
  }
}

// The text's place and colours as the window paints them; changing the alignment makes the window again with
// the text and selection kept.
TEST(Edit, AlignmentRecreatesTheWindowAndPaintsWhereItSays) {
  struct Row {
    TAlignment alignment;
    DWORD style;
    int inkFrom, inkTo;  // where the first painted column may lie
  };
  const Row rows[] = {
      {taRightJustify, ES_RIGHT, 80, 117}, {taCenter, ES_CENTER, 40, 70}, {taLeftJustify, ES_LEFT, 0, 8}};
  EditScene s;
  s.edit->SetColor(clYellow);
  s.edit->Font().SetColor(clRed);
  s.edit->SetText("WW");
  s.edit->SetSelStart(1);
  s.edit->SetSelLength(1);
  s.log.clear();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.alignment);
    HWND before = s.Wnd();
    s.edit->SetAlignment(row.alignment);
    EXPECT_NE(s.Wnd(), before);
    EXPECT_EQ(GetWindowLongA(s.Wnd(), GWL_STYLE) & (ES_RIGHT | ES_CENTER), row.style);
    EXPECT_EQ(s.edit->Text(), "WW");
    EXPECT_EQ(s.edit->SelStart(), 1);
    EXPECT_EQ(s.edit->SelLength(), 1);
    s.edit->SetSelLength(0);  // no highlight in the picture
    TBitmap image;
    CaptureClient(s.Wnd(), image);
    EXPECT_EQ(PixelAt(image, image.Width() / 2, 1), clYellow);
    auto [first, last] = InkColumns(image, clYellow);
    EXPECT_GE(first, row.inkFrom);
    EXPECT_LE(first, row.inkTo);
    EXPECT_GT(last, first);
    s.edit->SetSelLength(1);
  }
  EXPECT_TRUE(s.log.empty());
}

// A frame of its own in the non-client area, as the SDD edit draws one: three pixels on every side.
class TFramedEdit : public TEdit {
public:
  using TEdit::TEdit;

protected:
  void WMNCCalcSize(TMessage& m) override {
    TEdit::WMNCCalcSize(m);
    auto* r = reinterpret_cast<RECT*>(m.LParam);
    InflateRect(r, -3, -3);
  }
  void WMNCPaint(TMessage& m) override {
    TEdit::WMNCPaint(m);
    HDC dc = GetWindowDC(Handle());
    RECT all{0, 0, Width(), Height()};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FrameRect(dc, &all, red);
    DeleteObject(red);
    ReleaseDC(Handle(), dc);
  }
};

TEST(Edit, SubclassesFrameTheEditInTheNonClientArea) {
  StdScene s;
  auto* edit = new TFramedEdit(s.form.get());
  edit->SetParent(s.form.get());
  edit->SetBorderStyle(bsNone);
  edit->SetBounds(10, 10, 100, 24);
  RECT client{};
  GetClientRect(edit->Handle(), &client);
  EXPECT_EQ(client.right, 94);
  EXPECT_EQ(client.bottom, 18);
  RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetWindowDC(edit->Handle());
  EXPECT_EQ(GetPixel(dc, 0, 12), RGB(255, 0, 0));
  ReleaseDC(edit->Handle(), dc);
}

}  // namespace
