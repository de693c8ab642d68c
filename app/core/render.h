// The headless renderer: runs the full animation (creation bursts, tours, departures, universe
// after universe) into an image in memory and writes chosen frames as PNG files. It needs no
// display and no window system.
//
//   orbelune --render DIR --frames N --size WxH [--seed S] [--every K] [--no-write]
//
// The stored settings are used; when nothing has ever been stored (no AnimationType) the factory
// set is used instead: galaxy types and composites of set 0 with the universe values of theme 1.
// The store is only read, never written.
#pragma once

#include <cstdint>
#include <iostream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "settings/store_backend.h"

namespace orb {

inline constexpr int32_t kRenderMaxSide = 16384;         // largest width or height, pixels
inline constexpr int64_t kRenderMaxPixels = 8192 * 8192; // largest image: 256 MiB of pixels
inline constexpr int64_t kRenderMaxFrames = 1000000000;  // largest frame count

struct RenderOptions {
    std::string dir;              // DIR: where the PNG files go (created when missing)
    int64_t frames = 0;           // --frames N: frames to run, 1..kRenderMaxFrames
    int32_t width = 0;            // --size WxH: image width, pixels, 1..kRenderMaxSide, and
                                  //   width x height at most kRenderMaxPixels
    int32_t height = 0;           // image height, pixels
    std::optional<uint64_t> seed; // --seed S: fixed random seed (same seed, same frames); else the clock
    int64_t every = 1;            // --every K: write frames K, 2K, 3K, ... (1 = every frame)
    bool write = true;            // false with --no-write: run and count frames, write no file
};

// Parses the arguments that follow "--render" on the command line: DIR first (a leading
// "--render" word is accepted and skipped), then the options in any order. --frames and --size
// are required. On a problem returns nothing and puts a message for the user into error.
std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args, std::string& error);

// Runs the animation for options.frames frames and writes every options.every-th frame to
// DIR/frame-NNNNNN.png (NNNNNN the frame number from 1, at least six digits). Prints one line
// to out: frames run, files written, seconds and frames per second; problems go to err.
// Returns 0, or 1 when the folder or a file could not be written (the run stops at the first
// failed file).
int RunRender(const RenderOptions& options, StoreBackend& backend, std::ostream& out = std::cout,
              std::ostream& err = std::cerr);

} // namespace orb
