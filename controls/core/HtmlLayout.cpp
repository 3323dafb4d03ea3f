// Sections: the builder's state; words, blanks and images; tags; lines; entry points.
#include "controls/core/HtmlLayout.h"

#include <algorithm>
#include <cmath>

#include "classlib/core/SysUtils.h"

namespace {

// ---- the builder's state --------------------------------------------------------------------------------------

constexpr int kListStep = 12;       // pixels a list level indents, and from a bullet to its text
constexpr int kMaxPoints = 1000;    // largest font size a tag may ask for
constexpr int kMaxImageSide = 1000000;
// Positions saturate here, however many wide images or tall lines the text holds.
constexpr int64_t kMaxCoordinate = int64_t(1) << 28;

int Saturate(int64_t value) { return static_cast<int>(std::clamp(value, -kMaxCoordinate, kMaxCoordinate)); }

enum class TScript { None, Sub, Super };
enum class TAlign { Left, Center, Right };
enum class TVAlign { Bottom, Top, Middle };

// What a word is drawn with.
struct TStyle {
  THtmlFont Font;
  uint32_t Color = 0;
  uint32_t Background = kHtmlNoColor;
  bool Shadow = false;
  bool Error = false;
  TScript Script = TScript::None;
  int Anchor = 0;
};

// An item of the line being built: its left and right are known, its top and bottom come at the line's end.
struct TPending {
  THtmlItem Item;
  int Height = 0;
  TScript Script = TScript::None;
  TVAlign Align = TVAlign::Bottom;
  bool Error = false;
  bool Text = false;
};

class TBuilder {
public:
  TBuilder(const THtmlOptions& options, THtmlMeasurer& measurer) : o_(options), m_(measurer) {
    style_.Font = o_.Font;
    style_.Color = o_.FontColor;
    y_ = o_.Bounds.Top;
    pen_ = LineStart();
  }
  THtmlLayout Run(std::string_view html);

private:
  int LineStart() const { return o_.Bounds.Left + indent_ + offset_; }
  int Right() const { return o_.Bounds.Right; }

  void Word(std::string text);
  void Blanks(int count);
  void Image(const THtmlTag& tag);
  // Makes room for an item `width` wide: blanks waiting since the last word are placed when the item stays on
  // this line; with `mayWrap` an item that does not fit after other words starts the next line.
  void MakeRoom(int width, bool mayWrap);
  void PlaceText(const std::string& text, const TStyle& style, bool counts);
  void Tag(const THtmlTag& tag);
  void FontTag(const THtmlTag& tag);
  void BodyTag(const THtmlTag& tag);
  void ParagraphTag(const THtmlTag& tag);
  void AnchorTag(const THtmlTag& tag);
  void ListItem();
  void Rule();
  // Ends the line: places its items, or with `forced` adds an empty line when it holds none.
  void EndLine(bool forced = false);
  void EndParagraphBackground();
  // The size of an image as shown; 0 x 0 when it cannot be.
  THtmlSize ShownImageSize(const THtmlImage& image, const THtmlTag* tag);

