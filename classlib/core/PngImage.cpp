// TPngImage: canvas access, then the libpng bridge (reading, writing).
//
// libpng reports errors by longjmp to the setjmp of the function that called it. The functions that hold a
// setjmp (PngReadHeader, PngReadRows, PngWriteAll) and the callbacks libpng calls are C-like: between setjmp and
// any longjmp they hold nothing with a destructor, so a jump skips no C++ clean-up. Everything that owns memory
// lives in the calling C++ functions, which are never jumped over.
#include "classlib/core/PngImage.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

// Shared with libpng's callbacks through its error and io pointers; plain data only.
struct TPngCodecState {
    char message[128];
    const uint8_t* src;
    size_t srcSize;
    size_t srcPos;
    std::vector<uint8_t>* out;
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message)
{
    auto* state = static_cast<TPngCodecState*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message ? message : "libpng error");
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void OnPngRead(png_structp png, png_bytep dst, size_t count)
{
    auto* state = static_cast<TPngCodecState*>(png_get_io_ptr(png));
    if (count > state->srcSize - state->srcPos) png_error(png, "PNG data ends early");
    std::memcpy(dst, state->src + state->srcPos, count);
    state->srcPos += count;
}

void OnPngWrite(png_structp png, png_bytep data, size_t count)
{
    auto* state = static_cast<TPngCodecState*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        state->out->insert(state->out->end(), data, data + count);
    } catch (...) {
        stored = false;
    }
    if (!stored) png_error(png, "out of memory while encoding PNG");
}

void OnPngFlush(png_structp) {}

// Reads the header and sets the transforms that turn any colour type and depth into RGBA 8-bit rows.
bool PngReadHeader(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height)
{
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    const int depth = png_get_bit_depth(png, info);
    const int colour = png_get_color_type(png, info);
    const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (depth == 16) png_set_strip_16(png);
    if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (hasTrns) png_set_tRNS_to_alpha(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (!(colour & PNG_COLOR_MASK_ALPHA) && !hasTrns) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    if (png_get_rowbytes(png, info) != size_t(*width) * 4) png_error(png, "unexpected PNG row layout");
    return true;
}

bool PngReadRows(png_structp png, png_infop info, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

bool PngWriteAll(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height, int level, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, level);
    if (level == 0) {
        // Stored blocks need neither filtering nor deflate's window and hash tables; zlib's default state (some
        // 260 KiB, allocated and cleared per image) cost more than the encoding itself.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_compression_buffer_size(png, 1u << 16);
        png_set_compression_mem_level(png, 1);
        png_set_compression_window_bits(png, 9);
    }
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

// libpng takes a chunk's length on trust: a chunk it keeps whole (texts, profiles, palette suggestions, Exif...)
// is allocated at the length its header claims before a byte of it is read, and a length over the chunk limit is
// only warned about. So the chunks are walked here first: one that runs past the data, or one other than image
// data that is longer than MaxChunkBytes, refuses the file. Image data is streamed, never held whole.
bool ChunksWithinLimits(std::span<const uint8_t> data, size_t maxChunkBytes, std::string& error)
{
    constexpr size_t signature = 8, header = 8, crc = 4;
    size_t pos = signature;
    while (data.size() - pos >= header) {
        const uint64_t length = png_get_uint_32(&data[pos]);
        const uint8_t* name = &data[pos + 4];
        std::string printable(reinterpret_cast<const char*>(name), 4);
        for (char& c : printable)
            if (!std::isalpha(static_cast<unsigned char>(c))) c = '?';
        const size_t rest = data.size() - pos - header;
        if (length > rest || rest - length < crc) {
            error = "PNG chunk " + printable + " runs past the end of the data";
            return false;
        }
        const bool imageData = std::memcmp(name, "IDAT", 4) == 0;
        if (!imageData && length > maxChunkBytes) {
            error = "PNG chunk " + printable + " is longer than the chunk limit";
            return false;
        }
        if (std::memcmp(name, "IEND", 4) == 0) break;
        pos += header + length + crc;
    }
    return true;
}

class TPngReadStruct {
public:
    explicit TPngReadStruct(TPngCodecState* state)
    {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, state, OnPngError, OnPngWarning);
        if (png) info = png_create_info_struct(png);
    }
    ~TPngReadStruct() { png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr); }
    TPngReadStruct(const TPngReadStruct&) = delete;
    TPngReadStruct& operator=(const TPngReadStruct&) = delete;
    png_structp png = nullptr;
    png_infop info = nullptr;
};

class TPngWriteStruct {
public:
    explicit TPngWriteStruct(TPngCodecState* state)
    {
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, state, OnPngError, OnPngWarning);
        if (png) info = png_create_info_struct(png);
    }
    ~TPngWriteStruct() { png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr); }
    TPngWriteStruct(const TPngWriteStruct&) = delete;
    TPngWriteStruct& operator=(const TPngWriteStruct&) = delete;
    png_structp png = nullptr;
    png_infop info = nullptr;
};

} // namespace

// ---- canvas -------------------------------------------------------------------------------------------------

