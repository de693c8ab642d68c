#!/usr/bin/env bash
# Installs the build dependencies on Debian 12 (run as root). Skips apt when all are present.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
          clang libclang-rt-14-dev qt6-base-dev libxcb1-dev libxcb-shm0-dev xvfb xdotool
          dpkg-dev debhelper lintian appstream desktop-file-utils ccache)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
