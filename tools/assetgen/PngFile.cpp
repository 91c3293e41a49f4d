// PNG encoding through libpng, into memory. libpng reports errors by longjmp; nothing with a
// destructor lives between its setjmp and the calls that may jump, so the jump skips nothing.
#include "FileFormats.h"

#include <png.h>

#include <stdexcept>

namespace {

void AppendToBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// Returns false when libpng gave up; rows holds one pointer per row of RGBA bytes.
bool Encode(png_structp png, png_infop info, Bytes& out, const CCanvas& canvas, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    png_set_write_fn(png, &out, AppendToBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.Width()), static_cast<png_uint_32>(canvas.Height()), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

}  // namespace

Bytes EncodePng(const CCanvas& canvas)
{
    std::vector<uint8_t> pixels;
    pixels.reserve(canvas.Pixels().size() * 4);
    for (const Rgba& p : canvas.Pixels()) {
        pixels.insert(pixels.end(), {p.r, p.g, p.b, p.a});
    }
    std::vector<png_bytep> rows;
    const std::size_t stride = static_cast<std::size_t>(canvas.Width()) * 4;
    for (int y = 0; y < canvas.Height(); ++y)
        rows.push_back(pixels.data() + static_cast<std::size_t>(y) * stride);

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    Bytes out;
    const bool ok = info != nullptr && Encode(png, info, out, canvas, rows.data());
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    if (!ok)
        throw std::runtime_error("libpng could not encode a picture");
    return out;
}
