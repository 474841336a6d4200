#!/usr/bin/env bash
# End to end on a real X display, files changed under the running program: while the user types in
# the open item, another machine's copy of the folder (changed with sorametext-cli) arrives the way
# a sync tool writes, a new file renamed over the old: an item added to the open group, a new group.
# The program merges it, tells of it in one notice, and after the close nothing typed on either
# side is lost. Then a data file that is a symbolic link (a user syncing single files): it stays a
# link and its target gets the text. Last, the data folder removed while the program runs: the close
# makes it again with the group list and the open group's items.
# Usage (under xvfb-run): outside_e2e.sh SORAMETEXT SORAMETEXT_CLI [GRABSCREEN]
set -euo pipefail

app=$1
cli=$2
grab=${3:-}
source "$(dirname "$0")/common.sh"

close_by_menu() {
  xdotool windowfocus --sync "$wid" || true
  xdotool key alt+f
  pause 0.3
  xdotool key Up Return
}

# Copies a file of the other machine's folder in as a sync tool does.
arrive() {
  cp "$work/other/$1" "$data/.$1.incoming"
  mv "$data/.$1.incoming" "$data/$1"
}

"$cli" new-group "$data" 仕事 >/dev/null
printf 'first line\r\n' >"$work/memo.txt"
printf 'call back\r\n' >"$work/phone.txt"
printf 'a cat\r\n' >"$work/hobby.txt"
"$cli" add-text "$data" 0 "$work/memo.txt" >/dev/null
items=$("$cli" ls "$data" | cut -f2)

# ---- changes from another machine while typing
start
xdotool type --delay 30 'typed here '
cp -a "$data" "$work/other"
rm -f "$work/other/sorametext.lock"
"$cli" add-text "$work/other" 0 "$work/phone.txt" >/dev/null
"$cli" new-group "$work/other" 趣味 >/dev/null
"$cli" add-text "$work/other" 1 "$work/hobby.txt" >/dev/null
hobby=$("$cli" ls "$work/other" | sed -n 2p | cut -f2)
arrive "$hobby"
arrive group.bin
arrive "$items"
n=$(window_named 'データの統合') || fail "no notice of the merge"
shot outside_merge_notice
xdotool windowfocus --sync "$wid" || true
xdotool type --delay 30 'and more '
close_by_menu
wait_gone
got=$("$cli" cat "$data" 0 0)
[ "$got" = $'typed here and more first line\r' ] || {
  printf 'the open item: %q\n' "$got" >&2
  fail "typing around the merge was lost"
}
[ "$("$cli" cat "$data" 0 1)" = $'call back\r' ] || fail "the item added elsewhere was lost"
[ "$("$cli" ls "$data" | cut -f4 | tr '\n' ' ')" = "仕事 趣味 " ] || fail "the group added elsewhere was lost"
[ "$("$cli" cat "$data" 1 0)" = $'a cat\r' ] || fail "the new group's item was lost"

# ---- a symbolic link in the data folder stays one; its target gets the text
mkdir -p "$work/synced"
mv "$data/$items" "$work/synced/$items"
ln -s "$work/synced/$items" "$data/$items"
start
xdotool type --delay 30 'through the link '
close_by_menu
wait_gone
[ -L "$data/$items" ] || fail "the link was replaced by a file"
case "$("$cli" cat "$data" 0 0)" in
  'through the link typed here'*) ;;
  *) fail "the link's target did not get the text" ;;
esac
ls "$work/synced" | grep tmp- >/dev/null && fail "a temporary file was left beside the target"

# ---- the data folder removed while the program runs
start
rm -rf "$data"
xdotool type --delay 30 'kept anyway '
close_by_menu
wait_gone
case "$("$cli" cat "$data" 0 0)" in
  'kept anyway through the link'*) ;;
  *) fail "the removed data folder was not made again with the open item" ;;
esac
[ "$("$cli" ls "$data" | cut -f4 | tr '\n' ' ')" = "仕事 趣味 " ] || fail "the group list was not written again"
echo "e2e: changes from elsewhere are merged while typing; a linked data file stays a link; a removed folder comes back"
