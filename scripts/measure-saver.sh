#!/usr/bin/env bash
# Measures the full-screen saver under a private Xvfb server: CPU seconds per second of the saver
# process and frames per second over a run.
#   scripts/measure-saver.sh BUILD_DIR [SECONDS] [STARS] [DELAY_MS] [WIDTHxHEIGHT]
# STARS empty or "factory" keeps the factory universe values.
set -euo pipefail
build=${1:-build}; seconds=${2:-20}; stars=${3:-factory}; delay=${4:-30}; size=${5:-1920x1080}
work=$(mktemp -d)
trap 'kill "${saver:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
exec 3<> "$work/display"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p -m 700 "$work/run" "$work/config/orbelune"
if [ "$stars" != factory ]; then
  printf '[SOFTWARE\\Brightquill\\ZEFO_Orbis\\Universe]\nUniverse_Stars=%s\n' "$stars" \
    >"$work/config/orbelune/orbelune.ini"
fi
ORBELUNE_STATS=1 "$build/orbelune" --saver --seed 1 --delay "$delay" 2>"$work/stats" &
saver=$!
sleep 2 # start-up and the first universe's set-up are not part of the steady state
tick=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$saver/stat"; }
c0=$(cpu); t0=$(date +%s.%N)
sleep "$seconds"
c1=$(cpu); t1=$(date +%s.%N)
kill -TERM "$saver"; wait "$saver" || true
frames=$(awk '{print $2}' "$work/stats"); total=$(awk '{print $5}' "$work/stats")
awk -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" -v tick="$tick" -v f="$frames" -v T="$total" \
    -v stars="$stars" -v delay="$delay" -v size="$size" 'BEGIN {
  printf "size %s, stars %s, delay %s ms: %.3f CPU-s/s, %.1f frames/s (whole run)\n",
         size, stars, delay, (c1 - c0) / tick / (t1 - t0), f / T }'
