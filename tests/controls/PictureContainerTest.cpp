#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "classlib/core/SysUtils.h"
#include "controls/PictureContainer.h"
#include "tests/classlib/ControlsTestSupport.h"
#include "tests/controls/PictureFixtures.h"
#include "tests/controls/core/GifFixture.h"
#include "tests/support/TempDir.h"

namespace {

using controls_test::PixelAt;

constexpr TColor kBack = 0x203040;
const gif_fixture::TRgb kTable[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

// A picture with its events recorded, drawn on a 30 x 30 bitmap of kBack.
struct TScene {
  THTMLPicture picture;
  TBitmap image;
  std::vector<std::string> events;
  TScene() {
    picture.OnChange = [this](TObject*) { events.push_back("change"); };
    picture.OnFrameChange = [this](TObject*) { events.push_back("frame"); };
  }
  TColor DrawnAt(const TRect& r, int x, int y) {
    image.SetPixelFormat(pf32bit);
    image.SetSize(30, 30);
    image.Canvas().Brush().SetColor(kBack);
    image.Canvas().FillRect({0, 0, 30, 30});
    picture.Draw(image.Canvas(), r);
    return PixelAt(image, x, y);
  }
};

int ProcessThreads() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  CloseHandle(snapshot);
  return count;
}

TEST(HTMLPicture, GifFramesSelectedAndClamped) {
  TScene scene;
  ASSERT_TRUE(scene.picture.LoadFromBytes(gif_fixture::AnimatedGif(6, 4, kTable, {1, 2, 3})));
  EXPECT_EQ(scene.picture.FrameCount(), 3);
  EXPECT_EQ(scene.picture.FrameWidth(), 6);
  EXPECT_EQ(scene.picture.FrameHeight(), 4);
  EXPECT_EQ(scene.DrawnAt({2, 2, 20, 20}, 4, 4), clRed);
  const struct {
    int asked, shown;
    TColor color;
  } rows[] = {{2, 2, clLime}, {3, 3, clBlue}, {7, 3, clBlue}, {0, 1, clRed}, {-4, 1, clRed}, {2, 2, clLime}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.asked);
    scene.events.clear();
    scene.picture.SetFrame(row.asked);
    EXPECT_EQ(scene.picture.Frame(), row.shown);
    EXPECT_EQ(scene.events, std::vector<std::string>{"frame"});
    EXPECT_EQ(scene.DrawnAt({2, 2, 20, 20}, 7, 5), row.color);
    EXPECT_EQ(scene.DrawnAt({2, 2, 20, 20}, 8, 6), kBack);  // at its own size, 6 x 4
  }
}

TEST(HTMLPicture, FormatsSizesAndStretch) {
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    int width, height;
    TColor color;
  } rows[] = {
      {"bmp", picture_fixture::Bmp(5, 4, clRed, clRed), 5, 4, clRed},
      {"gif without graphic control", gif_fixture::AnimatedGif(3, 2, kTable, {2}, false), 3, 2, clLime},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TScene scene;
    ASSERT_TRUE(scene.picture.LoadFromBytes(row.bytes));
    EXPECT_TRUE(scene.events.empty());
    EXPECT_EQ(scene.picture.Width(), row.width);
    EXPECT_EQ(scene.picture.Height(), row.height);
    EXPECT_EQ(scene.DrawnAt({1, 1, 29, 29}, 1 + row.width - 1, 1 + row.height - 1), row.color);
    EXPECT_EQ(scene.DrawnAt({1, 1, 29, 29}, 1 + row.width, 1 + row.height), kBack);
    scene.picture.SetStretch(true);
    EXPECT_EQ(scene.DrawnAt({1, 1, 29, 29}, 27, 27), row.color);
    EXPECT_EQ(scene.DrawnAt({1, 1, 29, 29}, 29, 29), kBack);
  }
  TScene junk;
  EXPECT_FALSE(junk.picture.LoadFromBytes(std::vector<uint8_t>{'n', 'o', 'n', 'e'}));
  EXPECT_TRUE(junk.picture.Empty());
  testsupport::TempDir dir;
  TMemoryStream file;
  file.WriteBuffer("none", 4);
  file.SaveToFile(dir.file("junk.gif"));
  try {
    junk.picture.LoadFromFile(dir.file("junk.gif"));
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Could not load image. Invalid format");
  }
  EXPECT_TRUE(junk.events.empty());
  EXPECT_EQ(junk.DrawnAt({0, 0, 30, 30}, 1, 1), kBack);
}

TEST(HTMLPicture, AddressesLoadOrAreRecorded) {
  testsupport::TempDir dir;
  TMemoryStream file;
  const std::vector<uint8_t> bmp = picture_fixture::Bmp(3, 3, clBlue, clBlue);
  file.WriteBuffer(bmp.data(), bmp.size());
  file.SaveToFile(dir.file("blue.bmp"));
  const struct {
    std::string url;
    bool loaded;
    TColor color;
  } rows[] = {
      {"res://REDPAIR", true, clRed},
      {"RES://redpair", true, clRed},
      {"File://" + dir.file("blue.bmp"), true, clBlue},
      {"http://example.invalid/p.gif", false, kBack},
      {"res://NOSUCHRESOURCE", false, kBack},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.url);
    TScene scene;
    scene.picture.LoadFromURL(row.url);
    EXPECT_EQ(scene.picture.URL(), row.url);
    EXPECT_EQ(scene.picture.Empty(), !row.loaded);
    EXPECT_EQ(scene.DrawnAt({0, 0, 30, 30}, 1, 0), row.color);
  }
  // The picture service may keep threads of its own; a web address itself starts none to download.
  const int threads = ProcessThreads();
  TScene web;
  web.picture.LoadFromURL("http://example.invalid/q.gif");
  EXPECT_EQ(ProcessThreads(), threads);
}

TEST(PictureContainer, FindByNameAndAddress) {
  TPictureContainer container(nullptr);
  EXPECT_EQ(container.Version(), "1.0.0.0");
  const char* names[] = {"LOGO", "Other", "logo"};
  for (const char* name : names) container.Items().Add().Name = name;
  EXPECT_EQ(container.FindPicture("logo"), &container.Items().Items(0).Picture());
  EXPECT_EQ(container.FindPicture("OTHER"), &container.Items().Items(1).Picture());
  EXPECT_EQ(container.FindPicture("none"), nullptr);
  container.Items().Delete(0);
  EXPECT_EQ(container.FindPicture("Logo"), &container.Items().Items(1).Picture());
  EXPECT_THROW(container.Items().Items(2), EListError);

  THTMLPictureCache cache;
  THTMLPicture& a = cache.AddPicture();
  a.LoadFromURL("http://h/a.gif");
  cache.AddPicture().LoadFromURL("http://h/a.gif");
  EXPECT_EQ(cache.FindPicture("http://h/a.gif"), &a);
  EXPECT_EQ(cache.FindPicture("HTTP://h/a.gif"), nullptr);
  cache.ClearPictures();
  EXPECT_EQ(cache.Count(), 0);
  EXPECT_EQ(cache.FindPicture("http://h/a.gif"), nullptr);
}

}  // namespace
