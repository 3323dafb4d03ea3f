#pragma once
// The test screen's framebuffer: EDITOR_SCREEN_FILE, an XWD image the Wine test environment provides, which is
// what the display shows (windows lying over others included). Windows tests only.
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace testsupport {

// The rectangle's pixels (0xRRGGBB) from an XWD framebuffer image of 32 bits per pixel; false when unreadable.
inline bool ReadXwdPixels(const std::string& file, const RECT& r, std::vector<unsigned>& out)
{
    std::ifstream in(file, std::ios::binary);
    unsigned char raw[100];
    if (!in.read(reinterpret_cast<char*>(raw), sizeof raw)) return false;
    const auto field = [&raw](int i) {
        return unsigned(raw[4 * i]) << 24 | unsigned(raw[4 * i + 1]) << 16 | unsigned(raw[4 * i + 2]) << 8 |
               unsigned(raw[4 * i + 3]);
    };
    const unsigned headerSize = field(0), width = field(4), height = field(5), lsbFirst = field(7) == 0;
    const unsigned bitsPerPixel = field(11), bytesPerLine = field(12), colours = field(19);
    if (bitsPerPixel != 32 || r.left < 0 || r.top < 0 || unsigned(r.right) > width || unsigned(r.bottom) > height)
        return false;
    for (LONG y = r.top; y < r.bottom; ++y) {
        std::vector<unsigned char> row(size_t(r.right - r.left) * 4);
        in.seekg(std::streamoff(headerSize + 12 * colours + y * bytesPerLine + r.left * 4));
        if (!in.read(reinterpret_cast<char*>(row.data()), std::streamsize(row.size()))) return false;
        for (size_t i = 0; i < row.size(); i += 4)
            out.push_back(lsbFirst ? (row[i + 2] << 16 | row[i + 1] << 8 | row[i])
                                   : (row[i + 1] << 16 | row[i + 2] << 8 | row[i + 3]));
    }
    return true;
}

}  // namespace testsupport
