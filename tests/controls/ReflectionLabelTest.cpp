#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/ReflectionLabel.h"
#include "tests/controls/ControlsSceneSupport.h"

namespace {

using controls_scene::PixelAt;
using controls_scene::TPanelScene;

constexpr TColor kDialog = 0xC5BBB4;  // RGB(180, 187, 197)

// The create-map dialog's title: at (8, 8), 347 x 30, Tahoma 16 pixels bold, "C" in RGB(40, 148, 255).
struct TTitleScene {
  TPanelScene scene{360, 60};
  TReflectionLabel* label = nullptr;
  std::vector<std::string> opened, clicked;

  TTitleScene() {
    scene.panel->SetColor(kDialog);
    label = new TReflectionLabel(scene.form.get());
    label->SetParent(scene.panel);
    label->SetBounds(8, 8, 347, 30);
    label->Font().SetName("Tahoma");
    label->Font().SetHeight(-16);
    label->HTMLText().SetText("New <FONT color=\"#2894FF\">C</FONT>lient Map");
    label->ShellOpen = [this](const std::string& target) { opened.push_back(target); };
    label->OnAnchorClick = [this](TObject*, const std::string& target) { clicked.push_back(target); };
  }
  // Panel pixels in rows [top, bottom) across the label that differ from the background.
  int Inked(TBitmap& image, int top, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 8; x < 8 + 347; ++x) n += PixelAt(image, x, y) != kDialog;
    return n;
  }
  void Mouse(UINT msg, int x, int y) {
    label->Perform(msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
  }
};

TEST(ReflectionLabel, TheDialogTitleAndItsFadingReflection) {
  TTitleScene t;
  EXPECT_EQ(t.label->Version(), "1.0.0.2");
  TBitmap& image = t.scene.Paint();
  int blue = 0;
  for (int y = 8; y < 38; ++y)
    for (int x = 8; x < 8 + 347; ++x) blue += PixelAt(image, x, y) == 0xFF9428u;
  EXPECT_GT(blue, 0) << "the C in its own colour";

  const int w = t.label->TextWidth(), h = t.label->TextHeight();
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);
  TGPBitmap* reflection = t.label->ReflectionBitmap();
  ASSERT_NE(reflection, nullptr);
  EXPECT_EQ(int(reflection->GetWidth()), w);
  EXPECT_EQ(int(reflection->GetHeight()), h);
  // Every pixel of a row shares its alpha: 155 on the first row, falling by about 255 / h a row, none once the
  // row's share of 255 is 100 or less.
  EXPECT_EQ(GetAlpha(reflection->GetPixel(0, 0)), 155);
  for (int y = 1; y < h; ++y) {
    const int alpha = GetAlpha(reflection->GetPixel(0, y)), above = GetAlpha(reflection->GetPixel(0, y - 1));
    EXPECT_EQ(GetAlpha(reflection->GetPixel(w - 1, y)), alpha) << y;
    if (255 * (h - y) <= 100 * h) {
      EXPECT_EQ(alpha, 0) << y;
    } else {
      EXPECT_NEAR(above - alpha, 255.0 / h, 1.0) << y;
    }
  }
  // Painted under the text (7 rows up into it): some of the mirror shows below the text's last row.
  const int textBottom = 9 + h, mirrorBottom = 8 + h - 7 + h;
  EXPECT_GT(t.Inked(image, textBottom, std::min(mirrorBottom, 38)), 0);
  t.label->SetReflection(255);
  EXPECT_EQ(t.Inked(t.scene.Paint(), textBottom, 38), 0);
}

TEST(ReflectionLabel, NoReflectionWithoutAMeasuredText) {
  for (const char* html : {"", "<BR>", "<Z>hidden</Z>"}) {
    TTitleScene t;
    t.label->HTMLText().SetText(html);
    t.scene.Paint();
    EXPECT_EQ(t.label->ReflectionBitmap(), nullptr) << html;
    EXPECT_EQ(t.label->TextWidth(), 0) << html;
  }
}

TEST(ReflectionLabel, ImagesFromItsList) {
  TTitleScene t;
  auto* list = new TImageList(nullptr);
  controls_scene::FillList(*list, 20, 10, {clRed});
  t.label->SetImages(list);
  t.label->HTMLText().SetText("<IMG src=\"IDX:0\">");
  EXPECT_EQ(PixelAt(t.scene.Paint(), 8 + 1 + 10, 8 + 1 + 5), clRed);  // inside the one-pixel border
  EXPECT_EQ(t.label->TextWidth(), 20);
  ASSERT_NE(t.label->ReflectionBitmap(), nullptr);
  EXPECT_EQ(GetRed(t.label->ReflectionBitmap()->GetPixel(10, 1)), 0xFF);

  // A change of the list repaints and mirrors the new image.
  ValidateRect(t.scene.panel->Handle(), nullptr);
  list->Clear();
  list->Add(*controls_scene::SolidImage(20, 10, clBlue));
  EXPECT_TRUE(GetUpdateRect(t.scene.panel->Handle(), nullptr, FALSE));
  t.scene.Paint();
  EXPECT_EQ(GetBlue(t.label->ReflectionBitmap()->GetPixel(10, 1)), 0xFF);

  delete list;
  EXPECT_EQ(t.label->Images(), nullptr);
  t.scene.Paint();
  EXPECT_EQ(t.label->TextWidth(), 0);
}

TEST(ReflectionLabel, AnchorsOpenTheShellOnlyForAddresses) {
  TTitleScene t;
  t.label->HTMLText().SetText("go <A href=\"mailto:me@example.invalid\">mail</A> <A href=\"help topic\">help</A>");
  t.scene.Paint();
  TCanvas& canvas = t.scene.image.Canvas();
  canvas.Font().Assign(&t.label->Font());
  const int mail = 1 + canvas.TextExtent("go ").cx + 2;
  const int help = 1 + canvas.TextExtent("go mail ").cx + 2;
  const struct {
    int x;
    const char* hot;
    TCursor cursor;
    std::vector<std::string> opened, clicked;
  } rows[] = {
      {mail, "mailto:me@example.invalid", crHandPoint, {"mailto:me@example.invalid"}, {}},
      {help, "help topic", crHandPoint, {}, {"help topic"}},
      {3, "", crDefault, {}, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.x);
    t.opened.clear();
    t.clicked.clear();
    t.Mouse(WM_MOUSEMOVE, row.x, 6);
    EXPECT_EQ(t.label->HotAnchor(), row.hot);
    EXPECT_EQ(t.label->Cursor(), row.cursor);
    t.Mouse(WM_LBUTTONDOWN, row.x, 6);
    t.Mouse(WM_LBUTTONUP, row.x, 6);
    EXPECT_EQ(t.opened, row.opened);
    EXPECT_EQ(t.clicked, row.clicked);
  }
  t.Mouse(WM_MOUSEMOVE, mail, 6);
  t.label->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(t.label));
  EXPECT_EQ(t.label->HotAnchor(), "");
  EXPECT_EQ(t.label->Cursor(), crDefault);
}

}  // namespace

