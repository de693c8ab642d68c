#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine (as root), builds, and runs the main job:
# a backup of the stored settings as a template file.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
./build/orbelune --export "${1:-orbelune-backup.orb}"
