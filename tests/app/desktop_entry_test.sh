#!/bin/sh
# The installed desktop files are valid, and the entry, started on a folder the way a file
# manager starts it, runs the program with that folder as its current directory; started without
# a folder it runs nothing. A stand-in program on PATH records where it was started.
set -eu
desktop_dir=$1
entry=$desktop_dir/org.zelivar.tagger.desktop

desktop-file-validate "$entry"
appstreamcli validate --no-net "$desktop_dir/org.zelivar.tagger.metainfo.xml" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"
cat > "$work/bin/zelivar-tagger" <<STANDIN
#!/bin/sh
pwd > "$work/started-in.tmp" && mv "$work/started-in.tmp" "$work/started-in"
STANDIN
chmod +x "$work/bin/zelivar-tagger"
PATH=$work/bin:$PATH
export PATH

wait_for_record() {
  i=0
  while [ ! -e "$work/started-in" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
}

# A folder name with the characters a shell would trip over.
archive="$work/Архив \"Зеливар\" \$HOME & 'live'"
mkdir -p "$archive"
gio launch "$entry" "$archive"
wait_for_record
[ "$(cat "$work/started-in")" = "$archive" ] || {
  echo "started in '$(cat "$work/started-in" 2>/dev/null)', expected '$archive'" >&2
  exit 1
}

rm -f "$work/started-in"
gio launch "$entry" || true
sleep 1
if [ -e "$work/started-in" ]; then
  echo "started without a folder, in '$(cat "$work/started-in")'" >&2
  exit 1
fi
echo "desktop entry: ok"
