#!/usr/bin/env bash
# The real window under Wine on a private X server, used as a person would: the program copied
# into an archive folder, Enter on the dialog, Enter on the completion box, Esc to end.
#   window_e2e.sh WINE_RUN WINE_DIR PROGRAM.exe
set -euo pipefail
wine_run=$1 wine_dir=$2 program=$3

work=$(mktemp -d)
xvfb_pid='' wine_pid=''
cleanup() {
    if [ -n "$wine_pid" ]; then kill "$wine_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "window_e2e: $*" >&2
    [ -s "$work/wine.log" ] && sed 's/^/  wine: /' "$work/wine.log" >&2
    exit 1
}

# The X server of a wine server already started for the prefix (wine-run --start), whose
# desktop lives there; else one of our own, on the first free display.
if [ -s "$wine_dir/display" ]; then
    export DISPLAY=":$(cat "$wine_dir/display")"
else
    Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$work/display" </dev/null \
        >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$work/display")"
fi

# The caption of every box is the program's file name without its extension.
archive="$work/Архив"
mkdir -p "$archive/Альбом"
head -c 1000 /dev/zero | tr '\0' x >"$archive/Альбом/03 - Песня.mp3"
cp "$program" "$archive/Теггер.exe"

# Waits for the visible window with exactly this name and gives its id.
window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}
# No window manager: each window is focused before its key.
press() {
    xdotool windowfocus --sync "$1" && xdotool key "$2"
}
gone() {
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

cd "$archive"
"$wine_run" "$wine_dir" ./Теггер.exe some arguments that change nothing </dev/null >"$work/wine.log" 2>&1 &
wine_pid=$!

dialog=$(window "ID3 Editor 4 Zelivar Trombuxiya") || fail "no dialog"
press "$dialog" Return
box=$(window "Теггер") || fail "no completion box after Enter"
press "$box" Return
gone "Теггер" || fail "the completion box stayed"

track="$archive/Альбом/03 - Песня.mp3"
[ "$(stat -c %s "$track")" -eq 1128 ] || fail "the track did not grow by one block"
# TAG, "Песня" in Windows-1251, then the artist at offset 33 and genre 255 at the end.
[ "$(tail -c 128 "$track" | head -c 8 | od -An -tx1 | tr -d ' \n')" = "544147cfe5f1edff" ] ||
    fail "wrong title in the block"
[ "$(tail -c 1 "$track" | od -An -tx1 | tr -d ' \n')" = "ff" ] || fail "wrong genre byte"

# A failure ends the run in the failed-command box; the dialog stays and still works.
echo short >"$archive/Альбом/01 - Короткий.mp3"
press "$dialog" Return
box=$(window "Теггер") || fail "no box for the short track"
press "$box" Return
gone "Теггер" || fail "the failure box stayed"
xdotool search --onlyvisible --name "^ID3 Editor 4 Zelivar Trombuxiya\$" >/dev/null ||
    fail "the dialog went with the failure"

# With Shift held F1 does nothing; alone it asks the help engine for the file beside the
# program, which is missing, so the engine's own box says so; Esc closes it.
others() { xdotool search --onlyvisible --name . 2>/dev/null | grep -vx "$dialog" || true; }
press "$dialog" shift+F1
sleep 1
[ -z "$(others)" ] || fail "Shift+F1 opened a window"
press "$dialog" F1
help=''
for _ in $(seq 100); do help=$(others | head -1); [ -n "$help" ] && break; sleep 0.2; done
[ -n "$help" ] || fail "F1 reached no help engine"
press "$help" Escape
# The help engine's window was another program's: when it goes, Wine activates none of ours,
# and a key reaches only an active window. A click on the caption activates the dialog.
sleep 0.5
xdotool mousemove --window "$dialog" 60 8 click 1

press "$dialog" Escape
for _ in $(seq 100); do kill -0 "$wine_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$wine_pid" 2>/dev/null && fail "Esc did not end the program"
wait "$wine_pid" || true
wine_pid=''
echo "window_e2e: dialog, completion box, failure box, help and Esc behaved"
