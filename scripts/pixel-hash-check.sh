#!/usr/bin/env bash
# Checks that the animation still draws the frames it drew when tools/pixel-hashes.txt was
# recorded (hashes of every 25th burst step and tour frame of three fixed runs, see
# tools/orbelune-pixel-hash.cpp). Run it after every change to drawing or presentation code.
#   scripts/pixel-hash-check.sh [BUILD_DIR] [--record]
# --record writes the current hashes as the new reference (only for a deliberate change of the pictures).
set -euo pipefail
build=${1:-build}; root=$(cd "$(dirname "$0")/.." && pwd)
ninja -C "$build" orbelune-pixel-hash >/dev/null
now=$(mktemp); trap 'rm -f "$now"' EXIT
"$build/orbelune-pixel-hash" >"$now"
if [ "${2:-}" = --record ]; then cp "$now" "$root/tools/pixel-hashes.txt"; echo "recorded $(wc -l <"$now") hashes"; exit 0; fi
# Both ways of presenting: drawing into a shared image, and recording the written pixels.
for way in "" --records; do
  [ -z "$way" ] || "$build/orbelune-pixel-hash" $way >"$now"
  if diff -u "$root/tools/pixel-hashes.txt" "$now"; then echo "pixel hashes unchanged ($(wc -l <"$now") frames${way:+, $way})"
  else echo "pixel hashes CHANGED${way:+ ($way)}"; exit 1; fi
done
