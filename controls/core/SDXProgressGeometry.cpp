#include "controls/core/SDXProgressGeometry.h"

#include <algorithm>

namespace {

using int128 = __int128;

// position - minimum within [0, maximum - minimum], in 128 bits.
int128 Done(int64_t position, int64_t minimum, int64_t maximum) {
  int128 span = int128(maximum) - minimum;
  return std::clamp<int128>(int128(position) - minimum, 0, span);
}

}  // namespace

int ProgressPercent(int64_t position, int64_t minimum, int64_t maximum) {
  if (maximum <= minimum) return 0;
  return static_cast<int>(Done(position, minimum, maximum) * 100 / (int128(maximum) - minimum));
}

bool ComputeProgressGeometry(int64_t position, int64_t minimum, int64_t maximum, int clientWidth, int clientHeight,
                             bool solid, TProgressGeometry& geometry) {
  if (maximum <= minimum || clientWidth < 2) return false;
  const int inner = clientWidth - 2;
  TProgressGeometry g;
  g.Fill = static_cast<int>(inner * Done(position, minimum, maximum) / (int128(maximum) - minimum));
  if (!solid) {
    const int bw = static_cast<int>(2 * int64_t(std::max(clientHeight, 0)) / 3);
    if (bw == 0) {
      g.Fill = 0;
    } else {
      g.BlockWidth = bw;
      g.Blocks = g.Fill / bw;
      const int rest = std::min(inner - g.Blocks * bw, bw);
      // A block at least half reached is shown; at the end of the bar it may be cut short.
      if (rest < 2 * (g.Fill % bw)) {
        ++g.Blocks;
        g.PartialBlock = rest < bw;
        g.PartialWidth = g.PartialBlock ? rest : 0;
        g.Fill = g.PartialBlock ? inner : bw * g.Blocks;
      } else {
        g.Fill = bw * g.Blocks;
      }
    }
  }
  geometry = g;
  return true;
}

uint32_t GradientColumnColor(uint32_t startRgb, uint32_t endRgb, int offset, int fill) {
  uint32_t color = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int64_t s = (startRgb >> shift) & 0xFF;
    const int64_t e = (endRgb >> shift) & 0xFF;
    // The exact value is n / fill with n >= 0 (offset lies in [0, fill]); n / fill + 1/2, truncated, rounds it.
    const int64_t n = s * fill + int64_t(offset) * (e - s);
    const int64_t rounded = std::clamp<int64_t>((2 * n + fill) / (2 * int64_t(fill)), 0, 255);
    color |= static_cast<uint32_t>(rounded) << shift;
  }
  return color;
}

std::string FormatProgressCaption(const std::string& format, int percent) {
  std::string out;
  out.reserve(format.size() + 8);
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == 'd') {
        out += std::to_string(percent);
        ++i;
        continue;
      }
      if (format[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}
