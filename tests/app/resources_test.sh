#!/bin/sh
# The committed images are exactly what the generator draws.
set -eu
res_dir=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
python3 "$res_dir/generate.py" "$out"
for f in "$out"/*; do
  cmp "$f" "$res_dir/$(basename "$f")" || { echo "stale: res/$(basename "$f"), run res/generate.py" >&2; exit 1; }
done
echo "resources: ok"