bool TPngImage::CreateBlank(uint32_t width, uint32_t height, TRgba fill)
{
    if (width == 0 || height == 0 || width > 65535 || height > 65535) {
        error_ = "image size out of range";
        return false;
    }
    try {
        std::vector<TRgba> pixels(size_t(width) * height, fill);
        pixels_.swap(pixels);
    } catch (const std::bad_alloc&) {
        error_ = "out of memory for the image";
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

void TPngImage::Clear()
{
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = height_ = 0;
}

void TPngImage::SetPixel(uint32_t x, uint32_t y, TRgba c)
{
    if (x < width_ && y < height_) Row(y)[x] = c;
}

TRgba TPngImage::Pixel(uint32_t x, uint32_t y) const
{
    return (x < width_ && y < height_) ? Row(y)[x] : TRgba{};
}

void TPngImage::SetAlphaRow(uint32_t y, std::span<const uint8_t> alpha)
{
    if (y >= height_) return;
    TRgba* row = Row(y);
    const size_t n = std::min<size_t>(alpha.size(), width_);
    for (size_t x = 0; x < n; ++x) row[x].A = alpha[x];
}

// ---- writing --------------------------------------------------------------------------------------------------

bool TPngImage::SaveToMemory(std::vector<uint8_t>& out, int compressionLevel) const
{
    if (Empty()) {
        error_ = "no image to save";
        return false;
    }
    const int level = std::clamp(compressionLevel, 0, 9);
    std::vector<uint8_t> encoded;
    std::vector<png_bytep> rows;
    try {
        const size_t raw = pixels_.size() * sizeof(TRgba) + height_;
        encoded.reserve(level == 0 ? raw + raw / 4096 + 1024 : raw / 4 + 1024);
        rows.resize(height_);
    } catch (const std::bad_alloc&) {
        error_ = "out of memory while encoding PNG";
        return false;
    }
    for (uint32_t y = 0; y < height_; ++y)
        rows[y] = reinterpret_cast<png_bytep>(const_cast<TRgba*>(Row(y)));

    TPngCodecState state{};
    state.out = &encoded;
    TPngWriteStruct codec(&state);
    if (!codec.png || !codec.info) {
        error_ = "libpng could not start";
        return false;
    }
    png_set_write_fn(codec.png, &state, OnPngWrite, OnPngFlush);
    if (!PngWriteAll(codec.png, codec.info, width_, height_, level, rows.data())) {
        error_ = state.message;
        return false;
    }
    out.swap(encoded);
    return true;
}

bool TPngImage::SaveToFile(const std::string& path, int compressionLevel) const
{
    std::vector<uint8_t> encoded;
    if (!SaveToMemory(encoded, compressionLevel)) return false;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        error_ = "cannot create " + path;
        return false;
    }
    const bool written = std::fwrite(encoded.data(), 1, encoded.size(), f) == encoded.size();
    if (std::fclose(f) != 0 || !written) {
        std::remove(path.c_str());
        error_ = "cannot write " + path;
        return false;
    }
    return true;
}

// ---- reading --------------------------------------------------------------------------------------------------

bool TPngImage::ReadPngSize(std::span<const uint8_t> data, uint32_t& width, uint32_t& height)
{
    // Signature (8), IHDR length (4), "IHDR" (4), width (4), height (4), all big-endian.
    if (data.size() < 24 || png_sig_cmp(data.data(), 0, 8) != 0 || std::memcmp(&data[12], "IHDR", 4) != 0)
        return false;
    width = png_get_uint_32(&data[16]);
    height = png_get_uint_32(&data[20]);
    return true;
}

bool TPngImage::LoadFromMemory(std::span<const uint8_t> data, const TPngLimits& limits)
{
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) {
        error_ = "not a PNG file";
        return false;
    }
    if (!ChunksWithinLimits(data, limits.MaxChunkBytes, error_)) return false;
    TPngCodecState state{};
    state.src = data.data();
    state.srcSize = data.size();
    TPngReadStruct codec(&state);
    if (!codec.png || !codec.info) {
        error_ = "libpng could not start";
        return false;
    }
    png_set_read_fn(codec.png, &state, OnPngRead);
    png_set_user_limits(codec.png, limits.MaxWidth, limits.MaxHeight);
    png_set_chunk_cache_max(codec.png, limits.MaxCachedChunks);
    png_set_chunk_malloc_max(codec.png, limits.MaxChunkBytes);

    png_uint_32 width = 0, height = 0;
    if (!PngReadHeader(codec.png, codec.info, &width, &height)) {
        error_ = state.message;
        return false;
    }
    std::vector<TRgba> pixels;
    std::vector<png_bytep> rows;
    try {
        pixels.resize(size_t(width) * height);
        rows.resize(height);
    } catch (const std::bad_alloc&) {
        error_ = "out of memory for the image";
        return false;
    }
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = reinterpret_cast<png_bytep>(pixels.data() + size_t(y) * width);
    if (!PngReadRows(codec.png, codec.info, rows.data())) {
        error_ = state.message;
        return false;
    }
    pixels_.swap(pixels);
    width_ = width;
    height_ = height;
    error_.clear();
    return true;
}
