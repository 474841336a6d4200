#!/usr/bin/env bash
# End to end with the sync tool users share their notes with: two Syncthing instances on 127.0.0.1
# only (no discovery, relays or NAT traversal; tests/e2e/sync/start) share one data folder between
# A and B, as two machines would. The program runs on A while the user types in the open item; on
# B the command-line tool adds items and a group and edits an item. Then both change the open
# group's file while cut off from each other, and Syncthing leaves a conflict copy. After the
# program's reload and merge, its close and the last sync, nothing typed on either side is lost on
# either side, and no conflict copy is left.
# Usage (under xvfb-run): sync_e2e.sh SORAMETEXT SORAMETEXT_CLI [GRABSCREEN]
set -euo pipefail

app=$1
cli=$2
grab=${3:-}
sync=$(cd "$(dirname "$0")/sync" && pwd)
source "$(dirname "$0")/common.sh"
command -v syncthing >/dev/null || { echo "SKIP: syncthing is not installed"; exit 77; }

# Ports: base+1, base+2 to sync, base+11, base+12 for the REST API; the first base with all four
# free on the loopback, away from Syncthing's own defaults.
base=
for b in 22600 23600 24600 25600; do
  if python3 - $((b + 1)) $((b + 2)) $((b + 11)) $((b + 12)) 2>/dev/null <<'PY'; then
import socket, sys
for p in sys.argv[1:]:
    s = socket.socket()
    s.bind(('127.0.0.1', int(p)))
    s.close()
PY
    base=$b
    break
  fi
done
[ -n "$base" ] || fail "no free ports for the two Syncthing instances"

pair=$work/pair
on_exit() { "$sync/stop" "$pair"; }
eval "$("$sync/start" "$pair" "$base")"
more_pids="$(cat "$pair/syncthingA.pid") $(cat "$pair/syncthingB.pid")"
export SORAMETEXT_DATA_DIR=$SYNC_A
data=$SYNC_A

# rest A|B PATH [METHOD]: the instance's answer (JSON), or nothing while it does not answer.
rest() {
  local gui key
  if [ "$1" = A ]; then gui=$SYNC_GUI_A key=$SYNC_KEY_A; else gui=$SYNC_GUI_B key=$SYNC_KEY_B; fi
  python3 - "http://$gui$2" "$key" "${3:-GET}" <<'PY' 2>/dev/null || true
import sys, urllib.request
r = urllib.request.Request(sys.argv[1], headers={'X-API-Key': sys.argv[2]}, method=sys.argv[3])
print(urllib.request.urlopen(r, timeout=5).read().decode())
PY
}

# within SECONDS WHAT COMMAND...: runs the command until it succeeds, failing after SECONDS.
within() {
  local seconds=$1 what=$2
  shift 2
  local until=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$until" ] || fail "$what (after ${seconds} s)"
    sleep 0.3
  done
}

connected() {
  rest A /rest/system/connections | python3 -c \
    'import json,sys; sys.exit(0 if any(c["connected"] for c in json.load(sys.stdin)["connections"].values()) else 1)' \
    2>/dev/null
}
idle() {
  for side in A B; do
    rest "$side" '/rest/db/status?folder=notes' | python3 -c \
      'import json,sys; d=json.load(sys.stdin); sys.exit(0 if d["state"]=="idle" and d["needTotalItems"]==0 else 1)' \
      2>/dev/null || return 1
  done
}
# has SIDE_FOLDER G TEXT: group G of the folder lists an item named TEXT.
has_item() { "$cli" ls "$1" "$2" 2>/dev/null | cut -f4 | grep -x "$3" >/dev/null; }
starts_with() { case "$("$cli" cat "$1" "$2" "$3" 2>/dev/null)" in "$4"*) return 0 ;; *) return 1 ;; esac; }
no_conflict_copies() { ! ls "$SYNC_A" "$SYNC_B" | grep sync-conflict >/dev/null; }

within 60 "the two instances did not connect" connected

