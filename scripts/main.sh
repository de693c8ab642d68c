#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine (as root), builds, and runs the main job: the
# saver in an application window when there is a display, otherwise a short run without one that
# writes a few frames as PNG images into orbelune-frames/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
if [ -n "${DISPLAY:-}" ]; then
  echo "The saver in a window: Escape ends it, F5 starts a new universe."
  ./build/orbelune --window
else
  ./build/orbelune --render orbelune-frames --frames 600 --size 1280x720 --every 150
fi
