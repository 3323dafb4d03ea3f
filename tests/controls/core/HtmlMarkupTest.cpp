#include <gtest/gtest.h>

#include <string>

#include "controls/core/HtmlMarkup.h"

namespace {

TEST(HtmlMarkup, ColourValues) {
  const struct {
    const char* text;
    uint32_t color;
  } rows[] = {
      {"#FF0000", 0x0000FF},       {"\"#2894FF\"", 0xFF9428},   {"#00ff80", 0x80FF00},  {" \" #0A0B0C \" ", 0x0C0B0A},
      {"clred", 0x0000FF},         {"clRED", 0x0000FF},         {"clNavy", 0x800000},   {"cl3ddkshadow", 0xFF000015},
      {"clbackground", 0xFF000001}, {"clinfobk", 0xFF000018},   {"#FF00", 0},           {"#FF00001", 0},
      {"#GG0000", 0},              {"#", 0},                    {"", 0},                {"clnosuch", 0},
      {"\"", 0},                   {"#FF0000\"", 0},
  };
  for (const auto& row : rows) EXPECT_EQ(ParseHtmlColor(row.text), row.color) << '[' << row.text << ']';
}

TEST(HtmlMarkup, TextReplacements) {
  EXPECT_EQ(PrepareHtml("a &amp; b &quot;q&quot; &permil;&sect;&reg;&copy;&para;&trade;&euro; <#name> &nbsp;"),
            "a && b \"q\" \x89\xA7\xAE\xA9\xB6\x99\x80 name &nbsp;");
  EXPECT_EQ(PrepareHtml("<#open"), "<#open");
  EXPECT_EQ(ReplaceWordEntities("x&nbsp;y&lt;z&gt;&amp;"), "x y<z>&amp;");
  EXPECT_TRUE(HtmlNeedsNoPrefix("fish & chips"));
  EXPECT_FALSE(HtmlNeedsNoPrefix("fish && chips"));
  EXPECT_EQ(HTMLStrip("a<b>b</b><BR>c<hr>d<z>gone</z>e<Z>gone</Z>f<unclosed"), "ab\r\nc\r\ndef");
  EXPECT_EQ(HTMLStrip("keep<Z>never closed"), "keep");
  EXPECT_EQ(TextToHtml("one\r\ntwo\nthree"), "one<BR>twothree");
}

TEST(HtmlMarkup, TagsByTheirFirstLetters) {
  using K = THtmlTagKind;
  const struct {
    const char* inner;
    K kind;
    bool closing;
  } rows[] = {
      {"a href=\"x\"", K::Anchor, false}, {"B", K::Bold, false},       {"body bgcolor=1", K::Body, false},
      {"br", K::Break, false},            {"blink", K::Blink, false},  {"/blink", K::Blink, true},
      {"/b", K::Bold, true},              {"bx", K::Unknown, false},   {"e", K::ErrorLine, false},
      {"font face=x", K::Font, false},    {"hi", K::Highlight, false}, {"/hi", K::Highlight, true},
      {"hr", K::Rule, false},             {"hx", K::Unknown, false},   {"i", K::Italic, false},
      {"/img", K::Italic, true},          {"img src=x", K::Image, false}, {"ind x=4", K::Indent, false},
      {"li", K::ListItem, false},         {"of x=3", K::Offset, false}, {"/o", K::Offset, true},
      {"ox", K::Unknown, false},          {"p align=right", K::Paragraph, false}, {"r a=90", K::Rotate, false},
      {"s", K::StrikeOut, false},         {"shad", K::Shadow, false},  {"sub", K::Subscript, false},
      {"sup", K::Superscript, false},     {"/sup", K::Subscript, true}, {"subx", K::Unknown, false},
      {"u", K::Underline, false},         {"ul", K::List, false},      {"/ul", K::List, true},
      {"z", K::Hidden, false},            {"q", K::Unknown, false},    {"", K::Unknown, false},
      {"/", K::Unknown, true},
  };
  for (const auto& row : rows) {
    const THtmlTag tag = ClassifyTag(row.inner);
    EXPECT_EQ(tag.Kind, row.kind) << row.inner;
    EXPECT_EQ(tag.Closing, row.closing) << row.inner;
  }
}

TEST(HtmlMarkup, Attributes) {
  const THtmlTag font = ClassifyTag("FONT face=\"Arial Black\" bgcolor=\"#000001\" color=clred size=\"3\"");
  std::string value;
  ASSERT_TRUE(HtmlAttribute(font, "FACE", value));
  EXPECT_EQ(value, "Arial Black");
  ASSERT_TRUE(HtmlAttribute(font, "COLOR", value));  // not the end of BGCOLOR
  EXPECT_EQ(value, "clred");
  int number = 0;
  ASSERT_TRUE(HtmlNumberAttribute(font, "SIZE", number));
  EXPECT_EQ(number, 3);
  EXPECT_FALSE(HtmlAttribute(font, "ALT", value));

  const THtmlTag img = ClassifyTag("IMG src=\"salt width=9.png\" WIDTH = 99999999999 height=-7 wrap");
  ASSERT_TRUE(HtmlAttribute(img, "SRC", value));
  EXPECT_EQ(value, "salt width=9.png");
  ASSERT_TRUE(HtmlNumberAttribute(img, "WIDTH", number));
  EXPECT_EQ(number, 1000000);  // saturated, never overflowing
  ASSERT_TRUE(HtmlNumberAttribute(img, "HEIGHT", number));
  EXPECT_EQ(number, -7);
  EXPECT_TRUE(HtmlFlagAttribute(img, "WRAP"));
  EXPECT_FALSE(HtmlFlagAttribute(img, "ALT"));
  EXPECT_FALSE(HtmlNumberAttribute(ClassifyTag("IND x=abc"), "X", number));
  EXPECT_EQ(HtmlQuotedText(ClassifyTag("A href=\"mailto:me\" title=\"t\"")), "mailto:me");
  EXPECT_EQ(HtmlQuotedText(ClassifyTag("A href=\"open")), "");
}

TEST(HtmlMarkup, ImageSourcesAndShellTargets) {
  using K = THtmlImageKind;
  EXPECT_EQ(ClassifyImageSource("idx:3"), (THtmlImage{K::ImageList, "3", 3}));
  EXPECT_EQ(ClassifyImageSource("IDX:x").Kind, K::None);
  EXPECT_EQ(ClassifyImageSource("SSYS:c:\\a.txt"), (THtmlImage{K::SmallSystemIcon, "c:\\a.txt", -1}));
  EXPECT_EQ(ClassifyImageSource("LSYS:4"), (THtmlImage{K::LargeSystemIcon, "4", 4}));
  EXPECT_EQ(ClassifyImageSource("http://h/p.gif").Kind, K::Url);
  EXPECT_EQ(ClassifyImageSource("logo").Kind, K::Named);

  const struct {
    const char* target;
    bool shell;
  } rows[] = {
      {"http://example.com", true}, {"HTTPS://x", true},  {"svn+ssh://h", true}, {"mailto:a@b", true},
      {"MAILTO:a@b", true},         {"page://x", true},   {"x.html", false},   {"help topic", false},
      {"://x", false},              {"c:\\dir://x", false}, {"1http://x", false}, {"see http://x", false},
      {"", false},
  };
  for (const auto& row : rows) EXPECT_EQ(IsShellAnchorTarget(row.target), row.shell) << row.target;
}

TEST(HtmlMarkup, GradientBands) {
  const auto bands = HtmlGradientBands(0x000000, 0x0000FF, 0, 8, 4);
  ASSERT_EQ(bands.size(), 4u);
  const int starts[] = {0, 2, 4, 6}, ends[] = {3, 5, 7, 8};
  const uint32_t reds[] = {0, 64, 128, 191};  // 255 i / 4, rounded
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(bands[i].Start, starts[i]);
    EXPECT_EQ(bands[i].End, ends[i]);
    EXPECT_EQ(bands[i].Color, reds[i]);
  }
  EXPECT_EQ(HtmlGradientBands(1, 2, 0, 3, 64).size(), 3u);  // more steps than pixels: one band a pixel
  EXPECT_TRUE(HtmlGradientBands(1, 2, 5, 5, 64).empty());
}

}  // namespace
