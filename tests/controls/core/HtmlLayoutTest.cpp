#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/core/HtmlLayout.h"

namespace {

// Every character 6 pixels wide (7 in bold), every line twice the point size high; "pic" is a 20 x 30 image.
class TFixedMeasurer : public THtmlMeasurer {
public:
  static int CharWidth(const THtmlFont& f) { return f.Bold ? 7 : 6; }
  THtmlSize TextSize(const THtmlFont& f, std::string_view text) override {
    return {static_cast<int>(text.size()) * CharWidth(f), f.Size * 2};
  }
  int FitCount(const THtmlFont& f, std::string_view, int width) override { return width / CharWidth(f); }
  THtmlSize ImageSize(const THtmlImage& image) override {
    return image.Kind == THtmlImageKind::Named && image.Source == "pic" ? THtmlSize{20, 30} : THtmlSize{};
  }
};

// A word as laid out: its text, rectangle and colour.
struct TWord {
  std::string text;
  TRect rect;
};

struct TLaidOut {
  THtmlLayout layout;
  std::vector<TWord> words;  // the text items without the blanks
};

TLaidOut Lay(const std::string& html, int width = 600, THtmlOptions options = {}) {
  options.Bounds = {0, 0, width, 500};
  TFixedMeasurer measurer;
  TLaidOut out{LayoutHtml(html, options, measurer), {}};
  for (const THtmlItem& item : out.layout.Items)
    if (item.Kind == THtmlItemKind::Text && item.Text.find_first_not_of(' ') != std::string::npos)
      out.words.push_back({item.Text, item.Rect});
  return out;
}

TEST(HtmlLayout, WordsLines) {
  const struct {
    const char* name;
    const char* html;
    int width;
    std::vector<TWord> words;
    THtmlSize extent;
  } rows[] = {
      {"wrap at the next word", "aaaa bbbb cccc", 60,
       {{"aaaa", {0, 0, 24, 16}}, {"bbbb", {30, 0, 54, 16}}, {"cccc", {0, 16, 24, 32}}}, {54, 32}},
      {"cut in a one-pixel rectangle", "abc", 1,
       {{"a", {0, 0, 6, 16}}, {"b", {0, 16, 6, 32}}, {"c", {0, 32, 6, 48}}}, {6, 48}},
      {"a long word cut where it fits", "xx abcdefgh", 30,
       {{"xx", {0, 0, 12, 16}}, {"abcde", {0, 16, 30, 32}}, {"fgh", {0, 32, 18, 48}}}, {30, 48}},
      {"entities inside words", "a&nbsp;b &lt;c&gt; &amp;",  200,
       {{"a b", {0, 0, 18, 16}}, {"<c>", {24, 0, 42, 16}}, {"&&", {48, 0, 60, 16}}}, {60, 16}},
      {"break, empty line, rule", "a<BR><BR>b<HR>c", 200,
       {{"a", {0, 0, 6, 16}}, {"b", {0, 32, 6, 48}}, {"c", {0, 50, 6, 66}}}, {6, 66}},
      {"bold and bigger fonts sit on one bottom", "<B>ab</B> <FONT size=5>c</FONT>d", 200,
       {{"ab", {0, 16, 14, 32}}, {"c", {20, 0, 26, 32}}, {"d", {26, 16, 32, 32}}}, {32, 32}},
      {"sub- and superscript a quarter of the line", "a<SUB>b</SUB><SUP>c</SUP>", 200,
       {{"a", {0, 4, 6, 20}}, {"b", {6, 8, 12, 24}}, {"c", {12, 0, 18, 16}}}, {18, 24}},
      {"unknown and hidden tags draw nothing", "<Q>a<Z>hidden <B>x</B></Z> b", 200,
       {{"a", {0, 0, 6, 16}}, {"b", {12, 0, 18, 16}}}, {18, 16}},
      {"lists: bullets and nested levels", "<UL><LI>one<UL><LI>two</UL></UL>", 200,
       {{"\xB7", {0, 0, 6, 16}}, {"one", {12, 0, 30, 16}}, {"o", {12, 16, 18, 32}}, {"two", {24, 16, 42, 32}}},
       {42, 32}},
      {"right and centred paragraphs", "<P align=right>ab</P><P align=\"center\">cd</P>", 100,
       {{"ab", {88, 0, 100, 16}}, {"cd", {44, 16, 56, 32}}}, {100, 32}},
      {"indent and offset", "<IND x=10>a<OF x=40>b<BR>c</O><BR>d", 200,
       {{"a", {10, 0, 16, 16}}, {"b", {40, 0, 46, 16}}, {"c", {40, 16, 46, 32}}, {"d", {0, 32, 6, 48}}}, {46, 48}},
      {"images: size, override, alt text, unknown", "a<IMG src=\"pic\">b<IMG src=pic width=4 height=5>"
                                                   "<IMG src=\"none\" alt=\"[x]\"><IMG src=\"none\">", 200,
       {{"a", {0, 14, 6, 30}}, {"b", {26, 14, 32, 30}}, {"[x]", {36, 14, 54, 30}}}, {54, 30}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const TLaidOut out = Lay(row.html, row.width);
    ASSERT_EQ(out.words.size(), row.words.size());
    for (size_t i = 0; i < row.words.size(); ++i) {
      EXPECT_EQ(out.words[i].text, row.words[i].text) << i;
      EXPECT_EQ(out.words[i].rect, row.words[i].rect) << i;
    }
    EXPECT_EQ((THtmlSize{out.layout.Width, out.layout.Height}), row.extent);
  }
}

TEST(HtmlLayout, RulesImagesAndBackgrounds) {
  const TLaidOut out = Lay("<BODY bgcolor=clred bgcolorto=clblue dir=v background=pic>"
                           "<P bgcolor=#00FF00>x<HR></P>a<IMG src=pic align=\"top\"><E>err</E>", 200);
  const THtmlLayout& l = out.layout;
  ASSERT_GE(l.Items.size(), 2u);
  EXPECT_EQ(l.Items[0].Kind, THtmlItemKind::Gradient);
  EXPECT_FALSE(l.Items[0].Horizontal);
  EXPECT_EQ(l.Items[0].Rect, (TRect{0, 0, 200, 500}));
  EXPECT_EQ(l.Items[1].Kind, THtmlItemKind::Image);
  EXPECT_EQ(l.Items[1].Rect, (TRect{0, 0, 20, 30}));
  auto find = [&](THtmlItemKind kind) {
    for (const THtmlItem& item : l.Items)
      if (item.Kind == kind && &item != &l.Items[1]) return item;
    return THtmlItem{};
  };
  EXPECT_EQ(find(THtmlItemKind::Fill).Rect, (TRect{0, 0, 200, 18}));  // the paragraph: its line and rule
  EXPECT_EQ(find(THtmlItemKind::Fill).Color, 0x00FF00u);
  EXPECT_EQ(find(THtmlItemKind::Rule).Rect, (TRect{0, 16, 200, 17}));
  EXPECT_EQ(find(THtmlItemKind::Image).Rect, (TRect{6, 18, 26, 48}));   // aligned with the line's top
  EXPECT_EQ(find(THtmlItemKind::ErrorLine).Rect, (TRect{26, 45, 44, 48})); // from the even x, line bottom
}

TEST(HtmlLayout, AnchorsAndHitTests) {
  THtmlOptions options;
  options.AnchorColor = 0xFF0000;
  options.HoverColor = 0x00FF00;
  options.HoverAnchor = 2;
  options.FocusAnchor = 1;
  const TLaidOut out = Lay("go <A href=\"http://x\">two words</A> <a href=\"#2\">b</a> c", 600, options);
  const THtmlLayout& l = out.layout;
  ASSERT_EQ(l.Anchors.size(), 2u);
  EXPECT_EQ(l.Anchors[0].Target, "http://x");
  EXPECT_EQ(l.Anchors[0].Text, "two words");
  EXPECT_EQ(l.PlainText, "go two words b c");
  const struct {
    int x, y;
    int anchor;  // 0: none
    TRect rect;
  } rows[] = {
      {20, 5, 1, {18, 0, 36, 16}}, {38, 5, 1, {36, 0, 42, 16}}, {70, 15, 1, {42, 0, 72, 16}},
      {80, 15, 2, {78, 0, 84, 16}}, {17, 5, 0, {}},             {90, 5, 0, {}},
      {20, 16, 0, {}},
  };
  for (const auto& row : rows) {
    TRect rect;
    const THtmlAnchor* hit = HtmlAnchorAt(l, row.x, row.y, &rect);
    if (row.anchor == 0) {
      EXPECT_EQ(hit, nullptr) << row.x << "," << row.y;
      continue;
    }
    ASSERT_NE(hit, nullptr) << row.x << "," << row.y;
    EXPECT_EQ(hit->Number, row.anchor);
    EXPECT_EQ(rect, row.rect);
  }
  for (const THtmlItem& item : l.Items) {
    if (item.Kind == THtmlItemKind::FocusFrame) EXPECT_EQ(item.Rect, (TRect{18, 0, 72, 16}));
    if (item.Kind != THtmlItemKind::Text || item.Anchor == 0) continue;
    EXPECT_TRUE(item.Font.Underline) << item.Text;
    EXPECT_EQ(item.Color, item.Anchor == 1 ? 0xFF0000u : 0x00FF00u) << item.Text;
  }
}

}  // namespace
