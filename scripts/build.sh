#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh DIR [extra cmake arguments...]
set -euo pipefail
dir=${1:-build}; shift || true
src=$(cd "$(dirname "$0")/.." && pwd)
launcher=()
if command -v ccache >/dev/null 2>&1; then
  # Paths relative to the checkout, so every clone of it on this machine shares one compiler cache.
  export CCACHE_BASEDIR="$src"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
ninja -C "$dir"
