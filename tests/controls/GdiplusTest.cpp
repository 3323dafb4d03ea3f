#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/core/SysUtils.h"
#include "controls/GDIPObjects.h"
#include "controls/GDIPicture.h"
#include "controls/GlowHintInfo.h"
#include "controls/ImageStream.h"
#include "tests/classlib/ControlsTestSupport.h"
#include "tests/controls/PictureFixtures.h"
#include "tests/controls/core/GifFixture.h"
#include "tests/support/TempDir.h"

namespace {

namespace gp = Gdiplus;
using controls_test::PixelAt;

constexpr TColor kBack = 0x203040;

// A 40 x 40 bitmap of kBack to draw on.
struct TSurface {
  TBitmap image;
  TSurface() {
    image.SetPixelFormat(pf32bit);
    image.SetSize(40, 40);
    image.Canvas().Brush().SetColor(kBack);
    image.Canvas().FillRect({0, 0, 40, 40});
  }
  HDC Dc() { return image.Canvas().Handle(); }
  TColor At(int x, int y) { return PixelAt(image, x, y); }
};

// Fills (2, 2)-(10, 10) red through GDI+ and says what the call returned.
TGPStatus FillRed(TSurface& surface) {
  TGPGraphics graphics(surface.Dc());
  TGPSolidBrush brush(ColorToARGB(clRed));
  return graphics.FillRectangle(&brush, 2, 2, 8, 8);
}

TEST(GdiplusObjects, StartupCountedAcrossHolders) {
  ASSERT_FALSE(GdiplusRunning()) << "no test may leave GDI+ held";
  {
    TGdiplusSession outer;
    {
      TGdiplusSession inner;
      EXPECT_EQ(GdiplusStartupStatus(), gp::Ok);
    }
    TSurface surface;  // the inner holder is gone, the outer one keeps GDI+ running
    EXPECT_EQ(FillRed(surface), gp::Ok);
    EXPECT_EQ(surface.At(5, 5), clRed);
  }
  EXPECT_FALSE(GdiplusRunning());
  TSurface surface;
  EXPECT_EQ(FillRed(surface), gp::GdiplusNotInitialized);
  EXPECT_EQ(surface.At(5, 5), kBack);
}

TEST(GdiplusObjects, FailedStartupLeavesEveryWrapperReporting) {
  SetGdiplusStartupVersion(99);
  {
    TGdiplusSession session;
    EXPECT_NE(GdiplusStartupStatus(), gp::Ok);
    TSurface surface;
    TGPGraphics graphics(surface.Dc());
    TGPPen pen(0xFF000000);
    TGPGraphicsPath path;
    TGPFontFamily family("Tahoma");
    for (const TGdiplusBase* object : std::initializer_list<const TGdiplusBase*>{&graphics, &pen, &path, &family})
      EXPECT_EQ(object->GetLastStatus(), gp::GdiplusNotInitialized);
    EXPECT_EQ(path.AddLine(0, 0, 5, 5), gp::GdiplusNotInitialized);
    EXPECT_EQ(graphics.DrawPath(&pen, &path), gp::GdiplusNotInitialized);
    EXPECT_EQ(FillRed(surface), gp::GdiplusNotInitialized);
    EXPECT_EQ(surface.At(5, 5), kBack);
    TGDIPPicture picture;  // holds GDI+ too, and draws nothing
    ASSERT_TRUE(picture.LoadFromBytes(picture_fixture::Png(2, 2, clRed)));
    picture.Draw(surface.image.Canvas(), {0, 0, 20, 20});
    EXPECT_EQ(surface.At(5, 5), kBack);
  }
  SetGdiplusStartupVersion(1);
  TGdiplusSession again;  // the next first holder tries again
  EXPECT_EQ(GdiplusStartupStatus(), gp::Ok);
}

TEST(GdiplusObjects, LastStatusKeepsTheMostRecentFailure) {
  TGdiplusSession session;
  TSurface surface;
  TGPGraphics graphics(surface.Dc());
  TGPGraphicsPath path;
  path.AddLine(1, 1, 30, 1);
  TGPPen pen(ColorToARGB(clLime));
  EXPECT_EQ(graphics.GetLastStatus(), gp::Ok);
  EXPECT_EQ(graphics.DrawPath(nullptr, &path), gp::InvalidParameter);
  EXPECT_EQ(graphics.DrawPath(&pen, &path), gp::Ok);
  EXPECT_EQ(surface.At(10, 1), clLime);  // the later call did draw...
  EXPECT_EQ(graphics.GetLastStatus(), gp::InvalidParameter);  // ...and the failure is still the last status

  TGPFontFamily missing("No Such Family Anywhere");
  EXPECT_EQ(missing.GetLastStatus(), gp::FontFamilyNotFound);
  TGPFont font(&missing, 10);
  EXPECT_NE(font.GetLastStatus(), gp::Ok);

  TGPGraphicsPath ellipse;
  ellipse.AddEllipse(0, 0, 20, 10);
  TGPPathGradientBrush brush(&ellipse);
  const int points = brush.GetPointCount();
  ASSERT_GT(points, 0);
  std::vector<ARGB> colors(static_cast<size_t>(points) + 1, 0xFF00FF00);
  int count = points + 1;
  EXPECT_EQ(brush.SetSurroundColors(colors.data(), count), gp::InvalidParameter);
  EXPECT_EQ(count, points + 1);
  count = 1;
  EXPECT_EQ(brush.SetSurroundColors(colors.data(), count), gp::Ok);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(brush.SetSurroundColors(nullptr, count), gp::InvalidParameter);
  EXPECT_EQ(brush.SetCenterColor(0xFFFFFFFF), gp::Ok);
  EXPECT_EQ(brush.GetLastStatus(), gp::InvalidParameter);
}

TEST(GdiplusObjects, ColoursAndRawFormats) {
  EXPECT_EQ(ColorToARGB(clRed), 0xFFFF0000u);
  EXPECT_EQ(ColorToARGB(0x123456), 0xFF563412u);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ColorToARGB(clBtnFace), MakeColor(255, GetRValue(face), GetGValue(face), GetBValue(face)));
  EXPECT_EQ(GetAlpha(0x80FF4020), 0x80);
  EXPECT_EQ(GetRed(0x80FF4020), 0xFF);
  EXPECT_EQ(GetGreen(0x80FF4020), 0x40);
  EXPECT_EQ(GetBlue(0x80FF4020), 0x20);

