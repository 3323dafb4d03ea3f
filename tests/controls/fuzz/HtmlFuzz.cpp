// Feeds arbitrary text to the mini-HTML markup: the layout (in a rectangle whose width the first byte picks, one
// pixel upwards), the hit test, the plain-text form and the colour parser must answer, never crash or hang, and
// keep their word:
// - the words lie inside the laid-out area, which starts at the rectangle's top left corner; with word wrap a word
//   of more than one character ends inside the rectangle (only a single character may stick out);
// - a hit test in the middle of an anchor's word or image finds an anchor whose rectangle holds the point;
// - stripping the tags of a stripped text changes nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "controls/core/HtmlLayout.h"

namespace {

// Characters of varying width (0 for control characters), a font's line height from its size.
class TFuzzMeasurer : public THtmlMeasurer {
public:
  THtmlSize TextSize(const THtmlFont& font, std::string_view text) override {
    int width = 0;
    for (unsigned char c : text) width += Width(font, c);
    return {width, font.Size + 2};
  }
  int FitCount(const THtmlFont& font, std::string_view text, int width) override {
    int n = 0;
    for (unsigned char c : text) {
      width -= Width(font, c);
      if (width < 0) break;
      ++n;
    }
    return n;
  }
  THtmlSize ImageSize(const THtmlImage& image) override {
    if (image.Kind == THtmlImageKind::None) return {};
    return {static_cast<int>(image.Source.size()) * 3, 7};
  }

private:
  static int Width(const THtmlFont& font, unsigned char c) { return c < 32 ? 0 : (c % 9) + (font.Bold ? 1 : 0); }
};

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckWords(const THtmlLayout& layout, const THtmlOptions& options) {
  const TRect& b = options.Bounds;
  for (const THtmlItem& item : layout.Items) {
    if (item.Kind != THtmlItemKind::Text || item.Text.find_first_not_of(' ') == std::string::npos) continue;
    const TRect& r = item.Rect;
    Check(r.Left >= b.Left && r.Top >= b.Top && r.Left <= r.Right && r.Top <= r.Bottom);
    Check(r.Right <= b.Left + layout.Width && r.Bottom <= b.Top + layout.Height);
    if (options.WordWrap && item.Text.size() > 1) Check(r.Right <= b.Right);
  }
}

void CheckHits(const THtmlLayout& layout) {
  int tried = 0;
  for (const THtmlAnchor& anchor : layout.Anchors)
    for (const TRect& r : anchor.Rects) {
      if (r.Width() <= 0 || r.Height() <= 0) continue;
      if (++tried > 64) return;
      const int x = r.Left + r.Width() / 2, y = r.Top + r.Height() / 2;
      TRect found;
      const THtmlAnchor* hit = HtmlAnchorAt(layout, x, y, &found);
      Check(hit != nullptr && found.Contains({x, y}) &&
            std::find(hit->Rects.begin(), hit->Rects.end(), found) != hit->Rects.end());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  THtmlOptions options;
  options.Bounds = {3, 5, 3 + 1 + data[0], 400};
  options.WordWrap = (data[0] & 1) == 0;
  options.HoverAnchor = data[0] % 3;
  options.FocusAnchor = data[0] % 4;
  options.HoverColor = 0xFF;
  options.ImageZoom = (data[0] & 2) ? 1.5 : 1.0;
  TFuzzMeasurer measurer;
  const THtmlLayout layout = LayoutHtml(text, options, measurer);
  CheckWords(layout, options);
  TRect rect;
  if (HtmlAnchorAt(layout, 10, 10, &rect)) Check(rect.Contains({10, 10}));
  CheckHits(layout);
  const std::string plain = HTMLStrip(text);
  Check(HTMLStrip(plain) == plain);
  ParseHtmlColor(text);
  return 0;
}
