#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine (as root), builds, and runs the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
ctest --test-dir build --output-on-failure -j2
