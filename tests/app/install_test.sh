#!/bin/sh
# cmake --install puts the program, its desktop entry, metadata and icons where the desktop
# looks for them.
set -eu
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
for f in bin/zelivar-tagger bin/zelivar-tagger-cli \
         share/applications/org.zelivar.tagger.desktop \
         share/metainfo/org.zelivar.tagger.metainfo.xml \
         share/icons/hicolor/16x16/apps/zelivar-tagger.png \
         share/icons/hicolor/32x32/apps/zelivar-tagger.png; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
[ -x "$prefix/bin/zelivar-tagger" ]
echo "install: ok"