  TGdiplusSession session;
  const gif_fixture::TRgb table[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    int format;
    UINT width, height;
  } rows[] = {
      {"png", picture_fixture::Png(3, 2, clRed), 6, 3, 2},
      {"bmp", picture_fixture::Bmp(5, 4, clRed, clRed), 2, 5, 4},
      {"gif", gif_fixture::AnimatedGif(6, 2, table, {1, 2}), 7, 6, 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ComPtr<IStream> stream = CreateImageStream(row.bytes, "no memory");
    TGPImage image(stream.Get());
    EXPECT_EQ(image.GetRawFormat(), row.format);
    EXPECT_EQ(image.GetWidth(), row.width);
    EXPECT_EQ(image.GetHeight(), row.height);
    EXPECT_EQ(image.GetLastStatus(), gp::Ok);
  }
  const std::vector<uint8_t> junk{1, 2, 3, 4, 5, 6};
  const ComPtr<IStream> stream = CreateImageStream(junk, "no memory");
  TGPImage image(stream.Get());
  EXPECT_NE(image.GetLastStatus(), gp::Ok);
  EXPECT_EQ(image.GetRawFormat(), 0);
  EXPECT_EQ(image.GetWidth(), 0u);
}

// ---- TGDIPPicture ---------------------------------------------------------------------------------------------

struct TPictureScene {
  TGDIPPicture picture;
  TSurface surface;
  std::vector<std::string> events;
  TPictureScene() {
    picture.OnChange = [this](TObject*) { events.push_back("change"); };
    picture.OnClear = [this](TObject*) { events.push_back("clear"); };
  }
  void Draw(const TRect& r) { picture.Draw(surface.image.Canvas(), r); }
};

TEST(GDIPPicture, DrawsByFormatFromTheLeadingBytes) {
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    std::vector<std::pair<TPoint, TColor>> pixels;  // drawn into (5, 5)-(25, 25)
    int width, height;
  } rows[] = {
      {"png stretched", picture_fixture::Png(10, 10, clRed),
       {{{6, 6}, clRed}, {{23, 23}, clRed}, {{26, 15}, kBack}}, 10, 10},
      {"icon stretched", picture_fixture::Icon(10, clBlue),
       {{{6, 6}, clBlue}, {{23, 23}, clBlue}, {{26, 15}, kBack}}, 10, 10},
      {"bmp at its own size, its bottom-left colour transparent", picture_fixture::Bmp(4, 3, clLime, clYellow),
       {{{5, 5}, clLime}, {{8, 7}, clLime}, {{5, 7}, kBack}, {{9, 5}, kBack}, {{5, 8}, kBack}}, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TPictureScene scene;
    ASSERT_TRUE(scene.picture.LoadFromBytes(row.bytes));
    EXPECT_TRUE(scene.events.empty());
    scene.Draw({5, 5, 25, 25});
    for (const auto& [p, color] : row.pixels) EXPECT_EQ(scene.surface.At(p.X, p.Y), color) << p.X << "," << p.Y;
    EXPECT_EQ(scene.picture.Width(), row.width);
    EXPECT_EQ(scene.picture.Height(), row.height);
  }
}

TEST(GDIPPicture, EmptySizesAndEvents) {
  TPictureScene scene;
  EXPECT_TRUE(scene.picture.Empty());
  scene.Draw({0, 0, 40, 40});
  EXPECT_EQ(scene.surface.At(20, 20), kBack);
  EXPECT_FALSE(scene.picture.GetImageSizes());
  EXPECT_FALSE(scene.picture.LoadFromBytes(std::vector<uint8_t>{'t', 'e', 'x', 't'}));
  EXPECT_TRUE(scene.picture.Empty());

  testsupport::TempDir dir;
  const std::string file = dir.file("red.png");
  TMemoryStream png;
  const std::vector<uint8_t> bytes = picture_fixture::Png(7, 3, clRed);
  png.WriteBuffer(bytes.data(), bytes.size());
  png.SaveToFile(file);
  scene.picture.LoadFromFile(file);
  EXPECT_EQ(scene.events, (std::vector<std::string>{"clear", "change"}));
  EXPECT_TRUE(scene.picture.GetImageSizes());
  EXPECT_EQ(scene.picture.Width(), 7);
  EXPECT_EQ(scene.picture.Height(), 3);

  TGDIPPicture copy;
  copy.Assign(&scene.picture);
  EXPECT_FALSE(copy.Empty());
  TMemoryStream saved;
  copy.SaveToStream(&saved);
  EXPECT_EQ(std::vector<uint8_t>(saved.Memory(), saved.Memory() + saved.Size()), bytes);

  scene.events.clear();
  scene.picture.Assign(nullptr);
  EXPECT_EQ(scene.events, (std::vector<std::string>{"change", "clear"}));
  EXPECT_TRUE(scene.picture.Empty());
  scene.Draw({0, 0, 40, 40});
  EXPECT_EQ(scene.surface.At(20, 20), kBack);
}

TEST(GlowHintInfo, AssignAndVersionTest) {
  TGlowHintInfo source, copy;
  source.SetTitle("Title");
  source.Notes().Add("first");
  source.Notes().Add("second");
  source.SetShowHelp(true);
  ASSERT_TRUE(source.Picture().LoadFromBytes(picture_fixture::Png(1, 1, clRed)));
  copy.Assign(&source);
  EXPECT_EQ(copy.Title(), "Title");
  EXPECT_EQ(copy.Notes().Text(), "first\r\nsecond\r\n");
  EXPECT_TRUE(copy.ShowHelp());
  EXPECT_EQ(copy.Picture().Bytes().size(), source.Picture().Bytes().size());
  source.Notes().Clear();
  EXPECT_EQ(copy.Notes().Count(), 2);  // copied, not shared

  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  ASSERT_TRUE(GetVersionExA(&version));
#pragma GCC diagnostic pop
  EXPECT_EQ(IsVistaOrLater(), version.dwMajorVersion >= 6);
}

}  // namespace
