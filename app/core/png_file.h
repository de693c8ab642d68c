// Writing a framebuffer as an 8-bit RGB PNG file.
#pragma once

#include <filesystem>

#include "engine/animation/framebuffer.h"

namespace orb {

// Writes the surface to path (replacing any file there). False when the file could not be
// opened or written; a partly written file is then removed.
bool WritePngFile(const std::filesystem::path& path, const Framebuffer& surface);

} // namespace orb
