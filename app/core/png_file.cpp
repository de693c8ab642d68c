#include "app/core/png_file.h"

#include <png.h>

#include <vector>

#include "engine/creation/colour.h"

namespace orb {

bool WritePngFile(const std::filesystem::path& path, const Framebuffer& surface) {
    if (surface.width < 1 || surface.height < 1 || !surface.pixels) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.width);
    image.height = static_cast<png_uint_32>(surface.height);
    image.format = PNG_FORMAT_RGB; // 8 bits a channel, no alpha
    // Frames are mostly black: fast compression costs little in size.
    image.flags = PNG_IMAGE_FLAG_FAST;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    png_byte* out = rgb.data();
    for (int32_t y = 0; y < surface.height; ++y) {
        const uint32_t* src = surface.pixels + static_cast<size_t>(y) * static_cast<size_t>(surface.stride);
        for (int32_t x = 0; x < surface.width; ++x) {
            *out++ = static_cast<png_byte>(RedOf(src[x]));
            *out++ = static_cast<png_byte>(GreenOf(src[x]));
            *out++ = static_cast<png_byte>(BlueOf(src[x]));
        }
    }
    // Removes a file it could not finish; any libpng failure comes back as false.
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

} // namespace orb
