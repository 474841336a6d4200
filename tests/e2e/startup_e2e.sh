#!/usr/bin/env bash
# End to end on a real X display, the start-up's hard cases: a data folder that cannot be used
# (here a link into a sync folder that is not mounted; the other reasons are unit-tested) is an
# error box naming the folder and why, and nothing is created anywhere else; a SIGTERM while a
# start-up box is open closes the box and ends the program through its normal close; a save
# beyond the file-size limit (ulimit -f) is reported like any failed write instead of killing it.
# Usage (under xvfb-run): startup_e2e.sh SORAMETEXT SORAMETEXT_CLI [GRABSCREEN]
set -euo pipefail

app=$1
cli=$2
grab=${3:-}
source "$(dirname "$0")/common.sh"
unset SORAMETEXT_DATA_DIR
export HOME=$work/home XDG_DATA_HOME=$work/xdg
mkdir -p "$HOME"

# A visible window titled ソラメtext other than the main window $1 (empty: any), waited for.
box_other_than() {
  local w=
  for _ in $(seq 1 100); do
    w=$(xdotool search --onlyvisible --name '^ソラメtext$' 2>/dev/null | grep -vx "${1:-none}" | head -n1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits for the program to end; its exit status goes to $ended.
await_end() {
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "sorametext did not end"
  ended=0
  wait "$pid" || ended=$?
}

# ---- a link to a folder that is not mounted: a box with the folder and the reason; SIGTERM
# closes it and the program ends without creating anything.
ln -s "$work/sync/notes" "$work/notes"
"$app" --data-dir "$work/notes" 2>"$work/stderr" &
pid=$!
box_other_than >/dev/null || fail "no box for the unusable data folder"
shot unusable_folder
kill -TERM "$pid"
await_end
[ "$ended" = 1 ] || fail "the unusable folder ended with status $ended"
grep -q "$work/sync/notes" "$work/stderr" || fail "the reason does not name the missing folder: $(cat "$work/stderr")"
[ ! -e "$work/sync" ] && [ ! -e "$XDG_DATA_HOME" ] || fail "a folder was created elsewhere"

# ---- SIGTERM while the window's load error box is open: the box closes, the close steps run
# (the damaged group file is kept aside, the settings are written), status 0.
data=$work/data
"$cli" new-group "$data" 壊れ >/dev/null
head -c 40 "$data/group.bin" >"$work/cut" && mv "$work/cut" "$data/group.bin"
"$app" --data-dir "$data" &
pid=$!
box_other_than >/dev/null || fail "no box for the damaged group file"
shot load_error
kill -TERM "$pid"
await_end
[ "$ended" = 0 ] || fail "SIGTERM during the load error box ended with status $ended"
[ -e "$data/group.bin.damaged" ] || fail "the damaged group file was not kept"
"$cli" dump "$data/main.bin" >/dev/null || fail "main.bin was not written by the close"

# ---- a save past the file-size limit at the close: the close question instead of an end with
# the text lost; retrying asks again while it still fails, quitting without saving then ends it.
big=$work/big
"$cli" new-group "$big" 大 >/dev/null
head -c 6000 /dev/zero | tr '\0' 'a' >"$work/long.txt"
"$cli" add-text "$big" 0 "$work/long.txt" >/dev/null
(ulimit -f 4 && exec "$app" --data-dir "$big") &
pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^ソラメtext$' | head -n1 || true)
[ -n "$wid" ] || fail "no window"
xdotool windowfocus --sync "$wid" || true
pause 0.6
xdotool type --delay 30 'Z'
xdotool key alt+f
pause
xdotool key Up Return
if ! b=$(box_other_than "$wid"); then
  await_end
  fail "no close question for the save past the limit; the program ended with status $ended"
fi
shot file_size_limit
xdotool windowfocus --sync "$b" key Return || true  # retry: still too large
pause 1
kill -0 "$pid" 2>/dev/null || fail "the program ended on a retry that failed"
b=$(box_other_than "$wid") || fail "no question again after the retry failed"
xdotool windowfocus --sync "$b" key alt+q || true
await_end
[ "$ended" = 0 ] || fail "the program ended with status $ended after the failed save"
echo "e2e: unusable data folders, SIGTERM during a box and the file-size limit all behave"