  const THtmlOptions& o_;
  THtmlMeasurer& m_;
  THtmlLayout out_;
  std::vector<THtmlItem> body_;  // the body's background, painted under everything
  std::vector<TPending> line_;
  int words_ = 0;                // words and images on the line (bullets do not count)
  std::string blanks_;
  TStyle blankStyle_;
  TStyle style_;
  int y_ = 0;
  int pen_ = 0;
  int indent_ = 0;
  int offset_ = 0;
  int listLevel_ = 0;
  TAlign align_ = TAlign::Left;
  int paragraphItem_ = -1;  // index of the paragraph's background item, -1 for none
  int paragraphTop_ = 0;
  bool hidden_ = false;
  bool blinking_ = false;
  uint32_t blinkSaved_ = 0;
  uint32_t highlightColor_ = 0, highlightBackground_ = kHtmlNoColor;
  uint32_t anchorColor_ = 0, anchorBackground_ = kHtmlNoColor;
  int savedEscapement_ = 0;
};

THtmlLayout TBuilder::Run(std::string_view html) {
  const std::string prepared = PrepareHtml(html);
  out_.NoPrefix = HtmlNeedsNoPrefix(prepared);
  THtmlTokenizer tokens(prepared);
  THtmlToken token;
  while (tokens.Next(token)) {
    switch (token.Kind) {
      case THtmlTokenKind::Tag: Tag(ClassifyTag(token.Text)); break;
      case THtmlTokenKind::Space: Blanks(token.Blanks); break;
      case THtmlTokenKind::Word: Word(ReplaceWordEntities(token.Text)); break;
    }
  }
  EndLine();
  EndParagraphBackground();
  out_.Items.insert(out_.Items.begin(), body_.begin(), body_.end());
  return std::move(out_);
}

// ---- words, blanks and images ---------------------------------------------------------------------------------

void TBuilder::Blanks(int count) {
  if (hidden_ || count <= 0) return;
  out_.PlainText.append(static_cast<size_t>(count), ' ');
  if (style_.Anchor > 0) out_.Anchors.back().Text.append(static_cast<size_t>(count), ' ');
  if (blanks_.empty()) blankStyle_ = style_;
  blanks_.append(static_cast<size_t>(count), ' ');
}

void TBuilder::MakeRoom(int width, bool mayWrap) {
  if (words_ > 0) {
    const int blankWidth = blanks_.empty() ? 0 : m_.TextSize(blankStyle_.Font, blanks_).Width;
    if (mayWrap && static_cast<int64_t>(pen_) + blankWidth + width > Right()) EndLine();
    else if (!blanks_.empty()) PlaceText(blanks_, blankStyle_, false);
  }
  blanks_.clear();
}

void TBuilder::Word(std::string text) {
  if (hidden_ || text.empty()) return;
  out_.PlainText += text;
  if (style_.Anchor > 0) out_.Anchors.back().Text += text;
  const int width = m_.TextSize(style_.Font, text).Width;
  MakeRoom(width, o_.WordWrap);
  if (!o_.WordWrap || static_cast<int64_t>(pen_) + width <= Right()) {
    PlaceText(text, style_, true);
    return;
  }
  // Alone on its line and still too wide: cut it where it fits, at least one character a line.
  while (!text.empty()) {
    const int fitted = m_.FitCount(style_.Font, text, Right() - pen_);
    const size_t count = static_cast<size_t>(std::clamp<int64_t>(fitted, 1, static_cast<int64_t>(text.size())));
    PlaceText(text.substr(0, count), style_, true);
    text.erase(0, count);
    if (!text.empty()) EndLine();
  }
}

void TBuilder::PlaceText(const std::string& text, const TStyle& style, bool counts) {
  const THtmlSize size = m_.TextSize(style.Font, text);
  TPending p;
  p.Item.Kind = THtmlItemKind::Text;
  p.Item.Rect = {pen_, 0, Saturate(int64_t(pen_) + std::max(size.Width, 0)), 0};
  p.Item.Text = text;
  p.Item.Font = style.Font;
  p.Item.Color = style.Color;
  p.Item.Background = style.Background;
  p.Item.Shadow = style.Shadow;
  p.Item.Anchor = style.Anchor;
  p.Height = std::max(size.Height, 0);
  p.Script = style.Script;
  p.Error = style.Error;
  p.Text = true;
  line_.push_back(std::move(p));
  pen_ = line_.back().Item.Rect.Right;
  if (counts) ++words_;
}

THtmlSize TBuilder::ShownImageSize(const THtmlImage& image, const THtmlTag* tag) {
  THtmlSize size = m_.ImageSize(image);
  if (size.Width <= 0 || size.Height <= 0) return {};
  auto zoomed = [&](int side) {
    const double value = side * o_.ImageZoom;
    if (!(value > 0)) return 0;  // also NaN
    return static_cast<int>(std::min(value, double(kMaxImageSide)));
  };
  if (image.Kind == THtmlImageKind::ImageList && o_.ImageZoom != 1.0) size = {zoomed(size.Width), zoomed(size.Height)};
  int side = 0;
  if (tag && HtmlNumberAttribute(*tag, "WIDTH", side)) size.Width = std::max(side, 0);
  if (tag && HtmlNumberAttribute(*tag, "HEIGHT", side)) size.Height = std::max(side, 0);
  return size;
}

void TBuilder::Image(const THtmlTag& tag) {
  std::string source, alt, align;
  HtmlAttribute(tag, "SRC", source);
  const THtmlImage image = ClassifyImageSource(source);
  const THtmlSize size = ShownImageSize(image, &tag);
  if (size.Width <= 0 || size.Height <= 0) {
    if (HtmlAttribute(tag, "ALT", alt)) Word(alt);
    return;
  }
  MakeRoom(size.Width, !HtmlFlagAttribute(tag, "WRAP"));
  TPending p;
  p.Item.Kind = THtmlItemKind::Image;
  p.Item.Rect = {pen_, 0, Saturate(int64_t(pen_) + size.Width), 0};
  p.Item.Image = image;
  p.Item.Anchor = style_.Anchor;
  p.Height = size.Height;
  if (HtmlAttribute(tag, "ALIGN", align)) {
    if (SameText(align, "TOP")) p.Align = TVAlign::Top;
    else if (SameText(align, "MIDDLE")) p.Align = TVAlign::Middle;
  }
  pen_ = p.Item.Rect.Right;
  line_.push_back(std::move(p));
  ++words_;
}

// ---- tags -----------------------------------------------------------------------------------------------------

void TBuilder::Tag(const THtmlTag& tag) {
  using K = THtmlTagKind;
  if (hidden_) {
    if (tag.Kind == K::Hidden && tag.Closing) hidden_ = false;
    return;
  }
  const bool on = !tag.Closing;
  THtmlFont& font = style_.Font;
  switch (tag.Kind) {
    case K::Anchor: AnchorTag(tag); break;
    case K::Bold: font.Bold = on; break;
    case K::Italic: font.Italic = on; break;
    case K::Underline: font.Underline = on; break;
    case K::StrikeOut: font.StrikeOut = on; break;
    case K::Body:
      if (on) BodyTag(tag);
      break;
    case K::Break:
      if (on) {
        EndLine(true);
        out_.PlainText += '\r';
      }
      break;
    case K::Blink:
      if (on && !blinking_) {
        blinking_ = true;
        blinkSaved_ = style_.Color;
        if (o_.BlinkPhaseOff && o_.BlinkColor != kHtmlNoColor) style_.Color = o_.BlinkColor;
      } else if (!on && blinking_) {
        blinking_ = false;
        style_.Color = blinkSaved_;
      }
      break;
    case K::ErrorLine: style_.Error = on; break;
    case K::Font: FontTag(tag); break;
    case K::Highlight:
      if (on) {
        highlightColor_ = style_.Color;
        highlightBackground_ = style_.Background;
        style_.Color = kHtmlHighlightText;
        style_.Background = kHtmlHighlight;
      } else {
        style_.Color = highlightColor_;
        style_.Background = highlightBackground_;
      }
      break;
    case K::Rule:
      if (on) Rule();
      break;
    case K::Image:
      if (on) Image(tag);
      break;
    case K::Indent: {
      int x = 0;
      if (on && HtmlNumberAttribute(tag, "X", x)) pen_ = o_.Bounds.Left + std::max(x, 0);
      break;
    }
    case K::ListItem:
      if (on) ListItem();
      else EndLine();
      break;
    case K::Offset: {
      int x = 0;
      if (!on) offset_ = 0;
      else if (HtmlNumberAttribute(tag, "X", x)) offset_ = std::max(x, 0);
      if (words_ == 0 && line_.empty()) pen_ = LineStart();
      else if (on) pen_ = std::max(pen_, LineStart());
      break;
    }
    case K::Paragraph: ParagraphTag(tag); break;
    case K::Rotate: {
      int degrees = 0;
      if (on) {
        savedEscapement_ = font.Escapement;
        if (HtmlNumberAttribute(tag, "A", degrees)) font.Escapement = degrees * 10;
      } else {
        font.Escapement = savedEscapement_;
      }
      break;
    }
    case K::Shadow: style_.Shadow = on; break;
    case K::Subscript: style_.Script = on ? TScript::Sub : TScript::None; break;
    case K::Superscript: style_.Script = on ? TScript::Super : TScript::None; break;
    case K::List:
      if (on) listLevel_ = std::min(listLevel_ + 1, 1000);
      else if (listLevel_ == 0) font.Underline = false;
      else --listLevel_;
      break;
    case K::Hidden: hidden_ = on; break;
    case K::Unknown: break;
  }
}

void TBuilder::FontTag(const THtmlTag& tag) {
  THtmlFont& font = style_.Font;
  if (tag.Closing) {
    font.Name = o_.Font.Name;
    font.Size = o_.Font.Size;
    font.Height = o_.Font.Height;
    style_.Color = o_.FontColor;
    style_.Background = kHtmlNoColor;
    return;
  }
  std::string value;
  if (HtmlAttribute(tag, "FACE", value) && !value.empty()) font.Name = value;
  if (HtmlAttribute(tag, "COLOR", value)) style_.Color = ParseHtmlColor(value);
  if (HtmlAttribute(tag, "BGCOLOR", value)) style_.Background = ParseHtmlColor(value);
  int size = 0;
  if (HtmlNumberAttribute(tag, "SIZE", size)) {
    static const int steps[] = {8, 10, 12, 14, 16};
    font.Size = size >= 1 && size <= 5 ? steps[size - 1] : std::clamp(size, 1, kMaxPoints);
    font.Height = 0;
  }
}

void TBuilder::BodyTag(const THtmlTag& tag) {
  std::string value;
  if (HtmlAttribute(tag, "BGCOLOR", value)) {
    THtmlItem fill;
    fill.Kind = THtmlItemKind::Fill;
    fill.Rect = o_.Bounds;
    fill.Color = ParseHtmlColor(value);
    if (HtmlAttribute(tag, "BGCOLORTO", value)) {
      fill.Kind = THtmlItemKind::Gradient;
      fill.ColorTo = ParseHtmlColor(value);
      std::string dir;
      fill.Horizontal = !HtmlAttribute(tag, "DIR", dir) || SameText(dir, "H");
    }
    body_.push_back(fill);
  }
  static const std::pair<const char*, bool> corners[] = {
      {"BACKGROUND", false}, {"BGTOPLEFT", false}, {"BGTOPRIGHT", true}};
  for (const auto& [name, right] : corners) {
    if (!HtmlAttribute(tag, name, value)) continue;
    THtmlItem image;
    image.Kind = THtmlItemKind::Image;
    image.Image = ClassifyImageSource(value);
    const THtmlSize size = ShownImageSize(image.Image, nullptr);
    if (size.Width <= 0 || size.Height <= 0) continue;
    const int left = right ? o_.Bounds.Right - size.Width : o_.Bounds.Left;
    image.Rect = {left, o_.Bounds.Top, left + size.Width, o_.Bounds.Top + size.Height};
    body_.push_back(image);
  }
}

void TBuilder::ParagraphTag(const THtmlTag& tag) {
  EndLine();
  EndParagraphBackground();
  align_ = TAlign::Left;
  indent_ = 0;
  if (!tag.Closing) {
    std::string value;
    if (HtmlAttribute(tag, "ALIGN", value)) {
      if (SameText(value, "RIGHT")) align_ = TAlign::Right;
      else if (SameText(value, "CENTER")) align_ = TAlign::Center;
    }
    int indent = 0;
    if (HtmlNumberAttribute(tag, "INDENT", indent)) indent_ = std::max(indent, 0);
    if (HtmlAttribute(tag, "BGCOLOR", value)) {
      THtmlItem fill;
      fill.Kind = THtmlItemKind::Fill;
      fill.Color = ParseHtmlColor(value);
      if (HtmlAttribute(tag, "BGCOLORTO", value)) {
        fill.Kind = THtmlItemKind::Gradient;
        fill.ColorTo = ParseHtmlColor(value);
      }
      paragraphItem_ = static_cast<int>(out_.Items.size());
      paragraphTop_ = y_;
      out_.Items.push_back(fill);
    }
  }
  pen_ = LineStart();
}

void TBuilder::EndParagraphBackground() {
  if (paragraphItem_ < 0) return;
  out_.Items[static_cast<size_t>(paragraphItem_)].Rect = {o_.Bounds.Left, paragraphTop_, o_.Bounds.Right, y_};
  paragraphItem_ = -1;
}

void TBuilder::AnchorTag(const THtmlTag& tag) {
  if (style_.Anchor > 0) {  // a closing tag, or an anchor opened inside another: the open one ends
    style_.Font.Underline = false;
    style_.Color = anchorColor_;
    style_.Background = anchorBackground_;
    style_.Anchor = 0;
  }
  if (tag.Closing) return;
  THtmlAnchor anchor;
  anchor.Number = static_cast<int>(out_.Anchors.size()) + 1;
  anchor.Target = HtmlQuotedText(tag);
  out_.Anchors.push_back(anchor);
  anchorColor_ = style_.Color;
  anchorBackground_ = style_.Background;
  style_.Font.Underline = true;
  style_.Anchor = anchor.Number;
  const bool hoverOn = o_.HoverColor != kHtmlNoColor || o_.HoverBackground != kHtmlNoColor;
  if (hoverOn && anchor.Number == o_.HoverAnchor) {
    if (o_.HoverColor != kHtmlNoColor) style_.Color = o_.HoverColor;
    if (o_.HoverBackground != kHtmlNoColor) style_.Background = o_.HoverBackground;
  } else if (o_.AnchorColor != kHtmlNoColor) {
    style_.Color = o_.AnchorColor;
  }
}

void TBuilder::ListItem() {
  EndLine();
  blanks_.clear();
  const int level = std::max(listLevel_, 1);
  pen_ = LineStart() + (level - 1) * kListStep;
  TStyle bullet = style_;
  bullet.Font.Name = "Symbol";
  bullet.Font.Symbol = true;
  bullet.Font.Underline = false;
  bullet.Font.StrikeOut = false;
  const int x = pen_;
  PlaceText(level % 2 == 1 ? "\xB7" : "o", bullet, false);
  pen_ = x + kListStep;
}

void TBuilder::Rule() {
  EndLine();  // the rule goes under the last line; an empty line adds none
  THtmlItem rule;
  rule.Kind = THtmlItemKind::Rule;
  rule.Rect = {o_.Bounds.Left, y_, o_.Bounds.Right, y_ + 1};
  rule.Color = 0;
  out_.Items.push_back(rule);
  out_.Height = std::max(out_.Height, y_ + 1 - o_.Bounds.Top);
  y_ = Saturate(int64_t(y_) + 2);  // the rule's row and one free row under it
}

// ---- lines ----------------------------------------------------------------------------------------------------

void TBuilder::EndLine(bool forced) {
  blanks_.clear();
  if (line_.empty()) {
    if (forced) {
      const int height = std::max(m_.TextSize(style_.Font, "").Height, 0);
      out_.Height = std::max(out_.Height, y_ + height - o_.Bounds.Top);
      y_ = Saturate(int64_t(y_) + height + o_.LineSpacing);
    }
    pen_ = LineStart();
    return;
  }
  int tallest = 0, tallestText = 0, right = o_.Bounds.Left;
  bool sub = false, super = false;
  for (const TPending& p : line_) {
    tallest = std::max(tallest, p.Height);
    if (p.Text) tallestText = std::max(tallestText, p.Height);
    sub |= p.Script == TScript::Sub;
    super |= p.Script == TScript::Super;
    right = std::max(right, p.Item.Rect.Right);
  }
  const int quarter = tallestText / 4;
  const int top = y_;
  const int base = top + (super ? quarter : 0) + tallest;
  const int bottom = base + (sub ? quarter : 0);
  const int free = std::max(o_.Bounds.Right - right, 0);
  const int shift = align_ == TAlign::Right ? free : align_ == TAlign::Center ? free / 2 : 0;
  TRect focus{};
  bool hasFocus = false;
  for (TPending& p : line_) {
    THtmlItem& item = p.Item;
    item.Rect.Left += shift;
    item.Rect.Right += shift;
    int itemBottom = base;
    if (p.Script == TScript::Sub) itemBottom += quarter;
    else if (p.Script == TScript::Super) itemBottom -= quarter;
    item.Rect.Bottom = itemBottom;
    item.Rect.Top = itemBottom - p.Height;
    if (p.Align == TVAlign::Top) {
      item.Rect.Top = top;
      item.Rect.Bottom = top + p.Height;
    } else if (p.Align == TVAlign::Middle) {
      const int middle = base - (tallestText > 0 ? tallestText : tallest) / 2;
      item.Rect.Top = middle - p.Height / 2;
      item.Rect.Bottom = item.Rect.Top + p.Height;
    }
    if (item.Kind == THtmlItemKind::Image || (item.Kind == THtmlItemKind::Text && item.Text.find_first_not_of(' ') !=
                                                                                      std::string::npos))
      out_.Width = std::max(out_.Width, item.Rect.Right - o_.Bounds.Left);
    if (item.Anchor > 0) out_.Anchors[static_cast<size_t>(item.Anchor - 1)].Rects.push_back(item.Rect);
    if (item.Anchor > 0 && item.Anchor == o_.FocusAnchor) {
      focus = hasFocus ? TRect{std::min(focus.Left, item.Rect.Left), std::min(focus.Top, item.Rect.Top),
                               std::max(focus.Right, item.Rect.Right), std::max(focus.Bottom, item.Rect.Bottom)}
                       : item.Rect;
      hasFocus = true;
    }
    const bool error = p.Error;
    const TRect rect = item.Rect;
    out_.Items.push_back(std::move(item));
    if (error) {
      THtmlItem zigzag;
      zigzag.Kind = THtmlItemKind::ErrorLine;
      zigzag.Rect = {rect.Left - (((rect.Left % 2) + 2) % 2), bottom - 3, rect.Right, bottom};
      zigzag.Color = 0x0000FF;
      out_.Items.push_back(zigzag);
    }
  }
  if (hasFocus) {
    THtmlItem frame;
    frame.Kind = THtmlItemKind::FocusFrame;
    frame.Rect = focus;
    out_.Items.push_back(frame);
  }
  line_.clear();
  words_ = 0;
  out_.Height = std::max(out_.Height, bottom - o_.Bounds.Top);
  y_ = Saturate(int64_t(bottom) + o_.LineSpacing);
  pen_ = LineStart();
}

}  // namespace

// ---- entry points ---------------------------------------------------------------------------------------------

THtmlLayout LayoutHtml(std::string_view html, const THtmlOptions& options, THtmlMeasurer& measurer) {
  return TBuilder(options, measurer).Run(html);
}

const THtmlAnchor* HtmlAnchorAt(const THtmlLayout& layout, int x, int y, TRect* rect) {
  for (const THtmlAnchor& anchor : layout.Anchors)
    for (const TRect& r : anchor.Rects)
      if (r.Contains({x, y})) {
        if (rect) *rect = r;
        return &anchor;
      }
  return nullptr;
}
