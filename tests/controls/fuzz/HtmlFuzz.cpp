// Feeds arbitrary text to the mini-HTML markup: the layout (in a rectangle whose width the first byte picks, one
// pixel upwards), the hit test, the plain-text form and the colour parser must answer, never crash or hang.
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
  HtmlAnchorAt(layout, 10, 10);
  HTMLStrip(text);
  ParseHtmlColor(text);
  return 0;
}
