#!/usr/bin/env bash
# Takes a picture of the settings dialog for the README: the dialog on a private Xvfb server with
# settings of its own (the factory set) and a galaxy preview running, saved as a small PNG.
#   scripts/screenshot.sh [BUILD_DIR] [OUTPUT_PNG]
set -euo pipefail
build=${1:-build}
out=${2:-docs/properties.png}
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "screenshot.sh: $tool is needed" >&2; exit 1; }
done
work=$(mktemp -d)
mkdir -m 700 "$work/run"
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
    if [ -n "$app" ]; then
        kill "$app" 2>/dev/null || true
        wait "$app" 2>/dev/null || true
    fi
    kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=$display XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
"$build/orbelune" --config &
app=$!
window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Galaxy Properties$' 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "screenshot.sh: the dialog did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$window"
# From the first box, Tab leads through the universe boxes and the galaxy-type list to
# "Galaxy Preview"; Space presses it and the preview runs for a moment.
xdotool key --delay 20 --repeat 19 Tab
xdotool key space
sleep 2
import -window "$window" "$work/plain.png"
mkdir -p "$(dirname "$out")"
convert "$work/plain.png" -resize '75%' -strip -colors 128 "PNG8:$out"
echo "$out: $(stat -c %s "$out") bytes"
