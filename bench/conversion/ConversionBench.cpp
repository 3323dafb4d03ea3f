// The start-up conversion of the demo client folder (75 libraries, CRC pass and settings included) against its
// floor: libpng encoding the same pixels at the same level (4) into memory in a minimal loop. What the conversion
// must do beyond that is the decoding, the write, map and delete of "x.tmp" per image and the durable save of
// each library pair and of the settings. Also, as a note, a later start's CRC pass. Runs under Wine (the readers
// map their files); "x.tmp" is staged beside this program. Usage: conversion_bench [--rounds N]
#include "bench/support/Bench.h"
#include "classlib/core/IniFiles.h"
#include "classlib/core/PngImage.h"
#include "editor/uImageLibraryCheck.h"
#include "gamedata/core/ImageLibraries.h"
#include "gamedata/uBase_WIL_File.h"
#include "tools/demo/DemoData.h"

#include <png.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int Level = 4;

struct Pixels {
    uint32_t Width, Height;
    std::vector<png_byte> Rgba;
};

// What the conversion encodes: every image of every library, as RGBA, decoded once up front.
std::vector<Pixels> CollectPixels(const std::string& folder)
{
    std::vector<Pixels> out;
    for (int32_t i = 0; i < ImageLibraryCount; ++i) {
        TWILFile wil;
        if (!wil.Open(folder + GetLibraryFileName(i))) continue;
        for (int32_t j = 0; j < wil.GetCount(); ++j) {
            TSILImageRecord record{};
            if (wil.DecodeFrame32MakePNG(j, record, 0) != TMakePngResult::Written) continue;
            std::ifstream in(TWILFile::TempPngPath(), std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
            TPngImage png;
            if (!png.LoadFromMemory(bytes)) continue;
            const auto* first = reinterpret_cast<const png_byte*>(png.Pixels().data());
            out.push_back({png.Width(), png.Height(), {first, first + png.Pixels().size() * 4}});
        }
    }
    std::remove(TWILFile::TempPngPath().c_str());
    return out;
}

void AppendBytes(png_structp png, png_bytep data, png_size_t size)
{
    auto* out = static_cast<std::vector<png_byte>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void Flush(png_structp) {}

// One image into `buffer` (replaced); false when libpng fails. The write struct is per image, as any encoder of
// separate files needs; nothing between setjmp and the end of the encoding has a destructor.
bool EncodeOne(const Pixels& p, std::vector<png_byte>& buffer, std::vector<png_bytep>& rows)
{
    buffer.clear();
    rows.resize(p.Height);
    for (uint32_t y = 0; y < p.Height; ++y)
        rows[y] = const_cast<png_bytep>(p.Rgba.data()) + size_t(y) * p.Width * 4;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &buffer, AppendBytes, Flush);
    png_set_IHDR(png, info, p.Width, p.Height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, Level);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// The floor: every image encoded, nothing else; the bytes written in all.
size_t EncodeAll(const std::vector<Pixels>& images, std::vector<png_byte>& buffer)
{
    size_t total = 0;
    std::vector<png_bytep> rows;
    for (const Pixels& p : images)
        if (EncodeOne(p, buffer, rows)) total += buffer.size();
    return total;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "conversion-bench";
    std::filesystem::remove_all(root);
    const std::string folder = root.string() + "\\";
    std::string error;
    if (!MakeDemoData(folder, error)) {
        std::fprintf(stderr, "demo data: %s\n", error.c_str());
        return 1;
    }

    TLibraryCheckView view;  // no screen: the check's own work only
    int32_t converted = 0;
    const auto convert = [&] {
        TIniFile(folder + SettingsFileName).WriteBool("ConvertImage", "Convert", true);
        TImageLibraryCheck check(folder, view, nullptr);
        check.Run();
        converted = check.ImagesConverted();
    };
    convert();
    const std::vector<Pixels> images = CollectPixels(folder);
    std::vector<png_byte> buffer;
    size_t bytes = 0;
    const bench::TResult result = bench::Compare(
        {"full conversion of the demo data (" + std::to_string(images.size()) + " images)",
         "libpng level-4 encoding of the same pixels", {2.5, {}}},
        convert,
        [&] {
            bytes = EncodeAll(images, buffer);
            bench::KeepAlive(&bytes);
        },
        bench::Rounds(argc, argv, 5));

    // Every later start: the CRC of all 75 libraries against the settings, nothing to convert.
    std::vector<double> crcPass;
    for (int i = 0; i < 3; ++i)
        crcPass.push_back(bench::Seconds([&] {
            TImageLibraryCheck check(folder, view, nullptr);
            check.Run();
        }));

    bench::Note("images converted", converted, "images");
    bench::Note("images encoded by the floor", static_cast<double>(images.size()), "images");
    bench::Note("start with unchanged libraries, CRC pass (median)", bench::Median(crcPass) * 1e3, "ms");
    bench::PrintHeader();
    bench::PrintRow(result);
    std::filesystem::remove_all(root);
    return 0;
}
