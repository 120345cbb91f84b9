#!/bin/sh
# cpack -G DEB builds a package that holds the program and its desktop files, depends on Qt and
# on a font with Cyrillic glyphs, and whose programs run once unpacked.
set -eu
build_dir=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(ls "$out"/zelivar-tagger_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 fonts-dejavu-core; do
  case $depends in *"$d"*) ;; *) echo "no dependency on $d: $depends" >&2; exit 1 ;; esac
done
dpkg-deb -x "$deb" "$out/root"
for f in usr/bin/zelivar-tagger usr/share/applications/org.zelivar.tagger.desktop \
         usr/share/icons/hicolor/32x32/apps/zelivar-tagger.png; do
  [ -e "$out/root/$f" ] || { echo "not in the package: $f" >&2; exit 1; }
done
"$out/root/usr/bin/zelivar-tagger-cli" --version | grep -q "1.0.0.1"
echo "package: ok"
