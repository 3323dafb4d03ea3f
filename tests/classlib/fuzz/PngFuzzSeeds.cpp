// Writes the PNG decoder's seed corpus into the folder named on the command line: every colour type at every bit
// depth it allows, plain and interlaced, with a transparency chunk where the type takes one, and a few text,
// gamma and time chunks, so that every transform and chunk handler the loader reaches has a starting point.
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct TSeed {
    int ColourType;
    int Depth;
};

const TSeed Seeds[] = {
    {PNG_COLOR_TYPE_GRAY, 1},       {PNG_COLOR_TYPE_GRAY, 2},       {PNG_COLOR_TYPE_GRAY, 4},
    {PNG_COLOR_TYPE_GRAY, 8},       {PNG_COLOR_TYPE_GRAY, 16},      {PNG_COLOR_TYPE_RGB, 8},
    {PNG_COLOR_TYPE_RGB, 16},       {PNG_COLOR_TYPE_PALETTE, 1},    {PNG_COLOR_TYPE_PALETTE, 2},
    {PNG_COLOR_TYPE_PALETTE, 4},    {PNG_COLOR_TYPE_PALETTE, 8},    {PNG_COLOR_TYPE_GRAY_ALPHA, 8},
    {PNG_COLOR_TYPE_GRAY_ALPHA, 16}, {PNG_COLOR_TYPE_RGB_ALPHA, 8}, {PNG_COLOR_TYPE_RGB_ALPHA, 16},
};

int Channels(int colourType)
{
    switch (colourType) {
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

// A 5 x 3 image (odd sides, so that every interlace pass has its own shape) of varying samples.
bool WriteSeed(const std::filesystem::path& path, const TSeed& seed, bool interlaced)
{
    constexpr png_uint_32 width = 5, height = 3;
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const size_t rowBytes = (size_t(width) * Channels(seed.ColourType) * seed.Depth + 7) / 8;
    std::vector<std::vector<png_byte>> rows(height, std::vector<png_byte>(rowBytes));
    std::vector<png_bytep> rowPointers;
    for (png_uint_32 y = 0; y < height; ++y) {
        for (size_t i = 0; i < rowBytes; ++i) rows[y][i] = static_cast<png_byte>(0x5B * (y + 1) + 0x31 * i);
        rowPointers.push_back(rows[y].data());
    }
    bool ok = png && info && !setjmp(png_jmpbuf(png));
    if (ok) {
        png_init_io(png, file);
        png_set_IHDR(png, info, width, height, seed.Depth, seed.ColourType,
                     interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        // A full palette for the depth, so that every sample names an entry.
        png_color palette[256];
        for (int i = 0; i < 256; ++i)
            palette[i] = {static_cast<png_byte>(i), static_cast<png_byte>(255 - i), static_cast<png_byte>(i * 7)};
        png_byte paletteAlpha[2] = {0, 0x7F};
        png_color_16 colourKey{};
        colourKey.gray = 1;
        colourKey.red = colourKey.green = colourKey.blue = 0x5B;
        if (seed.ColourType == PNG_COLOR_TYPE_PALETTE) {
            png_set_PLTE(png, info, palette, 1 << seed.Depth);
            png_set_tRNS(png, info, paletteAlpha, 2, nullptr);
        } else if (!(seed.ColourType & PNG_COLOR_MASK_ALPHA)) {
            png_set_tRNS(png, info, nullptr, 0, &colourKey);
        }
        if (seed.Depth == 8) {
            png_text text[2] = {};
            text[0].compression = PNG_TEXT_COMPRESSION_NONE;
            text[0].key = const_cast<char*>("Comment");
            text[0].text = const_cast<char*>("seed");
            text[1].compression = PNG_TEXT_COMPRESSION_zTXt;
            text[1].key = const_cast<char*>("Title");
            text[1].text = const_cast<char*>("compressed seed text");
            png_set_text(png, info, text, 2);
            png_set_gAMA(png, info, 0.45455);
        }
        png_write_info(png, info);
        png_write_image(png, rowPointers.data());
        png_write_end(png, info);
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const TSeed& seed : Seeds)
        for (const bool interlaced : {false, true}) {
            const std::string name = "type" + std::to_string(seed.ColourType) + "-depth" + std::to_string(seed.Depth) +
                                     (interlaced ? "-adam7" : "") + ".png";
            if (!WriteSeed(folder / name, seed, interlaced)) {
                std::fprintf(stderr, "cannot write %s\n", name.c_str());
                return 1;
            }
        }
    return 0;
}
