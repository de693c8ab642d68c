#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built: its file list, its dependencies,
# lintian, the AppStream and desktop files it installs, and that the program runs from the
# unpacked package (--version and a short headless render).
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(dpkg-parsechangelog -l debian/changelog -S Version)
deb="dist/orbelune_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "no package at $deb" >&2; exit 1; }

app=org.orbelune.Orbelune
expected=(
  ./usr/bin/orbelune
  ./usr/libexec/xscreensaver/orbelune
  ./usr/share/xscreensaver/config/orbelune.xml
  ./usr/share/man/man6/orbelune.6x.gz
  "./usr/share/applications/$app.desktop"
  "./usr/share/applications/$app.Settings.desktop"
  "./usr/share/metainfo/$app.metainfo.xml"
  "./usr/share/icons/hicolor/scalable/apps/$app.svg"
  "./usr/share/icons/hicolor/48x48/apps/$app.png"
  "./usr/share/icons/hicolor/128x128/apps/$app.png"
  ./usr/share/doc/orbelune/copyright
  ./usr/share/doc/orbelune/changelog.Debian.gz
)
listing=$(dpkg-deb --fsys-tarfile "$deb" | tar -t)
missing=0
for f in "${expected[@]}"; do
  grep -qxF "$f" <<<"$listing" || { echo "missing from the package: $f" >&2; missing=1; }
done
[ "$missing" = 0 ]
echo "file list: all ${#expected[@]} expected files present"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libpng16-16 libqt6widgets6 libxcb1; do
  grep -q "\b$lib\b" <<<"$depends" || { echo "Depends lacks $lib (shlibdeps)" >&2; exit 1; }
done

# Lintian refuses nothing but errors here; its warnings are shown for a human to weigh.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "lintian: no errors"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml"
desktop-file-validate "$root"/usr/share/applications/*.desktop

# The unpacked program runs with its settings in the scratch root, the system's libraries.
export XDG_CONFIG_HOME="$root/config" HOME="$root"
"$root/usr/bin/orbelune" --version
"$root/usr/libexec/xscreensaver/orbelune" --version
"$root/usr/bin/orbelune" --render "$root/frames" --frames 40 --size 320x200 --every 20 --seed 1
[ -s "$root/frames/frame-000040.png" ] || { echo "the render wrote no frame 40" >&2; exit 1; }
echo "package check passed"
