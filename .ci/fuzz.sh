#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (sanitized core) and runs each for a few seconds on
# its seed corpus. Exits non-zero when a target crashes; the crashing input is left in
# build-fuzz/ as <target>-crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORBELUNE_FUZZ=ON -DORBELUNE_TESTS=OFF -DORBELUNE_BENCH=OFF -DORBELUNE_WERROR=ON >/dev/null

targets=()
for src in fuzz/*.cpp; do targets+=("$(basename "$src" .cpp)"); done
ninja -C build-fuzz -j2 "${targets[@]}"

for name in "${targets[@]}"; do
  echo "== $name =="
  # New inputs go to a scratch corpus in the build tree; the committed seeds stay as they are.
  work="build-fuzz/corpus/$name"
  mkdir -p "$work"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds+=("fuzz/corpus/$name")
  "./build-fuzz/$name" -max_total_time=5 -rss_limit_mb=2048 -max_len=2000000 \
    -artifact_prefix="build-fuzz/$name-" "$work" "${seeds[@]}"
done
echo "fuzzing: no crash"
