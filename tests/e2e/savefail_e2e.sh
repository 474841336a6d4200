#!/usr/bin/env bash
# End to end on a real X display, a full disk: the data folder lies on a small tmpfs filled to the
# last block (mounting needs root: skipped with status 77 elsewhere). Typing, then closing: one
# question names the file that could not be saved; once the tmpfs has grown, retrying saves the
# text. A second run ended by SIGTERM, which nobody can answer, writes the text to the recovery
# folder as an exchange file instead, as does a SIGTERM while the close question is open; the next
# start says so.
# Usage (under xvfb-run): savefail_e2e.sh SORAMETEXT SORAMETEXT_CLI [GRABSCREEN]
set -euo pipefail

app=$1
cli=$2
grab=${3:-}
source "$(dirname "$0")/common.sh"

[ "$(id -u)" = 0 ] || { echo "SKIP: mounting a tmpfs needs root"; exit 77; }
mnt=$work/mnt
mkdir -p "$mnt"
mount -t tmpfs -o size=1m tmpfs "$mnt" 2>/dev/null || { echo "SKIP: no tmpfs can be mounted here"; exit 77; }
on_exit() { umount -l "$mnt"; }
export HOME=$work/home XDG_STATE_HOME=$work/state
mkdir -p "$HOME"
data=$mnt/UserData
export SORAMETEXT_DATA_DIR=$data

"$cli" new-group "$data" 仕事 >/dev/null
printf 'first line\r\n' >"$work/memo.txt"
"$cli" add-text "$data" 0 "$work/memo.txt" >/dev/null

# Fills the tmpfs to its last block.
fill() { dd if=/dev/zero of="$mnt/filler$1" bs=4k 2>/dev/null || true; }

close_by_menu() {
  xdotool key alt+f
  pause 0.3
  xdotool key Up Return
}

# ---- the close meets a full disk: one question; room made, retry saves
fill 1
start
xdotool type --delay 30 'typed on a full disk '
xdotool type --delay 60 '日本語 '
close_by_menu
q=$(window_named '^ソラメtext$') || fail "no close question on a full disk"
shot disk_full_question
[ "$("$cli" cat "$data" 0 0)" = $'first line\r' ] || fail "something was saved on a full disk"
mount -o remount,size=4m "$mnt"
xdotool windowfocus --sync "$q" key Return || true  # 再試行, the default
wait_gone
got=$("$cli" cat "$data" 0 0)
[ "$got" = $'typed on a full disk 日本語 first line\r' ] || {
  printf 'after the retry: %q\n' "$got" >&2
  fail "retrying did not save the text"
}

# ---- the disk full again, the program ended by SIGTERM: the recovery folder
fill 2
start
xdotool type --delay 30 'kept for later '
pause 0.3
kill -TERM "$pid"
wait_gone
sted=$(ls "$XDG_STATE_HOME"/sorametext/recovery/*/仕事.sted 2>/dev/null | head -n1 || true)
[ -n "$sted" ] || fail "no exchange file in the recovery folder"
# An exchange file is a header (name length, name, colour) before the group's item file.
python3 - "$sted" "$work/recovered" <<'PY'
import struct, sys
b = open(sys.argv[1], 'rb').read()
n = struct.unpack('<i', b[:4])[0]
open(sys.argv[2], 'wb').write(b[4 + n + 4:])
PY
dump=$("$cli" dump "$work/recovered")
case "$dump" in
  *'kept for later typed on a full disk'*) ;;
  *) fail "the recovery file does not hold the text: $dump" ;;
esac
[ "$("$cli" cat "$data" 0 0)" = "$got" ] || fail "the data folder changed on a full disk"


# ---- the next start says where the text went, once
rm -f "$mnt"/filler*
"$app" &
pid=$!
b=$(window_named '保存できなかったデータ') || fail "the next start did not tell of the recovery folder"
shot recovery_notice
xdotool windowfocus --sync "$b" key Return || true
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^ソラメtext$' | head -n1 || true)
[ -n "$wid" ] || fail "no window after the notice"
ls "$(dirname "$sted")/announced" >/dev/null || fail "the recovery folder was not marked as told"

# ---- the disk full again, and a SIGTERM while the close question is open: nobody answers it
# any more
fill 3
xdotool windowfocus --sync "$wid" || true
xdotool type --delay 30 'asked then ended '
close_by_menu
window_named '^ソラメtext$' >/dev/null || fail "no close question on a full disk"
kill -TERM "$pid"
wait_gone
[ "$(ls -d "$XDG_STATE_HOME"/sorametext/recovery/*/ | wc -l)" = 2 ] || fail "the question's text is not in the recovery folder"
echo "e2e: a full disk at the close asks and retries; a termination leaves the text in the recovery folder"
