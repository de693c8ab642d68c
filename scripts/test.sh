#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine (as root), builds, and runs the test suite.
# Compiler warnings are errors here, as in continuous integration (ORBELUNE_WERROR=OFF in the
# environment builds a tree that merely warns).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DORBELUNE_WERROR="${ORBELUNE_WERROR:-ON}"
ctest --test-dir build --output-on-failure -j2
