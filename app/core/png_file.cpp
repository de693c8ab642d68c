#include "app/core/png_file.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "engine/creation/colour.h"

namespace orb {

namespace {

// libpng reports errors by longjmp; only plain data lives across the jump.
bool WriteRows(std::FILE* file, const Framebuffer& fb, std::vector<png_byte>& row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    // Frames are mostly black: the fastest compression costs little in size.
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, static_cast<png_uint_32>(fb.width), static_cast<png_uint_32>(fb.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < fb.height; ++y) {
        const uint32_t* src = fb.pixels + static_cast<size_t>(y) * static_cast<size_t>(fb.stride);
        for (int32_t x = 0; x < fb.width; ++x) {
            row[static_cast<size_t>(x) * 3 + 0] = static_cast<png_byte>(RedOf(src[x]));
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(GreenOf(src[x]));
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(BlueOf(src[x]));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool WritePngFile(const std::filesystem::path& path, const Framebuffer& surface) {
    if (surface.width < 1 || surface.height < 1 || !surface.pixels) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::vector<png_byte> row(static_cast<size_t>(surface.width) * 3);
    bool ok = WriteRows(file, surface, row);
    ok = (std::fclose(file) == 0) && ok;
    if (!ok) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
    return ok;
}

} // namespace orb
