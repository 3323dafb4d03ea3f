#pragma once
// An in-memory RGBA image (8 bits per channel, PNG colour type 6) with libpng encoding and decoding.
//
// The canvas is one contiguous block, rows top to bottom, each pixel the four bytes R, G, B, A; Row() hands it
// out directly so that decoders fill it without a call per pixel. Every failure is a value (false) with a text in
// LastError(); libpng's error longjmps stay inside PngImage.cpp and never cross a C++ frame.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct TRgba {
    uint8_t R = 0, G = 0, B = 0, A = 0;
    friend bool operator==(const TRgba&, const TRgba&) = default;
};
static_assert(sizeof(TRgba) == 4);

// Bounds for decoding untrusted PNG data.
struct TPngLimits {
    uint32_t MaxWidth = 4096;
    uint32_t MaxHeight = 4096;
    // Largest chunk other than image data a file may hold (a longer one, or one running past the data, refuses
    // the file before libpng allocates for it), and how many ancillary chunks libpng keeps.
    size_t MaxChunkBytes = 1u << 20;
    uint32_t MaxCachedChunks = 64;
};

class TPngImage {
public:
    TPngImage() = default;

    // A width x height canvas filled with `fill`; false (image left as it was) when a side is 0 or beyond 65535.
    bool CreateBlank(uint32_t width, uint32_t height, TRgba fill = {0, 0, 0, 255});
    void Clear();

    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    bool Empty() const { return pixels_.empty(); }

    // Row y of the canvas (Width() pixels); y must be below Height().
    TRgba* Row(uint32_t y) { return pixels_.data() + size_t(y) * width_; }
    const TRgba* Row(uint32_t y) const { return pixels_.data() + size_t(y) * width_; }
    std::span<const TRgba> Pixels() const { return pixels_; }

    // Checked single-pixel access: out-of-range writes are ignored, reads give {0,0,0,0}.
    void SetPixel(uint32_t x, uint32_t y, TRgba c);
    TRgba Pixel(uint32_t x, uint32_t y) const;
    // Sets the alpha of row y from `alpha` (up to Width() values), leaving the colours.
    void SetAlphaRow(uint32_t y, std::span<const uint8_t> alpha);

    // Encodes as an RGBA PNG file at zlib level 0..9 (clamped); level 0 also skips row filtering, which would only
    // cost time on uncompressed data. Appends nothing and returns false on failure.
    bool SaveToMemory(std::vector<uint8_t>& out, int compressionLevel) const;
    // Writes the encoded file, replacing an existing one; false when encoding or writing fails.
    bool SaveToFile(const std::string& path, int compressionLevel) const;

    // Decodes any PNG (grey, palette, RGB, with or without alpha, 1 to 16 bits, interlaced) into RGBA 8-bit.
    // On failure the image is left as it was.
    bool LoadFromMemory(std::span<const uint8_t> data, const TPngLimits& limits = {});

    const std::string& LastError() const { return error_; }

    // The sides named by a PNG file's header, without decoding; false when the bytes do not start with the PNG
    // signature and an IHDR chunk.
    static bool ReadPngSize(std::span<const uint8_t> data, uint32_t& width, uint32_t& height);

private:
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    std::vector<TRgba> pixels_;
    mutable std::string error_;
};