# ---- the notes both machines start from
for f in memo second phone hobby edited conflict; do printf '%s text\r\n' "$f" >"$work/$f.txt"; done
"$cli" new-group "$SYNC_A" 仕事 >/dev/null
"$cli" add-text "$SYNC_A" 0 "$work/memo.txt" "$work/second.txt" >/dev/null
within 60 "B did not receive the notes" has_item "$SYNC_B" 0 second.txt

# ---- A types in the open item (the one the tool added last) while B adds items, a group and
# edits the other item
start
xdotool type --delay 30 'typed on A '
"$cli" add-text "$SYNC_B" 0 "$work/phone.txt" >/dev/null
"$cli" new-group "$SYNC_B" 趣味 >/dev/null
"$cli" add-text "$SYNC_B" 1 "$work/hobby.txt" >/dev/null
"$cli" set-text "$SYNC_B" 0 0 "$work/edited.txt"
window_named 'データの統合' 600 >/dev/null || fail "the program on A told of no merge"
within 60 "B's changes did not reach A" has_item "$SYNC_A" 1 hobby.txt
within 60 "B's edit did not reach A" starts_with "$SYNC_A" 0 0 'edited text'
shot sync_merge_notice

# ---- a real conflict: while the machines are cut off, B adds an item to the open group's file and
# A saves the same file (leaving the group saves it). When they meet again Syncthing keeps the
# older version (B's) as a conflict copy on both sides; the program merges it and removes it.
b_id=$(rest B /rest/system/status | python3 -c 'import json,sys; print(json.load(sys.stdin)["myID"])')
rest A "/rest/system/pause?device=$b_id" POST >/dev/null
within 30 "A did not let go of B" eval '! connected'
"$cli" add-text "$SYNC_B" 0 "$work/conflict.txt" >/dev/null
rest B '/rest/db/scan?folder=notes' POST >/dev/null
sleep 1.1 # A's save a second later: its version is the newer one
xdotool windowfocus --sync "$wid" || true
xdotool type --delay 30 'and more '
xdotool mousemove --window "$wid" 60 51 click 1
pause 0.3
xdotool key Down
within 30 "leaving the group did not save it" starts_with "$SYNC_A" 0 1 'typed on A and more '
xdotool key Up
rest A '/rest/db/scan?folder=notes' POST >/dev/null
rest A "/rest/system/resume?device=$b_id" POST >/dev/null
within 60 "the conflict copy was not merged" has_item "$SYNC_A" 0 conflict.txt
within 60 "the conflict copy was not removed on both sides" no_conflict_copies
rest A '/rest/events/disk?since=0&timeout=1' | grep -q 'sync-conflict' ||
  fail "Syncthing reported no conflict copy (B's item came another way)"
shot sync_conflict_merged

xdotool key alt+f
pause 0.3
xdotool key Up Return
wait_gone

# ---- after the last sync, every word on both sides
within 60 "A's close did not reach B" starts_with "$SYNC_B" 0 1 'typed on A and more '
within 60 "the folders did not settle" idle
for side in "$SYNC_A" "$SYNC_B"; do
  [ "$("$cli" ls "$side" | cut -f4 | tr '\n' ' ')" = "仕事 趣味 " ] || fail "$side: groups $("$cli" ls "$side")"
  for name in memo.txt second.txt phone.txt conflict.txt; do
    has_item "$side" 0 "$name" || fail "$side: $name is missing: $("$cli" ls "$side" 0)"
  done
  starts_with "$side" 0 1 $'typed on A and more second text\r' || fail "$side: the typing on A: $("$cli" cat "$side" 0 1)"
  starts_with "$side" 0 0 $'edited text\r' || fail "$side: B's edit: $("$cli" cat "$side" 0 0)"
  starts_with "$side" 1 0 $'hobby text\r' || fail "$side: B's new group's item"
  # The copy was B's version built on one A had saved: only B's item is new, nothing is doubled.
  ! "$cli" ls "$side" 0 | grep -F 競合 >/dev/null || fail "$side: an item kept twice: $("$cli" ls "$side" 0)"
done
no_conflict_copies || fail "a conflict copy was left: $(ls "$SYNC_A" "$SYNC_B")"
echo "e2e: two machines through Syncthing, nothing lost on either side"
