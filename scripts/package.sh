#!/usr/bin/env bash
# Builds the Debian package dist/orbelune_<version>_<arch>.deb (and its -dbgsym companion) with
# Debian's own tools: debhelper builds with dpkg-buildflags (hardening included), installs with
# `cmake --install` (so the package holds whatever the project installs), strips, and works out
# the library dependencies with dpkg-shlibdeps. The build runs on a copy of the sources in
# build-deb/, so the tree itself stays clean.
# Set ORBELUNE_WERROR=ON to make compiler warnings errors (continuous integration does).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

work=build-deb
rm -rf "$work"
mkdir -p "$work/src" dist
# The sources as git sees them (tracked and new files, nothing ignored), or everything but the
# build trees when this is not a git checkout.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | tar --null -T - --ignore-failed-read -cf - 2>/dev/null
else
  tar --exclude='./build*' --exclude=./dist --exclude=./.git -cf - .
fi | tar -xf - -C "$work/src"

(cd "$work/src" && ORBELUNE_WERROR=${ORBELUNE_WERROR:-OFF} dpkg-buildpackage -b -us -uc -j"$(nproc)")
version=$(dpkg-parsechangelog -l debian/changelog -S Version)
arch=$(dpkg --print-architecture)
rm -f dist/orbelune_*.deb dist/orbelune-dbgsym_*.deb
cp "$work/orbelune_${version}_${arch}.deb" dist/
cp "$work"/orbelune-dbgsym_"${version}"_"${arch}".*deb dist/ 2>/dev/null || true
echo "Built dist/orbelune_${version}_${arch}.deb"
